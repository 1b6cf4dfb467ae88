// The report dialogs hand back what they were given and what the user changed, the
// Print Report dialog keeps its choices in the settings file, and the program's own
// printer file survives damage and a printer that is gone.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QThread>
#include <QFile>
#include <filesystem>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "engine/station_database.h"
#include "reports/print_report_dialog.h"
#include "reports/printer_output.h"
#include "reports/printer_store.h"
#include "reports/report_option_dialogs.h"
#include "tests/reports/reports_test_app.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

QApplication& App() { return test::ReportsApp(); }

// Saves a picture of a widget when QW_SNAPSHOT_DIR is set, for looking at the dialogs.
void Snapshot(QWidget& widget, const char* name) {
  const QByteArray dir = qgetenv("QW_SNAPSHOT_DIR");
  if (dir.isEmpty()) return;
  if (!widget.isWindow() || widget.size().isEmpty()) widget.adjustSize();
  widget.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString(name) + ".png"));
}

template <typename T>
T* Find(QWidget& parent, const QString& text) {
  for (T* child : parent.findChildren<T*>()) {
    if (child->text() == text) return child;
  }
  ADD_FAILURE() << "no control " << text.toStdString();
  return nullptr;
}

TEST(ReportDialogsTest, OptionAndPageDialogsGiveBackWhatTheyShow) {
  App();
  ReportOptions options;
  options.dailyInterval = 15;
  options.dailyExtremesPos = 1;
  options.sunriseSunset = true;
  options.moonGraphicFreq = 1;
  options.rowsPerPage = 3;
  options.columnsPerPage = 5;
  options.bitmapFile = "/tmp/logo.bmp";
  options.bitmapHeightInches = 0.5;
  options.previewRes = 2;
  ReportOptionsDialog dialog(options);
  Snapshot(dialog, "report_options");
  EXPECT_EQ(dialog.options(), options);
  Find<QCheckBox>(dialog, "&Range lines")->setChecked(true);
  options.rangeLines = true;
  EXPECT_EQ(dialog.options(), options);

  options.leftMargin = 0.75;
  options.bottomMargin = 1.25;
  options.landscape = true;
  PageSetupDialog page(options);
  Snapshot(page, "page_setup");
  EXPECT_EQ(page.options(), options);
  Find<QRadioButton>(page, "&Portrait")->setChecked(true);
  EXPECT_FALSE(page.options().landscape);
}

TEST(ReportDialogsTest, FontsDialogKeepsSizesAndRestoresDefaults) {
  App();
  ReportOptions options;
  options.titleFont = {"DejaVu Serif", -27, 700, 1, 200};
  options.autoSizeTitleFont = false;
  EXPECT_EQ(ReportFontFromQFont(QFontFromReportFont(options.titleFont)), options.titleFont);
  ReportFontsDialog dialog(options);
  Snapshot(dialog, "report_fonts");
  EXPECT_EQ(dialog.options(), options);
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == "De&faults") button->click();
  }
  EXPECT_EQ(dialog.options().titleFont, ReportOptions{}.titleFont);
  EXPECT_TRUE(dialog.options().autoSizeTitleFont);
}

TEST(ReportDialogsTest, PrintReportKeepsItsChoicesAndBuildsTheJobInListOrder) {
  App();
  test::TempDir dir;
  ProfileFile file(dir.path() / "velda.ini");
  file.Load();
  AppSettings settings;
  std::vector<ReportWindow> windows;
  for (uint16_t i = 0; i < 3; ++i) {
    windows.push_back({QString("Station %1").arg(i), {StationKind::Tide, 0, i}, MinuteOf(2025, 6, 18 + i), ""});
  }
  auto reader = [](const StationRef& station, ReportLocation& out) {
    out.tide = TideLocation{};
    out.tide.stationId = static_cast<uint16_t>(100 + station.stationIndex);
    return true;
  };
  PrintReportDialog dialog(settings, file, reader, windows);
  Snapshot(dialog, "print_report");
  auto* list = dialog.findChild<QListWidget*>();
  ASSERT_NE(list, nullptr);
  // The first window is selected to begin with; choose the third and first, third on top.
  list->item(2)->setSelected(true);
  list->setCurrentRow(2, QItemSelectionModel::NoUpdate);
  Find<QPushButton>(dialog, "Move &Up")->click();
  Find<QPushButton>(dialog, "Move &Up")->click();
  Find<QRadioButton>(dialog, "&Range:")->setChecked(true);
  auto edits = dialog.findChildren<QDateEdit*>();
  ASSERT_EQ(edits.size(), 2);
  edits[0]->setDate(QDate(2025, 7, 1));
  edits[1]->setDate(QDate(2025, 7, 3));
  dialog.findChildren<QComboBox*>()[0]->setCurrentIndex(1);  // monthly
  dialog.findChildren<QComboBox*>()[1]->setCurrentIndex(2);  // bar graph

  const std::optional<ReportJob> job = dialog.Job();
  ASSERT_TRUE(job.has_value());
  EXPECT_EQ(job->kind, ReportKind::Monthly);
  EXPECT_EQ(job->format, ReportFormat::BarGraph);
  EXPECT_TRUE(job->useRange);
  EXPECT_EQ(job->rangeStart, MinuteOf(2025, 7, 1));
  EXPECT_EQ(job->rangeEnd, MinuteOf(2025, 7, 3));
  ASSERT_EQ(job->locations.size(), 2u);
  EXPECT_EQ(job->locations[0].tide.stationId, 102);
  EXPECT_EQ(job->locations[0].windowDay, MinuteOf(2025, 6, 20));
  EXPECT_EQ(job->locations[1].tide.stationId, 100);

  // Closing keeps the choices, in the file on disk too.
  Find<QPushButton>(dialog, "Close")->click();
  ProfileFile reread(dir.path() / "velda.ini");
  ASSERT_EQ(reread.Load(), ProfileFile::LoadResult::Loaded);
  const ReportOptions stored = LoadReportOptions(reread);
  EXPECT_EQ(stored.reportType, 1);
  EXPECT_EQ(stored.reportFormat, 2);
  EXPECT_FALSE(stored.useWindowDate);
  EXPECT_EQ(stored.startDate, "07/01/2025");
  EXPECT_EQ(stored.endDate, "07/03/2025");
  EXPECT_EQ(stored.selectedLocations, "0,1");
}

