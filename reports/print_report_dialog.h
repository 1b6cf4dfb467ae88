// The "Print Report" dialog: the report's kind and format, the open windows to print
// (in an order the user can change), the dates, colour, and the buttons to print, to
// preview and to edit the options, fonts, page and printer. It asks the composer and
// the print loop for the pages; it draws nothing itself.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "reports/print_loop.h"
#include "reports/report_composer.h"
#include "reports/report_options.h"
#include "settings/app_settings.h"
#include "settings/profile_file.h"
#include "settings/station_directory.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QListWidget;
class QPrinter;
class QProgressDialog;
class QRadioButton;

namespace qw {

// An open tide or current window as the dialog lists it.
struct ReportWindow {
  QString title;
  StationRef station;
  EngineMinute day = 0;  // 00:00 of the date it shows
  std::string datum;     // the datum its heights are shown on ("" for a current window)
};

// Reads a window's station record into a report location (its kind and record); false
// when it cannot be read (the user has been told).
using LocationReader = std::function<bool(const StationRef&, ReportLocation&)>;

// Gathers a window's station notes (official, user and general texts) for the notes
// report.
using NotesReader = std::function<void(const StationRef&, ReportNotes&)>;

class PrintReportDialog : public QDialog {
  Q_OBJECT

 public:
  // `windows` are the open windows of one kind, tide or current.
  // Without `notes` the notes report is not offered.
  PrintReportDialog(AppSettings& settings, ProfileFile& file, LocationReader reader,
                    std::vector<ReportWindow> windows, QWidget* parent = nullptr, NotesReader notes = {});

  // The job the dialog's choices describe; nothing, after telling the user, when they
  // cannot be printed (no location, an end before the start, a date out of range).
  std::optional<ReportJob> Job();

  // Prints, or previews, the dialog's report.
  void Print();
  void Preview();

 private:
  void ReadOptionsIntoControls();
  void StoreChoices();
  void UpdateEnabled();
  void Move(int step);
  void EditOptions();
  void EditFonts();
  void EditPageSetup();
  void EditPrinter();
  // The program's report printer, set up for the options' page.
  void SetUpPrinter(QPrinter& printer, bool warn);
  void Report(PrintResult result, const QString& error);

  AppSettings& settings_;
  ProfileFile& file_;
  LocationReader reader_;
  NotesReader notes_;
  std::vector<ReportWindow> windows_;
  StationKind kind_ = StationKind::Tide;
  ReportOptions options_;

  QComboBox* type_;
  QComboBox* format_;
  QComboBox* datum_;
  QListWidget* locations_;
  QRadioButton* windowDate_;
  QRadioButton* range_;
  QDateEdit* start_;
  QDateEdit* end_;
  QCheckBox* color_;
};

// Tells the user why a print ended, when it did not print: no room, the device, nothing
// to print (`error` says more when it is set). Nothing for Printed and Cancelled.
void ReportPrintResult(QWidget* parent, const QString& caption, PrintResult result, const QString& error);

// Shows the print preview of `pages` on `printer`, drawn with the progress box and its
// Cancel; `prepare` readies the printer the pages are drawn on (the preview's, or the
// one its Print button chose) before each drawing. A preview whose drawing is cancelled
// or fails closes. Returns how the last drawing ended.
PrintResult RunPrintPreview(QWidget* parent, QPrinter& printer, const PageSource& pages,
                            const std::function<void(QPrinter&)>& prepare = {});

// Lets pending events run between the pages of a printed report and shows "Printing
// Report" with "&Cancel".
class PrintProgressBox {
 public:
  PrintProgressBox(QWidget* parent, int pages);
  ~PrintProgressBox();
  // Before page `index` of `count`: false once Cancel has been pressed.
  bool Step(int index, int count);
  // Takes the box off the screen.
  void Close();

 private:
  std::unique_ptr<QProgressDialog> box_;
};

}  // namespace qw
