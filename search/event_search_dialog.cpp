#include "search/event_search_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "engine/calendar.h"
#include "engine/installed_catalogue.h"
#include "engine/string_table.h"
#include "present/qt_date.h"
#include "search/search_texts.h"
#include "settings/typed_number.h"

namespace qw {
namespace {

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

}  // namespace

void ShowTableMessage(QWidget* parent, int message, int caption, bool warning) {
  QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information, Text(caption), Text(message),
                  QMessageBox::Ok, parent);
  box.exec();
}

void EventSearchDialog::Open(const SearchContext& context, ResultsWindow& results, EventWindowState& state,
                             QWidget* parent) {
  if (context.locations().empty()) {
    ShowTableMessage(parent, text::kNoOpenLocations, text::kEventSearchErrorCaption);
    return;
  }
  EventSearchDialog dialog(context, results, state, parent);
  dialog.exec();
}

EventSearchDialog::EventSearchDialog(const SearchContext& context, ResultsWindow& results, EventWindowState& state,
                                     QWidget* parent)
    : QDialog(parent), context_(context), results_(&results), state_(state) {
  setWindowTitle(Text(text::kEventDialogTitle));
  auto* form = new QFormLayout;
  location_ = new QComboBox(this);
  location_->setObjectName("location");
  form->addRow(Text(text::kLocationLabel), location_);

  kind_ = new QComboBox(this);
  kind_->setObjectName("kind");
  condition_ = new QComboBox(this);
  condition_->setObjectName("condition");
  period_ = new QComboBox(this);
  period_->setObjectName("period");
  for (int p = 0; p < kPeriodCount; ++p) period_->addItem(PeriodText(p));
  value_ = new QLineEdit(this);
  value_->setObjectName("value");
  auto* validator = new QDoubleValidator(value_);
  validator->setLocale(TypedNumberLocale());
  value_->setValidator(validator);
  value_->setMaxLength(10);
  value_->setMaximumWidth(90);
  unit_ = new QLabel(this);
  auto* what = new QGridLayout;
  what->addWidget(kind_, 0, 0);
  what->addWidget(condition_, 0, 1);
  auto* valueRow = new QHBoxLayout;
  valueRow->addWidget(value_);
  valueRow->addWidget(unit_);
  valueRow->addWidget(period_);
  valueRow->addStretch(1);
  what->addLayout(valueRow, 1, 1);
  auto* searchFor = new QLabel(Text(text::kSearchForLabel), this);
  searchFor->setBuddy(kind_);
  form->addRow(searchFor, what);

  from_ = new QDateEdit(this);
  to_ = new QDateEdit(this);
  from_->setObjectName("from");
  to_->setObjectName("to");
  for (QDateEdit* edit : {from_, to_}) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("MM/dd/yyyy");
    edit->setDateRange(QDate(1901, 1, 1), QDate(2099, 12, 31));
  }
  auto* dates = new QHBoxLayout;
  dates->addWidget(from_);
  auto* toLabel = new QLabel(Text(text::kToDateLabel), this);
  toLabel->setBuddy(to_);
  dates->addWidget(toLabel);
  dates->addWidget(to_);
  dates->addStretch(1);
  auto* fromLabel = new QLabel(Text(text::kFromDateLabel), this);
  fromLabel->setBuddy(from_);
  form->addRow(fromLabel, dates);

  timeOn_ = new QCheckBox(Text(text::kTimeOfDayCheck), this);
  timeOn_->setObjectName("timeOn");
  startTime_ = new QTimeEdit(this);
  endTime_ = new QTimeEdit(this);
  for (QTimeEdit* edit : {startTime_, endTime_}) edit->setDisplayFormat("hh:mm AP");
  auto* times = new QHBoxLayout;
  times->addWidget(timeOn_);
  times->addWidget(new QLabel(Text(text::kStartTimeLabel), this));
  times->addWidget(startTime_);
  times->addWidget(new QLabel(Text(text::kEndTimeLabel), this));
  times->addWidget(endTime_);
  times->addStretch(1);

  weekdayOn_ = new QCheckBox(Text(text::kDayOfWeekCheck), this);
  auto* days = new QHBoxLayout;
  days->addWidget(weekdayOn_);
  for (int d = 0; d < 7; ++d) {
    weekdays_[static_cast<size_t>(d)] = new QCheckBox(Text(text::kWeekdayNames + d), this);
    days->addWidget(weekdays_[static_cast<size_t>(d)]);
  }
  days->addStretch(1);

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
  layout->addLayout(form);
  layout->addLayout(times);
  layout->addLayout(days);
  layout->addSpacing(6);
  layout->addLayout(buttons);

  progress_ = std::make_unique<DialogProgress>(status1_, status2_);
  connect(location_, &QComboBox::currentIndexChanged, this, &EventSearchDialog::LocationChanged);
  connect(kind_, &QComboBox::currentIndexChanged, this, &EventSearchDialog::KindChanged);
  connect(condition_, &QComboBox::currentIndexChanged, this, &EventSearchDialog::ConditionChanged);
  connect(timeOn_, &QCheckBox::toggled, startTime_, &QWidget::setEnabled);
  connect(timeOn_, &QCheckBox::toggled, endTime_, &QWidget::setEnabled);
  connect(weekdayOn_, &QCheckBox::toggled, this, [this](bool on) {
    for (QCheckBox* box : weekdays_) box->setEnabled(on);
  });
  connect(search_, &QPushButton::clicked, this, &EventSearchDialog::SearchOrStop);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  Restore();
}

