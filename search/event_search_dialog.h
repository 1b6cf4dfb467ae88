// The "Search for Event" dialog: the open location, the kind of event, the condition,
// the dates and the optional time-of-day and weekday limits. It runs the search in the
// user-interface thread with a Stop button, filling the results window as hits arrive.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

#include "search/dialog_progress.h"
#include "search/event_search_run.h"
#include "search/results_window.h"
#include "settings/app_settings.h"
#include "settings/catalogue_directory.h"
#include "shell/location_window.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace qw {

// The event search state kept with one results window.
struct EventWindowState {
  EventSearchSettings settings;
  QPointer<LocationWindow> location;  // the window searched
  bool used = false;                  // a search has been confirmed
  QColor columnColour;                // the list's background, section "EventSearch"
};

// What the dialog needs from the program.
struct SearchContext {
  std::function<std::vector<LocationWindow*>()> locations;  // the open tide and current windows, in order
  std::function<QWidget*()> activeChild;                     // the active child window of the frame
  const CatalogueDirectory* catalogue = nullptr;
  const AppSettings* settings = nullptr;
};

class EventSearchDialog : public QDialog {
  Q_OBJECT

 public:
  EventSearchDialog(const SearchContext& context, ResultsWindow& results, EventWindowState& state,
                    QWidget* parent = nullptr);

  // Shows the dialog for the results window; tells the user and returns when there is
  // no open location to search.
  static void Open(const SearchContext& context, ResultsWindow& results, EventWindowState& state, QWidget* parent);

 protected:
  void reject() override;

 private:
  void Restore();
  void LocationChanged();
  void FillKinds(StationKind kind);
  void KindChanged();
  void ConditionChanged();
  void SearchOrStop();
  bool Collect(EventSearchSettings& out) const;
  void SetRunning(bool running);
  StationKind SelectedKind() const;
  ValueUnits Units() const;

  SearchContext context_;
  QPointer<ResultsWindow> results_;
  EventWindowState& state_;
  std::vector<QPointer<LocationWindow>> windows_;
  StationKind listedKind_ = StationKind::Tide;
  bool running_ = false;
  std::unique_ptr<DialogProgress> progress_;

  QComboBox* location_ = nullptr;
  QComboBox* kind_ = nullptr;
  QComboBox* condition_ = nullptr;
  QComboBox* period_ = nullptr;
  QLineEdit* value_ = nullptr;
  QLabel* unit_ = nullptr;
  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QCheckBox* timeOn_ = nullptr;
  QTimeEdit* startTime_ = nullptr;
  QTimeEdit* endTime_ = nullptr;
  QCheckBox* weekdayOn_ = nullptr;
  std::array<QCheckBox*, 7> weekdays_{};
  QLabel* status1_ = nullptr;
  QLabel* status2_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* close_ = nullptr;
};

// Shows a message box with texts from the string table.
void ShowTableMessage(QWidget* parent, int message, int caption, bool warning = true);

}  // namespace qw
