#include "windows/real_time_setup.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/report.h"
#include "engine/string_table.h"
#include "present/font_setting.h"
#include "settings/catalogue_directory.h"
#include "shell/user_notices.h"

namespace qw {

std::vector<StationRef> ChooseOpenWindows(const std::vector<OpenLocationInfo>& open, QWidget* parent) {
  if (open.empty()) {
    Tell(parent, kNothingToAddTitle, kNothingToAddText);
    return {};
  }
  AddOpenWindowsDialog dialog(open, parent);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.chosen();
}

AddManyOutcome AddOpenStations(RealTimeLists& lists, const std::vector<StationRef>& stations, QWidget* parent) {
  AddManyOutcome outcome;
  for (const StationRef& station : stations) {
    switch (lists.Add(station)) {
      case RealTimeAdd::Added: ++outcome.added; break;
      case RealTimeAdd::AlreadyListed: ++outcome.refusedListed; break;
      case RealTimeAdd::ListFull: ++outcome.refusedFull; break;
    }
  }
  const std::string message = AddManyMessage(outcome);
  if (!message.empty()) Tell(parent, kUnableToAddTitle, QString::fromStdString(message));
  return outcome;
}

void AddThroughLocationDialog(RealTimeLists& lists, StationKind kind, const LocationChooser& choose, QWidget* parent) {
  if (lists.Full(kind)) {
    Tell(parent, kProductName, StringText(ListFullMessage(kind)));
    return;
  }
  if (!choose) return;
  const LocationPurpose purpose = kind == StationKind::Tide ? LocationPurpose::RealTimeTide
                                                            : LocationPurpose::RealTimeCurrent;
  choose(purpose, parent, [&lists](const StationRef& station) { return lists.AddAction(station); });
}

AddOpenWindowsDialog::AddOpenWindowsDialog(const std::vector<OpenLocationInfo>& open, QWidget* parent)
    : QDialog(parent), open_(open) {
  setWindowTitle("Add Open Locations to Real Time Window");
  list_ = new QListWidget;
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  for (const OpenLocationInfo& location : open_) {
    auto* item = new QListWidgetItem(
        (location.station.kind == StationKind::Tide ? "Tide: " : "Current: ") + location.title, list_);
    item->setToolTip(location.title);
  }
  auto* selectAll = new QPushButton("Select &All");
  connect(selectAll, &QPushButton::clicked, list_, &QListWidget::selectAll);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(selectAll);
  bottom->addStretch();
  bottom->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Highlight the windows to add:"));
  layout->addWidget(list_);
  layout->addLayout(bottom);
  resize(420, 320);
}

std::vector<StationRef> AddOpenWindowsDialog::chosen() const {
  std::vector<StationRef> stations;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->isSelected()) stations.push_back(open_[static_cast<size_t>(row)].station);
  }
  return stations;
}

