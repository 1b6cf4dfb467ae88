// The "Search for Nearest Locations" dialog: the search point (an open location's
// station or a typed position), the tide and current ranges and regions. It runs the
// search in the user-interface thread with a Stop button.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

#include "search/dialog_progress.h"
#include "search/event_search_dialog.h"
#include "search/nearest_search.h"
#include "search/results_window.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qw {

// The nearest search state kept with one results window.
struct NearestWindowState {
  bool fromOpenLocation = true;
  QPointer<LocationWindow> openLocation;  // the chosen window; none for the first
  std::string customLatitude = "000000N";
  std::string customLongitude = "0000000W";
  bool tideOn = true;
  int tideRange = 100;
  int tideRegion = -1;  // regionSlot of the single region; -1 all regions
  bool currentOn = true;
  int currentRange = 100;
  int currentRegion = -1;
  bool regionsChosen = false;  // a single region was chosen in this window before
};

class NearestSearchDialog : public QDialog {
  Q_OBJECT

 public:
  NearestSearchDialog(const SearchContext& context, ResultsWindow& results, NearestWindowState& state,
                      QWidget* parent = nullptr);

 protected:
  void reject() override;

 private:
  void Restore();
  void LocationChanged();
  void UpdateEnabled();
  void Store();
  void SearchOrStop();
  bool SearchPoint(NearestQuery& query);
  void SetRunning(bool running);

  SearchContext context_;
  QPointer<ResultsWindow> results_;
  NearestWindowState& state_;
  std::vector<QPointer<LocationWindow>> windows_;
  bool running_ = false;
  std::unique_ptr<DialogProgress> progress_;

  QRadioButton* fromLocation_ = nullptr;
  QRadioButton* fromCustom_ = nullptr;
  QComboBox* location_ = nullptr;
  QLabel* locationLatitude_ = nullptr;
  QLabel* locationLongitude_ = nullptr;
  QLineEdit* latitude_ = nullptr;
  QLineEdit* longitude_ = nullptr;
  QCheckBox* tideOn_ = nullptr;
  QSpinBox* tideRange_ = nullptr;
  QRadioButton* allTide_ = nullptr;
  QRadioButton* oneTide_ = nullptr;
  QComboBox* tideRegion_ = nullptr;
  QCheckBox* currentOn_ = nullptr;
  QSpinBox* currentRange_ = nullptr;
  QRadioButton* allCurrent_ = nullptr;
  QRadioButton* oneCurrent_ = nullptr;
  QComboBox* currentRegion_ = nullptr;
  QLabel* status1_ = nullptr;
  QLabel* status2_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* close_ = nullptr;
};

// Shows the dialog of a refused typed position, with its hint and examples.
void ShowPositionError(QWidget* parent, PositionError error);

}  // namespace qw