StationKind EventSearchDialog::SelectedKind() const {
  const int i = location_->currentIndex();
  if (i < 0 || i >= static_cast<int>(windows_.size()) || !windows_[static_cast<size_t>(i)]) return StationKind::Tide;
  return windows_[static_cast<size_t>(i)]->station().kind;
}

ValueUnits EventSearchDialog::Units() const {
  const AppSettings& s = *context_.settings;
  return ValueUnits{s.tideUnit, s.currentUnit, s.timeType};
}

void EventSearchDialog::Restore() {
  int selected = 0;
  for (LocationWindow* window : context_.locations()) {
    if (state_.used && window == state_.location) selected = static_cast<int>(windows_.size());
    windows_.emplace_back(window);
    location_->addItem(window->locationName());
  }
  location_->blockSignals(true);
  location_->setCurrentIndex(selected);
  location_->blockSignals(false);
  FillKinds(SelectedKind());
  const bool restore = state_.used && state_.location && windows_[static_cast<size_t>(selected)] == state_.location;
  if (restore) {
    const EventSearchSettings& s = state_.settings;
    from_->setDate(QDateOfMinute(s.rangeStart));
    to_->setDate(QDateOfMinute(s.rangeEnd));
    startTime_->setTime(QTime(s.startTime / 60, s.startTime % 60));
    endTime_->setTime(QTime(s.endTime / 60, s.endTime % 60, 59));
    timeOn_->setChecked(s.timeOfDayOn);
    weekdayOn_->setChecked(s.weekdayOn);
    for (int d = 0; d < 7; ++d) weekdays_[static_cast<size_t>(d)]->setChecked((s.weekdayBits >> d) & 1);
    kind_->setCurrentIndex(s.kindPosition);
    condition_->setCurrentIndex(s.conditionPosition);
    period_->setCurrentIndex(s.periodPosition);
    value_->setText(QString::asprintf("%-4.1f", s.threshold).trimmed());
  } else {
    from_->setDate(QDate::currentDate());
    to_->setDate(QDate::currentDate());
    startTime_->setTime(QTime(0, 0, 0));
    endTime_->setTime(QTime(23, 59, 59));
    timeOn_->setChecked(false);
    weekdayOn_->setChecked(false);
  }
  startTime_->setEnabled(timeOn_->isChecked());
  endTime_->setEnabled(timeOn_->isChecked());
  for (QCheckBox* box : weekdays_) box->setEnabled(weekdayOn_->isChecked());
  KindChanged();
}

void EventSearchDialog::LocationChanged() {
  const StationKind kind = SelectedKind();
  if (kind != listedKind_) FillKinds(kind);
}

void EventSearchDialog::FillKinds(StationKind kind) {
  listedKind_ = kind;
  kind_->blockSignals(true);
  kind_->clear();
  for (int p = 0; p < SearchKindCount(kind); ++p) kind_->addItem(SearchKindText(kind, p));
  kind_->setCurrentIndex(0);
  kind_->blockSignals(false);
  KindChanged();
}

void EventSearchDialog::KindChanged() {
  const int kind = SearchKindNumber(listedKind_, kind_->currentIndex());
  unit_->setText(ValueUnitLabel(kind, Units()));
  const int wanted = ConditionCountFor(kind);
  if (condition_->count() != wanted) {
    const int previous = condition_->currentIndex();
    condition_->blockSignals(true);
    condition_->clear();
    for (int c = 0; c < wanted; ++c) condition_->addItem(ConditionText(c));
    condition_->setCurrentIndex(previous >= 0 && previous < wanted ? previous : 0);
    condition_->blockSignals(false);
  }
  ConditionChanged();
}

