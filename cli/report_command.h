// The report command. Its pages are drawn with Qt Gui, which no other command needs, so
// quaywise-cli keeps the work in a library of its own beside the program
// (kReportLibraryName) and loads it only when a report is asked for: the other commands
// start without loading Qt Gui and the libraries under it (fonts, X11, OpenGL, ...).
//
// RunReport is the report's entry in the command table. In the program it loads the
// library and hands it the whole command line, which the library runs with its own copy
// of the commands and the engine (nothing of the program's is shared but the output
// streams); the library and the tests link the work itself (report_pages.cpp).
#pragma once

#include "cli/options.h"

#ifndef QW_REPORT_LIBRARY_EXPORT
#define QW_REPORT_LIBRARY_EXPORT __attribute__((visibility("default")))
#endif

namespace qw::cli {

class CliContext;

int RunReport(CliContext& context, const ParsedArgs& args);

}  // namespace qw::cli
