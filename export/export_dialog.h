// The "Export Data" dialog: the location, the destination, the days, events or values
// at an interval, and the target fields in order with the repeat count. Confirming it
// checks the choices and writes them to section "ExportData".
#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "export/export_settings.h"
#include "settings/profile_file.h"
#include "shell/location_window.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qw {

class ExportDialog : public QDialog {
  Q_OBJECT

 public:
  // `firstDay` and `lastDay` are the dates the pickers show (00:00); on Export they take
  // the chosen dates.
  ExportDialog(const std::vector<LocationWindow*>& locations, ProfileFile& file, EngineMinute& firstDay,
               EngineMinute& lastDay, QWidget* parent = nullptr);

  // The window chosen, after Export.
  LocationWindow* location() const;
  const ExportSettings& settings() const { return settings_; }
  // The datum the heights are written on, after Export: a datum of the chosen window's
  // station ("" for a current window or a station on its chart datum alone).
  std::string datum() const;

 private:
  void LocationChanged();
  void DestinationChanged();
  void RefillSource();
  void RepeatChanged();
  void SelectField();
  void DeleteField();
  void Browse();
  void Options();
  void ExportClicked();
  std::vector<int> TargetIds() const;
  void Collect();

  std::vector<QPointer<LocationWindow>> windows_;
  ProfileFile& file_;
  EngineMinute& firstDay_;
  EngineMinute& lastDay_;
  ExportSettings settings_;

  QComboBox* location_;
  QComboBox* datum_;
  QLabel* valueLabel_;
  QRadioButton* toWindow_;
  QRadioButton* toClipboard_;
  QRadioButton* toFile_;
  QLineEdit* file_edit_;
  QPushButton* browse_;
  QCheckBox* header_;
  QRadioButton* eventsOnly_;
  QRadioButton* every_;
  QComboBox* interval_;
  QDateEdit* from_;
  QDateEdit* to_;
  QListWidget* source_;
  QListWidget* target_;
  QSpinBox* repeat_;
};

}  // namespace qw