void EventSearchDialog::ConditionChanged() {
  const bool periods = condition_->currentIndex() >= kConditionGreatest;
  value_->setVisible(!periods);
  unit_->setVisible(!periods);
  period_->setVisible(periods);
}

bool EventSearchDialog::Collect(EventSearchSettings& s) const {
  const int i = location_->currentIndex();
  if (i < 0 || i >= static_cast<int>(windows_.size()) || !windows_[static_cast<size_t>(i)]) return false;
  LocationWindow* window = windows_[static_cast<size_t>(i)];
  s.stationKind = window->station().kind;
  s.regionSlot = window->station().regionSlot;
  s.stationIndex = window->station().stationIndex;
  s.locationName = window->locationName().toStdString();
  s.rangeStart = MinuteOfQDate(from_->date());
  s.rangeEnd = MinuteOfQDate(to_->date());
  s.timeOfDayOn = timeOn_->isChecked();
  s.startTime = startTime_->time().hour() * 60 + startTime_->time().minute();
  s.endTime = endTime_->time().hour() * 60 + endTime_->time().minute();
  s.weekdayOn = weekdayOn_->isChecked();
  s.weekdayBits = 0;
  for (int d = 0; d < 7; ++d) {
    if (weekdays_[static_cast<size_t>(d)]->isChecked()) s.weekdayBits = static_cast<uint8_t>(s.weekdayBits | (1u << d));
  }
  s.kindPosition = kind_->currentIndex();
  s.conditionPosition = condition_->currentIndex();
  s.periodPosition = period_->currentIndex();
  s.valueText = value_->text().trimmed().toStdString();
  // Read the way the validator accepted it: in the system locale ("5,5" in German).
  const std::optional<double> typed = ReadTypedNumber(value_->text());
  s.thresholdGiven = typed.has_value();
  s.threshold = typed.value_or(0);
  return true;
}

void EventSearchDialog::SetRunning(bool running) {
  running_ = running;
  for (QWidget* w : std::initializer_list<QWidget*>{location_, kind_, condition_, period_, value_, from_, to_, timeOn_,
                                                    weekdayOn_, close_}) {
    w->setEnabled(!running);
  }
  startTime_->setEnabled(!running && timeOn_->isChecked());
  endTime_->setEnabled(!running && timeOn_->isChecked());
  for (QCheckBox* box : weekdays_) box->setEnabled(!running && weekdayOn_->isChecked());
  search_->setText(Text(running ? text::kStopButton : text::kSearchButton));
}

void EventSearchDialog::SearchOrStop() {
  if (running_) {
    progress_->RequestStop();
    return;
  }
  if (!results_ || context_.activeChild() != results_.data()) {
    ShowTableMessage(this, text::kActiveNotSearchResults, text::kEventSearchErrorCaption);
    return;
  }
  EventSearchSettings settings;
  if (!Collect(settings)) return;
  EventSearchPlan plan;
  SearchRefusal refusal;
  if (!PlanEventSearch(settings, Units(), plan, refusal)) {
    ShowTableMessage(this, refusal.message, refusal.caption, refusal.caption != text::kInformationCaption);
    return;
  }
  LocationWindow* window = windows_[static_cast<size_t>(location_->currentIndex())];
  SearchStation station;
  station.kind = settings.stationKind;
  const StationRef ref = window->station();
  const bool read = station.kind == StationKind::Tide ? context_.catalogue->ReadTide(ref, station.tide)
                                                      : context_.catalogue->ReadCurrent(ref, station.current);
  if (!read) return;  // the catalogue has said why
  // Thresholds are heights on the datum the window shows.
  if (station.kind == StationKind::Tide) SelectDatum(station.tide, window->datum());
  station.clock = station.kind == StationKind::Tide ? context_.catalogue->ClockOf(ref, station.tide)
                                                    : context_.catalogue->ClockOf(ref, station.current);
  state_.settings = settings;
  state_.settings.searchCode = plan.code;
  state_.location = window;
  state_.used = true;

  SetRunning(true);
  progress_->Clear();
  results_->SetBusy(true);
  const bool finished = RunEventSearch(station, plan, results_->table(), *progress_, Units(), state_.columnColour);
  results_->SetBusy(false);
  FinishEventSearch(results_->table(), settings, Units(),
                    station.kind == StationKind::Tide ? ShownDatumName(station.tide) : std::string());
  SetRunning(false);
  progress_->Clear();
  if (finished) accept();
}

void EventSearchDialog::reject() {
  if (running_) {
    progress_->RequestStop();
    return;
  }
  QDialog::reject();
}

}  // namespace qw
