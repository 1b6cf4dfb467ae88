// The location dialog: how the user picks stations. A column of installed regions with
// their map pictures, the region's stations, a detail panel for the station under the
// caret, and searches by name and by station ID. The purpose it is opened with sets the
// title, the catalogue (tides or currents) and what OK does; OK performs the purpose's
// action through the caller's callback for each chosen station.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "catalogue/location_purpose.h"
#include "settings/app_settings.h"
#include "shell/location_choice.h"
#include "stations/station_index.h"
#include "stations/user_note_marks.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;

namespace qw {

class RegionListModel;
class StationListModel;

// Opens the notes of a station in the given view.
using NotesOpener = std::function<void(const StationRef& station, NotesView view)>;

class LocationDialog : public QDialog {
  Q_OBJECT

 public:
  // `memory` holds the last region and station chosen of each kind (the "Default
  // Location" settings): the dialog opens on them and OK records the new choice.
  LocationDialog(const StationIndex& index, int purpose, AppSettings& memory, StationAction action,
                 QWidget* parent = nullptr);
  ~LocationDialog() override;

  // Opens the dialog; when no region of the purpose's kind is installed, says so and
  // returns false without opening. True when OK was pressed and the action performed.
  static bool Run(const StationIndex& index, int purpose, AppSettings& memory, StationAction action,
                  QWidget* parent, NotesOpener notes = {});

  bool regionsInstalled() const { return regionsInstalled_; }
  StationKind kind() const { return kind_; }
  // "N&otes..." is enabled only with an opener.
  void SetNotesOpener(NotesOpener opener);

  // The state the user sees, for the tests.
  int currentRegion() const;
  int caretStation() const;
  std::vector<int> selectedStations() const;  // in list order
  QString countLine() const;
  QStringList detailLines() const;  // the detail panel's non-empty lines, top to bottom
  QListView* regionView() const { return regions_; }
  QListView* stationView() const { return stations_; }
  QLineEdit* nameSearch() const { return nameSearch_; }
  QLineEdit* idSearch() const { return idSearch_; }
  QRadioButton* nameMode() const { return nameMode_; }
  QRadioButton* idMode() const { return idMode_; }
  QPushButton* nextButton() const { return next_; }
  QPushButton* prevButton() const { return prev_; }
  QPushButton* notesButton() const { return notes_; }

  // OK: checks the selection and performs the purpose's action.
  void accept() override;

 private:
  void BuildLayout();
  void SelectRegion(int regionSlot, int stationIndex, CountLineForm form);
  void SelectOnly(int stationIndex);
  void SelectionChanged();
  void UpdateDetail();
  void NameSearchChanged(const QString& text);
  void IdSearchChanged(const QString& text);
  void Step(int direction);
  void Show(const StationMatch& place);  // selects a search's match, in its region
  void OpenNotes();
  StationRef RefOf(int stationIndex) const;
  int& RememberedRegion();
  int& RememberedStation();

  const StationIndex& index_;
  int purpose_;
  StationKind kind_;
  AppSettings& memory_;
  StationAction action_;
  NotesOpener notesOpener_;
  bool regionsInstalled_ = false;
  bool quietSelection_ = false;  // selection made by the dialog itself: keep the count line's form
  UserNoteMarks noteMarks_;

  RegionListModel* regionModel_ = nullptr;
  StationListModel* stationModel_ = nullptr;
  QListView* regions_ = nullptr;
  QListView* stations_ = nullptr;
  QLabel* count_ = nullptr;
  QLabel* detailTitle_ = nullptr;
  QLabel* detailId_ = nullptr;
  QLabel* referenceLabel_ = nullptr;
  QLabel* reference_ = nullptr;
  QLabel* latitudeLabel_ = nullptr;
  QLabel* latitude_ = nullptr;
  QLabel* longitudeLabel_ = nullptr;
  QLabel* longitude_ = nullptr;
  QLabel* nature_ = nullptr;
  QLabel* licenceLabel_ = nullptr;
  QLabel* licence_ = nullptr;
  QRadioButton* nameMode_ = nullptr;
  QRadioButton* idMode_ = nullptr;
  QLineEdit* nameSearch_ = nullptr;
  QLineEdit* idSearch_ = nullptr;
  QPushButton* prev_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* notes_ = nullptr;
  QPushButton* help_ = nullptr;
};

}  // namespace qw