TEST(ReportDialogsTest, AnEndBeforeTheStartIsRefused) {
  App();
  test::TempDir dir;
  ProfileFile file(dir.path() / "velda.ini");
  file.Load();
  AppSettings settings;
  PrintReportDialog dialog(settings, file, [](const StationRef&, ReportLocation&) { return true; },
                           {{"Station", {StationKind::Tide, 0, 0}, MinuteOf(2025, 6, 18), ""}});
  Find<QRadioButton>(dialog, "&Range:")->setChecked(true);
  auto edits = dialog.findChildren<QDateEdit*>();
  edits[0]->setDate(QDate(2025, 7, 3));
  edits[1]->setDate(QDate(2025, 7, 1));
  QString caption, text;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      caption = box->windowTitle();
      for (QLabel* label : box->findChildren<QLabel*>()) text += label->text();
      box->reject();
    }
  });
  EXPECT_FALSE(dialog.Job().has_value());
  EXPECT_EQ(caption, "Date Error");
  EXPECT_TRUE(text.contains("ERROR: The ending date must not be before the starting date."));
}

TEST(ReportDialogsTest, PreviewShowsThePlannedPagesOfARealStation) {
  App();
  if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv")) {
    GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR;
  }
  ResetEngine();
  SetDataDirectory(QW_TEST_DATA_DIR);
  const RegionList regions = BuildRegionList(StationKind::Tide);
  std::vector<ReportWindow> windows;
  for (int slot = 0; slot < static_cast<int>(regions.size()) && windows.empty(); ++slot) {
    const int index = FindTideStationByName(regions, slot, -1, "San Francisco (Golden Gate)", 1);
    if (index >= 0) {
      windows.push_back({"San Francisco", {StationKind::Tide, static_cast<uint16_t>(slot), static_cast<uint16_t>(index)},
                         MinuteOf(2025, 6, 18), ""});
    }
  }
  ASSERT_FALSE(windows.empty());
  test::TempDir dir;
  ProfileFile file(dir.path() / "velda.ini");
  file.LoadFromText("[ReportOptions]\nReportType=0\nReportFormat=0\nUseWindowDate=0\nStartDate=06/18/2025\n"
                    "EndDate=06/20/2025\nSunriseSunset=1\nSunriseShading=1\nMoonriseMoonset=1\nPreviewRes=0\n");
  AppSettings settings;
  PrintReportDialog dialog(settings, file,
                           [&](const StationRef& s, ReportLocation& out) {
                             return ReadTideLocation(regions, s.regionSlot, s.stationIndex, out.tide);
                           },
                           windows);
  int pages = -1;
  // The pages are drawn, with the progress box, before the preview shows.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    if (!preview || !preview->isVisible()) return;
    poll.stop();
    if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) pages = widget->pageCount();
    preview->resize(700, 900);
    Snapshot(*preview, "preview");
    preview->reject();
  });
  poll.start(10);
  dialog.Preview();
  EXPECT_EQ(pages, 3);
  ResetEngine();
}

// Pages of text that take a moment each, so that the progress box can be seen.
PageSource SlowPages(int count, int* drawn) {
  return {[count](const QPagedPaintDevice&) { return count; },
          [drawn](QPainter& painter, const QRectF& page, double, int index) {
            QThread::msleep(5);
            ++*drawn;
            painter.drawText(page, Qt::AlignCenter, QString("page %1").arg(index + 1));
            return PageResult::Drawn;
          }};
}

