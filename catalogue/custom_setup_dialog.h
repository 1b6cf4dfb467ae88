// The custom-location setup dialog of one kind ("Setup Custom Tide Locations" or "Setup
// Custom Current Locations"): lists the entries of the custom file, moves, creates, edits
// and deletes locations and sections, and saves the file on OK. The list and the file work
// are CustomLocationList's; the dialog shows and asks.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "catalogue/custom_edit_dialogs.h"
#include "settings/app_settings.h"
#include "stations/custom_locations.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qw {

// A location shown in an open window.
struct OpenCustomTemplate {
  StationRef station;
  QString title;
};

// What the setup dialog needs from the program.
struct CustomSetupHost {
  // The stations of the open windows of the kind ("Select from a list of open locations").
  std::function<std::vector<OpenCustomTemplate>(StationKind kind)> openLocations;
  // The regular selection list (the location dialog for a custom definition).
  StationPicker pickStation;
  TideRecordReader readTide;
  CurrentRecordReader readCurrent;
};

class CustomSetupDialog : public QDialog {
  Q_OBJECT

 public:
  // `expectedEntries`: the custom region's entry count in the catalogue (-1 without one).
  CustomSetupDialog(StationKind kind, int expectedEntries, const AppSettings& settings, CustomSetupHost host,
                    QWidget* parent = nullptr);
  ~CustomSetupDialog() override;

  // How a location is edited: by default the edit dialog of the kind; tests answer for
  // the user. True when the record was changed and is to be stored.
  using TideEditor = std::function<bool(TideLocation& station, QWidget* parent)>;
  using CurrentEditor = std::function<bool(CurrentLocation& station, QWidget* parent)>;
  using SectionNamer = std::function<std::optional<QString>(const QString& current, QWidget* parent)>;
  // The choice of the "Create New Custom Location" dialog: the template station, or none.
  using TemplateChooser = std::function<std::optional<StationRef>(QWidget* parent)>;
  void SetEditors(TideEditor tide, CurrentEditor current) {
    editTide_ = std::move(tide);
    editCurrent_ = std::move(current);
  }
  void SetSectionNamer(SectionNamer namer) { nameSection_ = std::move(namer); }
  void SetTemplateChooser(TemplateChooser chooser) { chooseTemplate_ = std::move(chooser); }

  // The buttons' actions.
  void MoveUp();
  void MoveDown();
  void NewLocation();
  void NewSection();
  void EditEntry();
  void DeleteEntry();
  void accept() override;
  void reject() override;

  // Runs the start dialog of the program pilot ("New Location" or "New Section").
  void RunPilot();

  const CustomLocationList& list() const { return list_; }
  QListWidget* listWidget() const { return listWidget_; }
  QString countLine() const;
  int selected() const;
  void Select(int row);
  // The number of entries after OK, 0 after Cancel.
  int entries() const { return entries_; }

 private:
  void CheckReferences(QWidget* parent);
  void BuildLayout();
  void Refresh(int select);
  bool EditLocation(CustomRecord& record);
  std::optional<StationRef> ChooseTemplate();

  StationKind kind_;
  const AppSettings& settings_;
  CustomSetupHost host_;
  CustomLocationList list_;
  TideEditor editTide_;
  CurrentEditor editCurrent_;
  SectionNamer nameSection_;
  TemplateChooser chooseTemplate_;
  int entries_ = 0;
  QListWidget* listWidget_ = nullptr;
  QLabel* count_ = nullptr;
};

// The whole command: asks to close the custom windows (`customWindowsOpen`, then
// `closeCustomWindows`), runs the setup dialog and, after OK, calls `rebuildCatalogue`.
struct CustomCommandHost : CustomSetupHost {
  std::function<bool(StationKind kind)> customWindowsOpen;
  std::function<void(StationKind kind)> closeCustomWindows;
  std::function<int(StationKind kind)> customEntryCount;  // -1: no custom region
  std::function<void()> rebuildCatalogue;
};
int RunCustomLocations(StationKind kind, const AppSettings& settings, const CustomCommandHost& host, QWidget* parent);

}  // namespace qw
