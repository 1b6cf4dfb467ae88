#!/usr/bin/env python3
"""quaywise-cli as a whole process: the table commands start without loading Qt Gui, the
report command loads its library beside the program and writes the same PDF pages as
before with the global options given, and a program without its report library says so.

Usage: report_library_test.py QUAYWISE_CLI DATA_DIR. Exits 77 (skipped) without the built
DATA directory."""

import os
import shutil
import subprocess
import sys
import tempfile

CLI, DATA = sys.argv[1], sys.argv[2]
if not os.path.exists(os.path.join(DATA, "catalogue.csv")):
    print(f"skipped: no built DATA directory at {DATA}")
    sys.exit(77)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


# Under LeakSanitizer, fontconfig's caches (kept for the life of the process, loaded with
# Qt Gui by the report) are not leaks of this program, as for the GUI test programs.
SUPPRESSIONS = os.path.join(tempfile.mkdtemp(), "lsan.supp")
with open(SUPPRESSIONS, "w") as f:
    f.write("leak:libfontconfig\n")


def run(program, *args, debug=False):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LSAN_OPTIONS=f"suppressions={SUPPRESSIONS}")
    if debug:
        env["LD_DEBUG"] = "files"  # the dynamic loader names every library it opens
    done = subprocess.run([program, "--data", DATA, *args], capture_output=True, text=True, env=env)
    return done.returncode, done.stdout, done.stderr


with tempfile.TemporaryDirectory() as tmp:
    # A table command: its rows, and no Qt Gui in the process.
    status, out, err = run(CLI, "heights", "src:9414290", "--from", "2026-01-01", "--interval", "60", "--csv", debug=True)
    check(status == 0, f"heights exited {status}: {err[-300:]}")
    check(out.count("\n") == 25, f"heights printed {out.count(chr(10))} lines, not a heading and 24 rows")
    check("libQt6Core" in err, "LD_DEBUG named no library: the check below would prove nothing")
    check("libQt6Gui" not in err, "heights loaded Qt Gui")

    # The report: its library and Qt Gui are loaded, the options reach it, the PDF is whole.
    pdf = os.path.join(tmp, "r.pdf")
    status, out, err = run(CLI, "report", "src:9414290", "--kind", "daily", "--from", "2026-01-01",
                           "--to", "2026-01-02", "--units", "m", "-o", pdf, debug=True)
    check(status == 0, f"report exited {status}: {err[-300:]}")
    check(out == f"2 pages written to {pdf}\n", f"report printed {out!r}")
    check("libQt6Gui" in err, "report did not load Qt Gui: was its library loaded?")
    with open(pdf, "rb") as f:
        data = f.read()
    check(data.startswith(b"%PDF-") and b"%%EOF" in data[-64:], "the report is not a whole PDF file")

    # The library's own errors come back as the program's: status 2 and one line.
    status, out, err = run(CLI, "report", "no such station name", "--kind", "daily", "--from", "2026-01-01",
                           "-o", pdf)
    check(status == 2 and err == "quaywise-cli: no tide station name contains 'no such station name'\n",
          f"an unknown station in a report: status {status}, {err!r}")

    # The program copied without its library: a clear failure, not a crash.
    alone = os.path.join(tmp, "quaywise-cli")
    shutil.copy(CLI, alone)
    status, out, err = run(alone, "report", "src:9414290", "--kind", "daily", "--from", "2026-01-01", "-o", pdf)
    check(status == 1 and "the report library cannot be loaded" in err,
          f"no report library: status {status}, {err!r}")

shutil.rmtree(os.path.dirname(SUPPRESSIONS))
for failure in failures:
    print("FAILED:", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
