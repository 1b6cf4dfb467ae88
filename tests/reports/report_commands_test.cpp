// The Print Report and Print Preview commands in a frame, over a real tide window.
#include "reports/report_commands.h"

#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "reports/print_report_dialog.h"
#include "reports/table_report.h"
#include "shell/printable_table.h"
#include "settings/default_station.h"
#include "settings/settings_store.h"
#include "tests/reports/reports_test_app.h"
#include "tests/shell/fake_frame.h"
#include "windows/tide_window.h"

namespace qw {
namespace {

// Runs `inspect` on the dialog of type T that the next step opens, then closes it. The
// dialog is looked for among the visible top-level windows until it shows.
template <typename T, typename Inspect>
void WhenShown(Inspect inspect) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  int tries = 0;
  QObject::connect(timer, &QTimer::timeout, [timer, inspect, tries]() mutable {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
        timer->stop();
        timer->deleteLater();
        inspect(*dialog);
        dialog->reject();
        return;
      }
    }
    if (++tries > 500) {
      // Name what showed instead and close it, so the test fails rather than waits.
      QWidget* modal = QApplication::activeModalWidget();
      ADD_FAILURE() << "the dialog did not show; "
                    << (modal ? "a window titled \"" + modal->windowTitle().toStdString() + "\" did: " + (qobject_cast<QMessageBox*>(modal) ? qobject_cast<QMessageBox*>(modal)->text().toStdString() : std::string()) : "nothing did");
      timer->stop();
      timer->deleteLater();
      if (modal) modal->close();
    }
  });
  timer->start();
}

TEST(ReportCommandsTest, TheFramesCommandsOpenTheDialogAndThePreview) {
  test::ReportsApp();
  if (!std::filesystem::exists(std::string(QW_TEST_DATA_DIR) + "/catalogue.csv")) {
    GTEST_SKIP() << "no built data at " QW_TEST_DATA_DIR;
  }
  ResetEngine();
  SetDataDirectory(QW_TEST_DATA_DIR);
  CatalogueDirectory catalogue;
  catalogue.Open();
  // The dialog stores its choices in the settings file.
  QTemporaryDir home;
  ProfileFile file(QDir(home.path()).filePath("velda.ini").toStdString());
  file.LoadFromText("[Misc]\nFirstRun=0\n[ReportOptions]\nReportType=0\nReportFormat=0\nUseWindowDate=1\n");
  AppSettings settings = LoadSettings(file, 480);
  test::FakeFrame frame([&](const LocationWindowSpec& spec) -> LocationWindow* {
    return spec.station.kind == StationKind::Tide ? MakeTideWindow(catalogue, settings, spec) : nullptr;
  });
  InstallReportCommands(frame, settings, file, catalogue);
  EXPECT_TRUE(frame.Enabled(Command::PrintReport));
  EXPECT_TRUE(frame.Enabled(Command::PrintPreview));

  const std::optional<StationRef> station = DefaultTideStation(catalogue);
  ASSERT_TRUE(station.has_value());
  LocationWindow* window = frame.OpenLocation(*station, MinuteOf(2025, 6, 18));
  ASSERT_NE(window, nullptr);

  QStringList listed;
  WhenShown<PrintReportDialog>([&](PrintReportDialog& dialog) {
    for (int row = 0; row < dialog.findChild<QListWidget*>()->count(); ++row) {
      listed << dialog.findChild<QListWidget*>()->item(row)->text();
    }
  });
  EXPECT_TRUE(frame.Run(Command::PrintReport));
  EXPECT_EQ(listed, QStringList{window->title()});

  int pages = -1;
  QString title;
  WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
    title = preview.windowTitle();
    if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) pages = widget->pageCount();
  });
  EXPECT_TRUE(frame.Run(Command::PrintPreview));
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(title, "Daily Tide Report (smooth graph)");
  ResetEngine();
}

// A results window as the commands see it: a table that prints.
class TableWindow : public QWidget, public PrintableTable {
 public:
  TableWindow() : model_(150, 2) {
    model_.setHorizontalHeaderLabels({"Date", "Height"});
    for (int row = 0; row < model_.rowCount(); ++row) {
      model_.setItem(row, 0, new QStandardItem(QString("day %1").arg(row)));
      model_.setItem(row, 1, new QStandardItem(QString("%1.0 ft").arg(row)));
    }
  }
  const QAbstractItemModel& printModel() const override { return model_; }
  QStringList printHeadings() const override { return {"Event Search Results", "Alameda"}; }

 private:
  QStandardItemModel model_;
};

TEST(ReportCommandsTest, AResultsWindowPrintsAndPreviewsItsTable) {
  test::ReportsApp();
  QTemporaryDir home;
  ProfileFile file(QDir(home.path()).filePath("velda.ini").toStdString());
  file.LoadFromText("[PrintTabular]\nPageNumbers=1\nGrid=1\n");
  AppSettings settings;
  CatalogueDirectory catalogue;
  test::FakeFrame frame;
  InstallReportCommands(frame, settings, file, catalogue);
  frame.AddChildWindow(new TableWindow, Command::ExportData);

  int pages = -1;
  QString title;
  WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
    title = preview.windowTitle();
    if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) pages = widget->pageCount();
  });
  EXPECT_TRUE(frame.Run(Command::PrintPreview));
  EXPECT_GE(pages, 2);
  EXPECT_EQ(title, "Event Search Results");

  // Print asks the table's choices first; declining them prints nothing.
  bool asked = false;
  WhenShown<PrintTableDialog>([&](PrintTableDialog&) { asked = true; });
  EXPECT_TRUE(frame.Run(Command::PrintReport));
  EXPECT_TRUE(asked);
}

}  // namespace
}  // namespace qw
