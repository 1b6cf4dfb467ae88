// The real-time window's dialogs: "Real Time Window Setup" (the two lists, adding from
// the location dialog or from the open windows, and the window's options) and "Add Open
// Locations to Real Time Window".
#pragma once

#include <QDialog>
#include <vector>

#include "settings/app_settings.h"
#include "windows/real_time_lists.h"
#include "windows/real_time_window.h"

class QCheckBox;
class QListWidget;
class QSpinBox;

namespace qw {

class CatalogueDirectory;

// Offers the open windows and returns the stations of those the user highlighted; empty
// when cancelled or when there is nothing to offer (the user has been told).
std::vector<StationRef> ChooseOpenWindows(const std::vector<OpenLocationInfo>& open, QWidget* parent);

// Adds the stations to the lists and tells the user what could not be added.
AddManyOutcome AddOpenStations(RealTimeLists& lists, const std::vector<StationRef>& stations, QWidget* parent);

// Adds stations of a kind through the location dialog; a full list is refused at once
// with message 3000 or 3002.
void AddThroughLocationDialog(RealTimeLists& lists, StationKind kind, const LocationChooser& choose, QWidget* parent);

class AddOpenWindowsDialog : public QDialog {
  Q_OBJECT

 public:
  AddOpenWindowsDialog(const std::vector<OpenLocationInfo>& open, QWidget* parent = nullptr);
  std::vector<StationRef> chosen() const;
  QListWidget* list() const { return list_; }

 private:
  std::vector<OpenLocationInfo> open_;
  QListWidget* list_ = nullptr;
};

class RealTimeSetupDialog : public QDialog {
  Q_OBJECT

 public:
  RealTimeSetupDialog(const CatalogueDirectory& catalogue, const AppSettings& settings, RealTimeLists lists,
                      RealTimeServices services, QWidget* parent = nullptr);

  const RealTimeLists& lists() const { return lists_; }
  // The options as set in the dialog, over a copy of `settings`.
  void WriteOptions(AppSettings& settings) const;

  void AddStations(StationKind kind);
  void AddWindows();
  // Removes the highlighted entries of both lists.
  void DeleteHighlighted();

  QListWidget* tideList() const { return tideList_; }
  QListWidget* currentList() const { return currentList_; }
  QCheckBox* onTopBox() const { return onTop_; }
  QCheckBox* showChangeBox() const { return showChange_; }
  QCheckBox* rememberBox() const { return remember_; }
  QSpinBox* periodBox() const { return period_; }

 private:
  void FillLists();
  void ChangeFont();

  const CatalogueDirectory& catalogue_;
  RealTimeLists lists_;
  RealTimeServices services_;
  FontSetting font_;
  QListWidget* tideList_ = nullptr;
  QListWidget* currentList_ = nullptr;
  QCheckBox* onTop_ = nullptr;
  QCheckBox* showChange_ = nullptr;
  QCheckBox* remember_ = nullptr;
  QSpinBox* period_ = nullptr;
};

}  // namespace qw
