// The Configure dialog: pages General, Graphing, Colors and Startup over a copy of the
// settings. OK applies the copy; Cancel leaves the settings as they were. Colour
// schemes are saved or deleted in the settings file the moment the user confirms.
#pragma once

#include <QDialog>
#include <array>

#include "settings/app_settings.h"
#include "settings/profile_file.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qw {

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  SettingsDialog(const AppSettings& settings, ProfileFile& file, QWidget* parent = nullptr);
  // The edited settings (valid after accept()).
  const AppSettings& edited() const { return edited_; }
  // True when a colour scheme was saved or deleted in the settings file.
  bool schemesChanged() const { return schemesTouched_; }

  void accept() override;

 private:
  QWidget* BuildGeneral();
  QWidget* BuildGraphing();
  QWidget* BuildColors();
  QWidget* BuildStartup();
  void LoadScheme(int number);
  void ShowColors();
  void PickColor(int which);
  void SaveSchemeAs();
  void DeleteScheme();
  void FillSchemeList();
  // Asks to save unsaved colour changes; false when the user cancels.
  bool OfferToSaveColors();
  void Collect();

  AppSettings edited_;
  ProfileFile& file_;
  QTabWidget* tabs_ = nullptr;
  int colorsPage_ = -1;
  int previousPage_ = 0;

  // General
  QButtonGroup* clock_ = nullptr;
  QButtonGroup* tideUnit_ = nullptr;
  QButtonGroup* currentUnit_ = nullptr;
  QCheckBox* daylight_ = nullptr;
  QCheckBox* dateInTitle_ = nullptr;
  QCheckBox* prevNextAll_ = nullptr;
  QCheckBox* pilot_ = nullptr;
  QCheckBox* closeBeforeOpen_ = nullptr;
  QComboBox* math_ = nullptr;
  // Graphing
  QComboBox* style_ = nullptr;
  QCheckBox* grid_ = nullptr;
  QCheckBox* weeklyGrid_ = nullptr;
  QCheckBox* nowLine_ = nullptr;
  QCheckBox* highLine_ = nullptr;
  QCheckBox* lowLine_ = nullptr;
  QComboBox* tideHigh_ = nullptr;
  QComboBox* tideLow_ = nullptr;
  QLineEdit* tideHighValue_ = nullptr;
  QLineEdit* tideLowValue_ = nullptr;
  QLineEdit* tideHighLabel_ = nullptr;
  QLineEdit* tideLowLabel_ = nullptr;
  QComboBox* currentHigh_ = nullptr;
  QComboBox* currentLow_ = nullptr;
  QLineEdit* currentHighValue_ = nullptr;
  QLineEdit* currentLowValue_ = nullptr;
  QLineEdit* currentHighLabel_ = nullptr;
  QLineEdit* currentLowLabel_ = nullptr;
  QCheckBox* userSlack_ = nullptr;
  QLineEdit* slackValue_ = nullptr;
  QComboBox* tableInterval_ = nullptr;
  QCheckBox* infoOn_ = nullptr;
  QCheckBox* weeklyOn_ = nullptr;
  QCheckBox* tableOn_ = nullptr;
  QPushButton* fontButton_ = nullptr;
  // Colors
  QComboBox* schemes_ = nullptr;
  std::array<QPushButton*, 7> colorButtons_{};
  ColorScheme scheme_;
  int schemeNumber_ = 1;
  bool colorsChanged_ = false;
  bool schemesTouched_ = false;
  // Startup
  QCheckBox* welcome_ = nullptr;
  QCheckBox* caution_ = nullptr;
  QCheckBox* autoOpen_ = nullptr;
  QComboBox* startSize_ = nullptr;
};

// Runs the dialog; true when the user pressed OK (the settings were changed in place).
bool RunSettingsDialog(AppSettings& settings, ProfileFile& file, QWidget* parent);

}  // namespace qw
