// quaywise-cli report: a report of one or more tide stations written to a PDF file (the
// work is in report_pages.cpp, in the report library).
#include "cli/command_table.h"
#include "cli/report_command.h"
#include "cli/station_ref.h"

namespace qw::cli {
namespace {

const CommandRegistration kReport({
    "report",
    "report STATION... --kind daily|monthly|three-month|custom|notes --from YYYY-MM-DD [--to YYYY-MM-DD] "
    "[--style text|bar|filled|smooth] [--currents] [--datum NAME] -o FILE.pdf",
    "a printed report of tide (or current) stations, written as a PDF file",
    "Pages: daily one per day, monthly one per calendar month and three-month one per\n"
    "three calendar months from --from to --to, station after station; custom places\n"
    "every station's day in the cells of a grid; notes prints each station's official,\n"
    "user and general notes (no --from needed). The report options (fonts, margins,\n"
    "table interval, sun and moon, ...) are the defaults, or those of --settings FILE\n"
    "(the desktop program's velda.ini); the flags below override them.",
    {{"kind", true, "KIND", "daily, monthly, three-month, custom or notes"},
     {"from", true, "YYYY-MM-DD", "first day"},
     {"to", true, "YYYY-MM-DD", "last day (default: the first day)"},
     {"style", true, "STYLE", "text (default), bar, filled or smooth"},
     {"output", true, "FILE.pdf", "the PDF file to write", 'o'},
     {"settings", true, "FILE", "take units, clock, colours and report options from this settings file"},
     {"currents", false, "", "the stations are current stations"},
     {"units", true, "ft|m|cm|kt|mps", "height unit (ft, m, cm) or, with --currents, speed unit (kt, mps)"},
     {"clock", true, "12|24", "12-hour or 24-hour times"},
     {"color", false, "", "print in colour"},
     {"landscape", false, "", "landscape pages"},
     {"sun", false, "", "sunrise and sunset, and night shaded on the graphs"},
     {"moon", false, "", "moonrise and moonset"},
     kDatumOption},
    RunReport});

}  // namespace
}  // namespace qw::cli
