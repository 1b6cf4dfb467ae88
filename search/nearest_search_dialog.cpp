#include "search/nearest_search_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/string_table.h"
#include "search/search_texts.h"

namespace qw {
namespace {

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

// The typed box texts as the masks show them ("37°48.30'N").
// Blank digit places show as kBlankDigit; the box is read with them (displayText), since
// text() drops them and would read "4_\u00b030.00'N" as 43\u00b000.0'.
constexpr const char* kLatitudeMask = "99\u00b099.99'>A;_";
constexpr const char* kLongitudeMask = "999\u00b099.99'>A;_";

bool StationPositionOf(const CatalogueDirectory& catalogue, const LocationWindow& window, StationPosition& out) {
  const StationRef ref = window.station();
  if (ref.kind == StationKind::Tide) {
    TideLocation t;
    if (!catalogue.ReadTide(ref, t)) return false;
    out = PositionOfStation(t.latHemisphere, t.latDegrees, t.latMinutes, t.latSeconds, t.lonHemisphere, t.lonDegrees,
                            t.lonMinutes, t.lonSeconds);
  } else {
    CurrentLocation c;
    if (!catalogue.ReadCurrent(ref, c)) return false;
    out = PositionOfStation(c.latHemisphere, c.latDegrees, c.latMinutes, c.latSeconds, c.lonHemisphere, c.lonDegrees,
                            c.lonMinutes, c.lonSeconds);
  }
  return true;
}

void FillRegions(QComboBox* box, const RegionList& regions) {
  for (const RegionNode& region : regions) box->addItem(QString::fromStdString(Trimmed(region.name)));
}

}  // namespace

void ShowPositionError(QWidget* parent, PositionError error) {
  const PositionErrorTexts texts = NearestPositionErrorTexts(error);
  QMessageBox box(QMessageBox::Warning, Text(texts.caption), Text(texts.message), QMessageBox::Ok, parent);
  QString more;
  if (texts.detail) more += Text(texts.detail) + "\n\n";
  more += Text(texts.hint) + "\n\n" + Text(text::kSomeExamples) + "\n" + Text(texts.examples);
  box.setInformativeText(more);
  box.exec();
}

NearestSearchDialog::NearestSearchDialog(const SearchContext& context, ResultsWindow& results,
                                         NearestWindowState& state, QWidget* parent)
    : QDialog(parent), context_(context), results_(&results), state_(state) {
  setWindowTitle(Text(text::kNearestDialogTitle));
  auto* point = new QGridLayout;
  fromLocation_ = new QRadioButton(Text(text::kOpenLocationChoice), this);
  fromCustom_ = new QRadioButton(Text(text::kCustomLocationChoice), this);
  fromCustom_->setObjectName("custom");
  fromLocation_->setObjectName("openLocation");
  auto* source = new QButtonGroup(this);
  source->addButton(fromLocation_);
  source->addButton(fromCustom_);
  location_ = new QComboBox(this);
  locationLatitude_ = new QLabel(this);
  locationLongitude_ = new QLabel(this);
  latitude_ = new QLineEdit(this);
  latitude_->setObjectName("latitude");
  latitude_->setInputMask(QString::fromUtf8(kLatitudeMask));
  longitude_ = new QLineEdit(this);
  longitude_->setObjectName("longitude");
  longitude_->setInputMask(QString::fromUtf8(kLongitudeMask));
  point->addWidget(fromLocation_, 0, 0);
  point->addWidget(location_, 0, 1);
  point->addWidget(new QLabel(Text(text::kLatitudeLabel), this), 0, 2);
  point->addWidget(locationLatitude_, 0, 3);
  point->addWidget(new QLabel(Text(text::kLongitudeLabel), this), 0, 4);
  point->addWidget(locationLongitude_, 0, 5);
  point->addWidget(fromCustom_, 1, 0);
  point->addWidget(new QLabel(Text(text::kLatitudeLabel), this), 1, 2);
  point->addWidget(latitude_, 1, 3);
  point->addWidget(new QLabel(Text(text::kLongitudeLabel), this), 1, 4);
  point->addWidget(longitude_, 1, 5);
  point->setColumnStretch(1, 1);

  auto makeGroup = [this](int check, int rangeLabel, int all, int one, QCheckBox*& on, QSpinBox*& range,
                          QRadioButton*& allButton, QRadioButton*& oneButton, QComboBox*& regions) {
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    on = new QCheckBox(Text(check), group);
    range = new QSpinBox(group);
    range->setRange(0, 250);
    allButton = new QRadioButton(Text(all), group);
    oneButton = new QRadioButton(Text(one), group);
    regions = new QComboBox(group);
    grid->addWidget(on, 0, 0, 1, 2);
    auto* rangeRow = new QHBoxLayout;
    auto* label = new QLabel(Text(rangeLabel), group);
    label->setBuddy(range);
    rangeRow->addWidget(label);
    rangeRow->addWidget(range);
    rangeRow->addWidget(new QLabel(Text(text::kNauticalMilesUnit), group));
    rangeRow->addStretch(1);
    grid->addLayout(rangeRow, 1, 0, 1, 2);
    grid->addWidget(allButton, 2, 0, 1, 2);
    grid->addWidget(oneButton, 3, 0);
    grid->addWidget(regions, 3, 1);
    grid->setColumnStretch(1, 1);
    connect(on, &QCheckBox::toggled, this, &NearestSearchDialog::UpdateEnabled);
    connect(oneButton, &QRadioButton::toggled, this, &NearestSearchDialog::UpdateEnabled);
    return group;
  };
  auto* kinds = new QHBoxLayout;
  kinds->addWidget(makeGroup(text::kFindTideCheck, text::kTideRangeLabel, text::kAllTideRegionsChoice,
                             text::kSingleTideRegion, tideOn_, tideRange_, allTide_, oneTide_, tideRegion_));
  kinds->addWidget(makeGroup(text::kFindCurrentCheck, text::kCurrentRangeLabel, text::kAllCurrentRegionsChoice,
                             text::kSingleCurrentRegion, currentOn_, currentRange_, allCurrent_, oneCurrent_,
                             currentRegion_));
  FillRegions(tideRegion_, context_.catalogue->Regions(StationKind::Tide));
  FillRegions(currentRegion_, context_.catalogue->Regions(StationKind::Current));

  status1_ = new QLabel(this);
  status2_ = new QLabel(this);
  search_ = new QPushButton(Text(text::kSearchButton), this);
  search_->setDefault(true);
  search_->setObjectName("search");
  close_ = new QPushButton(Text(text::kCloseButton), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status1_);
  buttons->addWidget(status2_);
  buttons->addStretch(1);
  buttons->addWidget(search_);
  buttons->addWidget(close_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(point);
  layout->addLayout(kinds);
  layout->addLayout(buttons);

  progress_ = std::make_unique<DialogProgress>(status1_, status2_);
  connect(fromLocation_, &QRadioButton::toggled, this, &NearestSearchDialog::UpdateEnabled);
  connect(location_, &QComboBox::currentIndexChanged, this, &NearestSearchDialog::LocationChanged);
  connect(search_, &QPushButton::clicked, this, &NearestSearchDialog::SearchOrStop);
  connect(close_, &QPushButton::clicked, this, [this] {
    Store();
    accept();
  });
  Restore();
}

void NearestSearchDialog::Restore() {
  int selected = 0;
  for (LocationWindow* window : context_.locations()) {
    if (window == state_.openLocation) selected = static_cast<int>(windows_.size());
    windows_.emplace_back(window);
    location_->addItem(window->locationName());
  }
  const bool haveLocations = !windows_.empty();
  fromLocation_->setEnabled(haveLocations);
  (state_.fromOpenLocation && haveLocations ? fromLocation_ : fromCustom_)->setChecked(true);
  latitude_->setText(QString::fromStdString(state_.customLatitude));
  longitude_->setText(QString::fromStdString(state_.customLongitude));
  tideOn_->setChecked(state_.tideOn);
  tideRange_->setValue(state_.tideRange);
  currentOn_->setChecked(state_.currentOn);
  currentRange_->setValue(state_.currentRange);
  (state_.tideRegion >= 0 ? oneTide_ : allTide_)->setChecked(true);
  (state_.currentRegion >= 0 ? oneCurrent_ : allCurrent_)->setChecked(true);
  tideRegion_->setCurrentIndex(state_.tideRegion);
  currentRegion_->setCurrentIndex(state_.currentRegion);
  if (haveLocations) {
    location_->blockSignals(true);
    location_->setCurrentIndex(selected);
    location_->blockSignals(false);
    LocationChanged();
  }
  UpdateEnabled();
}

void NearestSearchDialog::LocationChanged() {
  const int i = location_->currentIndex();
  if (i < 0 || i >= static_cast<int>(windows_.size()) || !windows_[static_cast<size_t>(i)]) return;
  LocationWindow* window = windows_[static_cast<size_t>(i)];
  StationPosition position;
  if (StationPositionOf(*context_.catalogue, *window, position)) {
    locationLatitude_->setText(QString::fromStdString(LatitudeBoxText(position.latitude)));
    locationLongitude_->setText(QString::fromStdString(LongitudeBoxText(position.longitude)));
  }
  if (state_.regionsChosen) return;
  // Preselect the location's own region, and the region of the same name in the other list.
  const StationRef ref = window->station();
  const bool tide = ref.kind == StationKind::Tide;
  QComboBox* own = tide ? tideRegion_ : currentRegion_;
  QComboBox* other = tide ? currentRegion_ : tideRegion_;
  own->setCurrentIndex(ref.regionSlot);
  other->setCurrentIndex(other->findText(own->currentText(), Qt::MatchFixedString));
}

void NearestSearchDialog::UpdateEnabled() {
  const bool custom = fromCustom_->isChecked();
  location_->setEnabled(!running_ && !custom);
  latitude_->setEnabled(!running_ && custom);
  longitude_->setEnabled(!running_ && custom);
  fromLocation_->setEnabled(!running_ && !windows_.empty());
  fromCustom_->setEnabled(!running_);
  tideOn_->setEnabled(!running_);
  currentOn_->setEnabled(!running_);
  for (auto [on, range, all, one, regions] :
       {std::tuple{tideOn_, tideRange_, allTide_, oneTide_, tideRegion_},
        std::tuple{currentOn_, currentRange_, allCurrent_, oneCurrent_, currentRegion_}}) {
    const bool enabled = !running_ && on->isChecked();
    range->setEnabled(enabled);
    all->setEnabled(enabled);
    one->setEnabled(enabled);
    regions->setEnabled(enabled && one->isChecked());
  }
}

void NearestSearchDialog::Store() {
  state_.fromOpenLocation = fromLocation_->isChecked();
  const int i = location_->currentIndex();
  state_.openLocation = i >= 0 && i < static_cast<int>(windows_.size()) ? windows_[static_cast<size_t>(i)] : nullptr;
  state_.customLatitude = latitude_->displayText().toStdString();
  state_.customLongitude = longitude_->displayText().toStdString();
  state_.tideOn = tideOn_->isChecked();
  state_.tideRange = tideRange_->value();
  state_.tideRegion = oneTide_->isChecked() ? tideRegion_->currentIndex() : -1;
  state_.currentOn = currentOn_->isChecked();
  state_.currentRange = currentRange_->value();
  state_.currentRegion = oneCurrent_->isChecked() ? currentRegion_->currentIndex() : -1;
  state_.regionsChosen = state_.regionsChosen || state_.tideRegion >= 0 || state_.currentRegion >= 0;
}

bool NearestSearchDialog::SearchPoint(NearestQuery& query) {
  if (fromCustom_->isChecked()) {
    query.customPoint = true;
    query.latitudeText = latitude_->displayText().toStdString();
    query.longitudeText = longitude_->displayText().toStdString();
    PositionError error = ParseLatitude(query.latitudeText, query.point.latitude);
    if (error == PositionError::None) error = ParseLongitude(query.longitudeText, query.point.longitude);
    if (error != PositionError::None) {
      ShowPositionError(this, error);
      return false;
    }
    return true;
  }
  const int i = location_->currentIndex();
  if (i < 0 || i >= static_cast<int>(windows_.size()) || !windows_[static_cast<size_t>(i)]) return false;
  LocationWindow* window = windows_[static_cast<size_t>(i)];
  query.locationName = window->locationName().toStdString();
  return StationPositionOf(*context_.catalogue, *window, query.point);
}

void NearestSearchDialog::SetRunning(bool running) {
  running_ = running;
  close_->setEnabled(!running);
  search_->setText(Text(running ? text::kStopButton : text::kSearchButton));
  UpdateEnabled();
}

void NearestSearchDialog::SearchOrStop() {
  if (running_) {
    progress_->RequestStop();
    return;
  }
  if (!results_ || context_.activeChild() != results_.data()) {
    ShowTableMessage(this, text::kNearestActiveNotSearchResults, text::kSearchErrorCaption);
    return;
  }
  NearestQuery query;
  if (!SearchPoint(query)) return;
  Store();
  query.tideOn = state_.tideOn;
  query.tideRange = state_.tideRange;
  query.tideRegion = state_.tideRegion;
  query.currentOn = state_.currentOn;
  query.currentRange = state_.currentRange;
  query.currentRegion = state_.currentRegion;

  SetRunning(true);
  progress_->Clear();
  results_->SetBusy(true);
  const RegionList& tides = context_.catalogue->Regions(StationKind::Tide);
  const RegionList& currents = context_.catalogue->Regions(StationKind::Current);
  const bool finished = FindNearestStations(query, tides, currents, results_->table(), *progress_);
  FinishNearestSearch(results_->table(), query, tides, currents);
  results_->SetBusy(false);
  SetRunning(false);
  progress_->Clear();
  if (finished) accept();
}

void NearestSearchDialog::reject() {
  if (running_) {
    progress_->RequestStop();
    return;
  }
  Store();
  QDialog::reject();
}

}  // namespace qw
