// The Print Report and Print Preview commands in a frame, over a real tide window.
#include "reports/report_commands.h"

#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

#include "engine/data_dir.h"
#include "engine/engine_state.h"
#include "reports/print_report_dialog.h"
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

}  // namespace
}  // namespace qw
