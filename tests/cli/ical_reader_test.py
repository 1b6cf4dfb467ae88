#!/usr/bin/env python3
"""quaywise-cli ical read back by an independent reader (Python's icalendar): the same
events, at the same instants, as the tides, currents, sun and phases commands print for
the same dates, the same UIDs from one run to the next, and the command's errors.

Usage: ical_reader_test.py QUAYWISE_CLI DATA_DIR. Exits 77 (skipped) without the built
DATA directory or the icalendar module."""

import csv
import io
import os
import re
import subprocess
import sys
import tempfile
from datetime import datetime, timezone

try:
    import icalendar
except ImportError:
    print("skipped: Python's icalendar module is not installed (Debian python3-icalendar)")
    sys.exit(77)

CLI, DATA = sys.argv[1], sys.argv[2]
if not os.path.exists(os.path.join(DATA, "EARTH.DAT")):
    print(f"skipped: no built DATA directory with the Earth series at {DATA}")
    sys.exit(77)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*args):
    done = subprocess.run([CLI, "--data", DATA, *args], capture_output=True, text=True)
    return done.returncode, done.stdout, done.stderr


def calendar(*args):
    status, out, err = run("ical", *args)
    if status != 0:
        raise SystemExit(f"ical {' '.join(args)} failed ({status}): {err}")
    return icalendar.Calendar.from_ical(out), out


def events(cal):
    """(UTC instant, UID's event code, summary) of every VEVENT, in file order."""
    out = []
    for event in cal.walk("VEVENT"):
        start = event.decoded("DTSTART")
        check(start.tzinfo is not None and start.utcoffset().total_seconds() == 0,
              f"DTSTART not in UTC: {start}")
        out.append((start.astimezone(timezone.utc), str(event["UID"]).split("-")[0], str(event["SUMMARY"])))
    return out


def csv_rows(*args):
    status, out, err = run(*args, "--csv")
    if status != 0:
        raise SystemExit(f"{' '.join(args)} failed ({status}): {err}")
    return list(csv.DictReader(io.StringIO(out)))


def instant(date, clock, offset):
    return datetime.fromisoformat(f"{date}T{clock}{offset}").astimezone(timezone.utc)


def value_of(summary):
    match = re.search(r"(-?\d+\.\d+) (ft|m|kt)", summary)
    return float(match.group(1)) if match else None


# High and low waters at San Francisco over the days the clocks go forward, in feet and
# in metres: the instants, the kinds and the heights (the calendar writes two decimals).
for unit in ("ft", "m"):
    dates = ("--from", "2026-03-06", "--to", "2026-03-10")
    cal, _ = calendar("src:9414290", *dates, "--units", unit)
    got = events(cal)
    rows = csv_rows("tides", "src:9414290", *dates, "--units", unit)
    want = [(instant(r["date"], r["time"], r["utc_offset"]), {"H": "high", "L": "low"}[r["event"]], float(r["value"]))
            for r in rows]
    check([(t, k) for t, k, _ in got] == [(t, k) for t, k, _ in want],
          f"tide events ({unit}) differ:\n {got}\n {want}")
    for (t, _, summary), (_, _, height) in zip(got, want):
        check(summary.endswith(" " + unit) and abs(value_of(summary) - height) <= 0.0051,
              f"{t}: '{summary}' is not {height} {unit}")
    check(len({r["utc_offset"] for r in rows}) == 2, "the range does not cross the change of the clocks")

# Maximum floods, maximum ebbs and slacks at a current station.
dates = ("--from", "2026-06-01", "--to", "2026-06-03")
cal, _ = calendar("src:SFB1203", "--currents", *dates, "--events", "currents")
got = [(t, k) for t, k, _ in events(cal)]
codes = {"F": "flood", "E": "ebb", "S": "slack"}
want = [(instant(r["date"], r["time"], r["utc_offset"]), codes[r["event"]])
        for r in csv_rows("currents", "src:SFB1203", *dates)]
check(got == want, f"current events differ:\n {got}\n {want}")

# Sunrise, sunset, moonrise, moonset and the principal phases over a month.
dates = ("--from", "2026-06-01", "--to", "2026-06-30")
cal, _ = calendar("src:9414290", *dates, "--events", "sun,moon,phases")
got = sorted((t, k) for t, k, _ in events(cal))
want = []
for row in csv_rows("sun", "src:9414290", *dates):
    for column in ("sunrise", "sunset", "moonrise", "moonset"):
        for shown in row[column].split():
            clock, offset = shown[:5], shown[5:] or row["utc_offset"]
            want.append((instant(row["date"], clock, offset), column))
phase_codes = {"New moon": "newmoon", "1st Qtr moon": "firstquarter", "Full moon": "fullmoon",
               "3rd Qtr moon": "lastquarter"}
for row in csv_rows("phases", "src:9414290", *dates):
    want.append((instant(row["date"], row["time"], row["utc_offset"]), phase_codes[row["phase"]]))
check(got == sorted(want), f"sun and moon events differ:\n {got}\n {sorted(want)}")
check(sum(1 for _, k in got if k == "fullmoon") == 1, "June 2026 has one full moon")

# The same UIDs from two runs, none twice, and -o writes what standard output shows.
with tempfile.TemporaryDirectory() as directory:
    path = os.path.join(directory, "sf.ics")
    args = ("src:9414290", "--from", "2026-07-01", "--to", "2026-07-31", "--events", "all")
    first, text = calendar(*args)
    status, _, err = run("ical", *args, "-o", path)
    check(status == 0, f"-o failed: {err}")
    with open(path, encoding="utf-8", newline="") as f:
        written = f.read()
    second = icalendar.Calendar.from_ical(written)
    uids = [str(e["UID"]) for e in first.walk("VEVENT")]
    check(uids == [str(e["UID"]) for e in second.walk("VEVENT")], "the UIDs changed between two runs")
    check(len(set(uids)) == len(uids), "a UID is used twice")
    strip = lambda t: re.sub(r"DTSTAMP:\S+", "", t)
    # (standard output was read as text, its line ends made "\n")
    check(strip(written).replace("\r\n", "\n") == strip(text), "-o wrote other bytes than standard output")
    check("\r\n" in written and "\n" not in written.replace("\r\n", ""), "lines do not end in CRLF")

    # Errors: one line, status 2, and the file given to -o left as it was.
    with open(path, "w") as f:
        f.write("old")
    for args, words in [
        (("src:9414290", "--to", "2026-07-01", "-o", path), "--from"),
        (("src:9414290", "--from", "2026-07-01", "--events", "tides,stars", "-o", path), "stars"),
        (("src:9414290", "--from", "2026-07-02", "--to", "2026-07-01", "-o", path), ""),
        (("no such station anywhere", "--from", "2026-07-01", "-o", path), ""),
        (("--from", "2026-07-01", "-o", path), "STATION"),
    ]:
        status, out, err = run("ical", *args)
        check(status == 2 and words in err and err.count("\n") == 1, f"ical {' '.join(args)}: {status} {err!r}")
    with open(path) as f:
        check(f.read() == "old", "a failed run changed the -o file")
    status, _, err = run("ical", "src:9414290", "--from", "2026-07-01", "-o", os.path.join(directory, "none", "x.ics"))
    check(status == 2 and "cannot write" in err, f"unwritable -o: {status} {err!r}")

for failure in failures:
    print("FAILED:", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
