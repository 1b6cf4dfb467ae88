// The "Export Calendar" dialog: the dates, which events, and the file, for the station
// of the active tide or current window.
#pragma once

#include <QDialog>

#include "engine/engine_values.h"
#include "settings/station_directory.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;

namespace qw {

struct CalendarChoice {
  EngineMinute firstDay = 0;  // 00:00 of the dates chosen
  EngineMinute lastDay = 0;
  unsigned events = 0;  // CalendarEventSet bits
  QString file;
};

class CalendarDialog : public QDialog {
  Q_OBJECT

 public:
  // `choice` fills the controls; on Export it takes what was chosen.
  CalendarDialog(const QString& locationName, StationKind kind, CalendarChoice& choice, QWidget* parent = nullptr);

 private:
  void Browse();
  void ExportClicked();

  CalendarChoice& choice_;
  QDateEdit* from_;
  QDateEdit* to_;
  QCheckBox* water_;
  QCheckBox* sun_;
  QCheckBox* moon_;
  QCheckBox* phases_;
  QLineEdit* file_;
};

}  // namespace qw