TEST(ReportDialogsTest, APreviewIsDrawnWithTheProgressBoxAndCancelClosesIt) {
  App();
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setResolution(72);
  printer.setDocName("Monthly Tide Report");
  int drawn = 0;
  QString shownLabel;
  // Press Cancel in the progress box once it shows; close anything else that stays.
  QTimer poll;
  int ticks = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QProgressDialog*>(widget); box && box->isVisible() && shownLabel.isEmpty()) {
        shownLabel = box->labelText();
        box->cancel();
      }
      if (auto* preview = qobject_cast<QPrintPreviewDialog*>(widget); preview && preview->isVisible() && ++ticks > 500) {
        ADD_FAILURE() << "the cancelled preview stayed open";
        preview->reject();
      }
    }
  });
  poll.start(2);
  EXPECT_EQ(RunPrintPreview(nullptr, printer, SlowPages(200, &drawn)), PrintResult::Cancelled);
  EXPECT_TRUE(shownLabel.startsWith("Printing page ")) << shownLabel.toStdString();
  EXPECT_LT(drawn, 200);
}

TEST(ReportDialogsTest, APdfFileTargetIsReplacedOnlyByAWholePrint) {
  App();
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("report.pdf"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old report");
  }
  auto content = [&] {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  EXPECT_FALSE(IsPreviewPrinter(printer));
  int drawn = 0;
  QString error;
  EXPECT_EQ(PrintOnPrinter(printer, SlowPages(3, &drawn), [](int index, int) { return index < 2; }, &error),
            PrintResult::Cancelled);
  EXPECT_EQ(content(), "the old report");
  EXPECT_EQ(PrintOnPrinter(printer, SlowPages(3, &drawn), {}, &error), PrintResult::Printed) << error.toStdString();
  EXPECT_TRUE(content().startsWith("%PDF"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PrinterStoreTest, TheChoiceSurvivesARoundTripAndDamage) {
  App();
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("VELDAPRN.DEV"));
  QString problem;
  EXPECT_FALSE(LoadPrinterChoice(path, &problem).has_value());
  EXPECT_TRUE(problem.isEmpty());  // no file is no error

  PrinterChoice choice;
  choice.printerName = "Office\nLaser";  // a line break cannot split the file
  choice.paper = "A4";
  choice.color = false;
  choice.duplex = 2;
  choice.copies = 3;
  ASSERT_TRUE(SavePrinterChoice(path, choice, &problem)) << problem.toStdString();
  std::optional<PrinterChoice> loaded = LoadPrinterChoice(path, &problem);
  ASSERT_TRUE(loaded.has_value());
  choice.printerName = "Office Laser";
  EXPECT_EQ(*loaded, choice);

  // Bad values are skipped; the rest is kept.
  loaded = ParsePrinterChoice("Quaywise report printer 1\nCopies=-4\nDuplex=9\nColor=x\nPaper=Legal\n", &problem);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->copies, 1);
  EXPECT_EQ(loaded->duplex, 0);
  EXPECT_TRUE(loaded->color);
  EXPECT_EQ(loaded->paper, "Legal");
  // A control character inside a value (a CR, a NUL) reads as the blank it is written as,
  // so that what is read is written back the same (found by printer_file_fuzz).
  loaded = ParsePrinterChoice(QByteArray::fromStdString(std::string("Quaywise report printer 1\nPrinter=Dock\r\0Office\n", 47)),
                              &problem);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->printerName, "Dock  Office");
  EXPECT_EQ(ParsePrinterChoice(PrinterChoiceText(*loaded).toUtf8(), nullptr), loaded);

  // A file that is not ours is reported and left as it is.
  { std::ofstream(dir.File("VELDAPRN.DEV"), std::ios::binary) << std::string("\x00\x01garbage", 9); }
  EXPECT_FALSE(LoadPrinterChoice(path, &problem).has_value());
  EXPECT_TRUE(problem.contains("could not be read"));
  std::ifstream in(dir.File("VELDAPRN.DEV"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("\x00\x01garbage", 9));
}

TEST(PrinterStoreTest, AMissingPrinterFallsBackAndSaysSo) {
  App();
  PrinterChoice choice;
  choice.printerName = "A printer that was never installed";
  choice.paper = "A4";
  QPrinter printer(QPrinter::HighResolution);
  QString notice;
  EXPECT_FALSE(ApplyPrinterChoice(choice, printer, &notice));
  EXPECT_TRUE(notice.contains("is not installed")) << notice.toStdString();
  EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    // With no printer at all, reports are written to a PDF file.
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_FALSE(printer.outputFileName().isEmpty());
  }
  const PrinterChoice back = PrinterChoiceFrom(printer);
  EXPECT_EQ(back.paper, "A4");
}

}  // namespace
}  // namespace qw
