// The one application object of the report tests (widgets need a QApplication; the
// PDF writer needs at least a QGuiApplication), offscreen unless a platform is chosen.
#pragma once

#include <QApplication>
#include <cstdlib>

namespace qw::test {

inline QApplication& ReportsApp() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "reports_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace qw::test