RealTimeSetupDialog::RealTimeSetupDialog(const CatalogueDirectory& catalogue, const AppSettings& settings,
                                         RealTimeLists lists, RealTimeServices services, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      lists_(std::move(lists)),
      services_(std::move(services)),
      font_(settings.realTimeFont) {
  setWindowTitle("Real Time Window Setup");
  tideList_ = new QListWidget;
  currentList_ = new QListWidget;
  for (QListWidget* list : {tideList_, currentList_}) list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* addTide = new QPushButton("&Add Tide...");
  auto* addCurrent = new QPushButton("Add Cu&rrent...");
  auto* addWindows = new QPushButton("Add Win&dows...");
  auto* remove = new QPushButton("D&elete");
  connect(addTide, &QPushButton::clicked, this, [this] { AddStations(StationKind::Tide); });
  connect(addCurrent, &QPushButton::clicked, this, [this] { AddStations(StationKind::Current); });
  connect(addWindows, &QPushButton::clicked, this, &RealTimeSetupDialog::AddWindows);
  connect(remove, &QPushButton::clicked, this, &RealTimeSetupDialog::DeleteHighlighted);
  addCurrent->setEnabled(static_cast<bool>(services_.choose));
  addTide->setEnabled(static_cast<bool>(services_.choose));
  addWindows->setEnabled(static_cast<bool>(services_.openWindows));

  auto* listGrid = new QGridLayout;
  listGrid->addWidget(new QLabel("Tide Stations"), 0, 0);
  listGrid->addWidget(new QLabel("Current Stations"), 0, 1);
  listGrid->addWidget(tideList_, 1, 0);
  listGrid->addWidget(currentList_, 1, 1);
  auto* listButtons = new QHBoxLayout;
  for (QPushButton* button : {addTide, addCurrent, addWindows, remove}) listButtons->addWidget(button);
  listGrid->addLayout(listButtons, 2, 0, 1, 2);

  onTop_ = new QCheckBox("&Window always on top");
  onTop_->setChecked(settings.realTimeAlwaysOnTop != 0);
  showChange_ = new QCheckBox("Show &next tide or current change");
  showChange_->setChecked(settings.realTimeShowChange != 0);
  remember_ = new QCheckBox("Remember window &position");
  remember_->setChecked(settings.realTimeRememberPos != 0);
  period_ = new QSpinBox;
  period_->setRange(1, 15);
  period_->setValue(std::clamp(settings.realTimeUpdatePeriod, 1, 15));
  auto* periodLabel = new QLabel("&Update every");
  periodLabel->setBuddy(period_);
  auto* font = new QPushButton("Change &Font...");
  connect(font, &QPushButton::clicked, this, &RealTimeSetupDialog::ChangeFont);
  auto* options = new QGroupBox("Options");
  auto* optionGrid = new QGridLayout(options);
  optionGrid->addWidget(onTop_, 0, 0, 1, 3);
  optionGrid->addWidget(showChange_, 1, 0, 1, 3);
  optionGrid->addWidget(remember_, 2, 0, 1, 3);
  optionGrid->addWidget(periodLabel, 3, 0);
  optionGrid->addWidget(period_, 3, 1);
  optionGrid->addWidget(new QLabel("Minutes."), 3, 2);
  optionGrid->addWidget(font, 4, 0, 1, 2);
  optionGrid->setColumnStretch(2, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(listGrid, 1);
  layout->addWidget(options);
  layout->addWidget(buttons);
  resize(560, 480);
  FillLists();
}

void RealTimeSetupDialog::FillLists() {
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    QListWidget* list = kind == StationKind::Tide ? tideList_ : currentList_;
    list->clear();
    for (const StationRef& station : lists_.Of(kind)) {
      std::string name = catalogue_.StationName(station);
      if (name.empty()) name = "(station " + std::to_string(station.regionSlot) + ":" + std::to_string(station.stationIndex) + ")";
      list->addItem(QString::fromUtf8(name));
    }
  }
}

void RealTimeSetupDialog::AddStations(StationKind kind) {
  AddThroughLocationDialog(lists_, kind, services_.choose, this);
  FillLists();
}

void RealTimeSetupDialog::AddWindows() {
  if (!services_.openWindows) return;
  const std::vector<StationRef> chosen = ChooseOpenWindows(services_.openWindows(), this);
  if (chosen.empty()) return;
  AddOpenStations(lists_, chosen, this);
  FillLists();
}

void RealTimeSetupDialog::DeleteHighlighted() {
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    QListWidget* list = kind == StationKind::Tide ? tideList_ : currentList_;
    for (int row = list->count() - 1; row >= 0; --row) {
      if (list->item(row)->isSelected()) lists_.Remove(kind, static_cast<size_t>(row));
    }
  }
  FillLists();
}

void RealTimeSetupDialog::ChangeFont() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, FontFromSetting(font_), this, "Real Time Font");
  if (ok) font_ = SettingFromFont(chosen, font_);
}

void RealTimeSetupDialog::WriteOptions(AppSettings& settings) const {
  settings.realTimeAlwaysOnTop = onTop_->isChecked() ? 1 : 0;
  settings.realTimeShowChange = showChange_->isChecked() ? 1 : 0;
  settings.realTimeRememberPos = remember_->isChecked() ? 1 : 0;
  settings.realTimeUpdatePeriod = period_->value();
  settings.realTimeFont = font_;
}

}  // namespace qw
