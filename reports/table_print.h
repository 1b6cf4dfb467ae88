// Printing a results window's table (table_report.h) from the frame's commands: Print
// Report asks the table's choices and then the print dialog; Print Preview shows the
// pages; Quick Print prints with the stored choices after the print dialog. Each prints
// with the progress box and its Cancel, and nothing is printed when it is cancelled.
#pragma once

#include <QPrinter>

#include "settings/profile_file.h"
#include "shell/printable_table.h"

class QWidget;

namespace qw {

// On the report printer: the "Print Tabular Report" choices (kept in the settings
// file), then the print dialog.
void PrintTableReport(QWidget* parent, ProfileFile& file, const PrintableTable& table);
// The preview of the table with the stored choices, on the report printer's paper.
void PreviewTableReport(QWidget* parent, ProfileFile& file, const PrintableTable& table);
// On `printer` (the frame's Quick Print printer) with the stored choices.
void QuickPrintTable(QWidget* parent, const ProfileFile& file, const PrintableTable& table, QPrinter& printer);

}  // namespace qw
