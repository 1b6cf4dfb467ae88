#include "catalogue/location_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/location_delegates.h"
#include "catalogue/station_list_models.h"
#include "engine/report.h"
#include "engine/station_database.h"
#include "engine/string_table.h"
#include "shell/help_viewer.h"
#include "shell/real_time_list.h"
#include "shell/user_notices.h"
#include "stations/station_detail.h"

namespace qw {

LocationDialog::LocationDialog(const StationIndex& index, int purpose, AppSettings& memory, StationAction action,
                               QWidget* parent)
    : QDialog(parent),
      index_(index),
      purpose_(purpose),
      kind_(PurposeKind(purpose)),
      memory_(memory),
      action_(std::move(action)) {
  setObjectName("LocationDlgDef");
  setWindowTitle(PurposeTitle(purpose));
  regionsInstalled_ = !index_.Regions(kind_).empty();
  noteMarks_.Scan();
  BuildLayout();
  if (!regionsInstalled_) return;

  // Open on the remembered region and station, the first of each when out of range.
  int region = RememberedRegion();
  if (region < 0 || region >= static_cast<int>(index_.Regions(kind_).size())) region = 0;
  int station = region == RememberedRegion() ? RememberedStation() : 0;
  if (station < 0 || station >= index_.StationCount(kind_, region)) station = 0;
  SelectRegion(region, station, CountLineForm::Opening);
  nameSearch_->setFocus();
}

LocationDialog::~LocationDialog() = default;

bool LocationDialog::Run(const StationIndex& index, int purpose, AppSettings& memory, StationAction action,
                         QWidget* parent, NotesOpener notes) {
  LocationDialog dialog(index, purpose, memory, std::move(action), parent);
  if (!dialog.regionsInstalled()) {
    Tell(parent, NoRegionsTitle(dialog.kind()), NoRegionsText(dialog.kind()));
    return false;
  }
  dialog.SetNotesOpener(std::move(notes));
  return dialog.exec() == QDialog::Accepted;
}

void LocationDialog::BuildLayout() {
  regionModel_ = new RegionListModel(index_, kind_, this);
  stationModel_ = new StationListModel(index_, kind_, noteMarks_, this);

  regions_ = new QListView;
  regions_->setModel(regionModel_);
  regions_->setItemDelegate(new RegionDelegate(regions_));
  regions_->setSelectionMode(QAbstractItemView::SingleSelection);
  regions_->setUniformItemSizes(true);
  regions_->setFixedWidth(RegionListModel::kPictureSize + 64);
  regions_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* regionsLabel = new QLabel("&Regions:");
  regionsLabel->setBuddy(regions_);

  stations_ = new QListView;
  stations_->setModel(stationModel_);
  stations_->setItemDelegate(new StationDelegate(stations_));
  stations_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  stations_->setUniformItemSizes(true);
  stations_->setMinimumWidth(320);
  auto* stationsLabel = new QLabel("&Locations:");
  stationsLabel->setBuddy(stations_);
  count_ = new QLabel;

  // The detail panel.
  auto* detail = new QGroupBox("Detail");
  auto* detailGrid = new QGridLayout(detail);
  detailTitle_ = new QLabel;
  detailTitle_->setWordWrap(true);
  QFont bold = detailTitle_->font();
  bold.setBold(true);
  detailTitle_->setFont(bold);
  detailId_ = new QLabel;
  referenceLabel_ = new QLabel("Ref Station:");
  reference_ = new QLabel;
  reference_->setWordWrap(true);
  latitudeLabel_ = new QLabel("Latitude:");
  latitude_ = new QLabel;
  longitudeLabel_ = new QLabel("Longitude:");
  longitude_ = new QLabel;
  nature_ = new QLabel;
  nature_->setWordWrap(true);
  licenceLabel_ = new QLabel("Licence:");
  licence_ = new QLabel;
  licence_->setWordWrap(true);
  detailGrid->addWidget(detailTitle_, 0, 0, 1, 2);
  detailGrid->addWidget(detailId_, 1, 0, 1, 2);
  detailGrid->addWidget(referenceLabel_, 2, 0, Qt::AlignTop);
  detailGrid->addWidget(reference_, 2, 1);
  detailGrid->addWidget(latitudeLabel_, 3, 0);
  detailGrid->addWidget(latitude_, 3, 1);
  detailGrid->addWidget(longitudeLabel_, 4, 0);
  detailGrid->addWidget(longitude_, 4, 1);
  detailGrid->addWidget(nature_, 5, 0, 1, 2);
  detailGrid->addWidget(licenceLabel_, 6, 0, Qt::AlignTop);
  detailGrid->addWidget(licence_, 6, 1);
  detailGrid->setRowStretch(7, 1);
  detailGrid->setColumnStretch(1, 1);
  detail->setMinimumWidth(250);

  // The searches.
  nameMode_ = new QRadioButton("Name &Search");
  idMode_ = new QRadioButton("Station &ID Search:");
  auto* modes = new QButtonGroup(this);
  modes->addButton(nameMode_);
  modes->addButton(idMode_);
  nameMode_->setChecked(true);
  nameSearch_ = new QLineEdit;
  idSearch_ = new QLineEdit;
  idSearch_->setValidator(new QIntValidator(0, 99999, idSearch_));
  idSearch_->setMaximumWidth(90);
  prev_ = new QPushButton("<<&Prev");
  next_ = new QPushButton("&Next>>");
  auto* search = new QGridLayout;
  search->addWidget(nameMode_, 0, 0);
  search->addWidget(nameSearch_, 0, 1, 1, 3);
  search->addWidget(idMode_, 1, 0);
  search->addWidget(idSearch_, 1, 1);
  search->addWidget(prev_, 1, 2);
  search->addWidget(next_, 1, 3);
  search->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical);
  notes_ = buttons->addButton("N&otes...", QDialogButtonBox::ActionRole);
  help_ = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
  notes_->setEnabled(false);

  auto* left = new QVBoxLayout;
  left->addWidget(regionsLabel);
  left->addWidget(regions_, 1);
  auto* middle = new QVBoxLayout;
  middle->addWidget(stationsLabel);
  middle->addWidget(stations_, 1);
  middle->addWidget(count_);
  middle->addLayout(search);
  auto* right = new QVBoxLayout;
  right->addWidget(detail, 1);
  right->addWidget(buttons);
  auto* top = new QHBoxLayout(this);
  top->addLayout(left);
  top->addLayout(middle, 1);
  top->addLayout(right);
  resize(820, 520);

  connect(buttons, &QDialogButtonBox::accepted, this, &LocationDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &LocationDialog::reject);
  connect(notes_, &QPushButton::clicked, this, &LocationDialog::OpenNotes);
  connect(help_, &QPushButton::clicked, this, [this] { ShowHelp(PurposeHelpTopic(purpose_), this); });
  connect(regions_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid() && current.row() != stationModel_->region()) {
              SelectRegion(current.row(), 0, CountLineForm::RegionChanged);
            }
          });
  connect(stations_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &LocationDialog::SelectionChanged);
  connect(stations_->selectionModel(), &QItemSelectionModel::currentChanged, this, &LocationDialog::UpdateDetail);
  connect(stations_, &QListView::doubleClicked, this, &LocationDialog::accept);
  connect(nameSearch_, &QLineEdit::textChanged, this, &LocationDialog::NameSearchChanged);
  connect(idSearch_, &QLineEdit::textChanged, this, &LocationDialog::IdSearchChanged);
  // Typing in a box chooses its search.
  connect(nameSearch_, &QLineEdit::textChanged, nameMode_, [this] { nameMode_->setChecked(true); });
  connect(idSearch_, &QLineEdit::textChanged, idMode_, [this] { idMode_->setChecked(true); });
  connect(next_, &QPushButton::clicked, this, [this] { Step(+1); });
  connect(prev_, &QPushButton::clicked, this, [this] { Step(-1); });
}

void LocationDialog::SetNotesOpener(NotesOpener opener) {
  notesOpener_ = std::move(opener);
  UpdateDetail();
}

int& LocationDialog::RememberedRegion() {
  return kind_ == StationKind::Tide ? memory_.defaultTideRegion : memory_.defaultCurrentRegion;
}

int& LocationDialog::RememberedStation() {
  return kind_ == StationKind::Tide ? memory_.defaultTideSubregion : memory_.defaultCurrentSubregion;
}

StationRef LocationDialog::RefOf(int stationIndex) const {
  return StationRef{kind_, static_cast<uint16_t>(stationModel_->region()), static_cast<uint16_t>(stationIndex)};
}

void LocationDialog::SelectRegion(int regionSlot, int stationIndex, CountLineForm form) {
  quietSelection_ = true;
  regions_->selectionModel()->setCurrentIndex(regionModel_->index(regionSlot), QItemSelectionModel::ClearAndSelect);
  regions_->scrollTo(regionModel_->index(regionSlot));
  stationModel_->SetRegion(regionSlot);
  SelectOnly(stationIndex);
  quietSelection_ = false;
  count_->setText(QString::fromStdString(CountLine(form, stationModel_->rowCount(), 0)));
  UpdateDetail();
}

void LocationDialog::SelectOnly(int stationIndex) {
  QItemSelectionModel* selection = stations_->selectionModel();
  if (stationIndex < 0 || stationIndex >= stationModel_->rowCount()) {
    selection->clearSelection();
    return;
  }
  const QModelIndex row = stationModel_->index(stationIndex);
  selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
  stations_->scrollTo(row, QAbstractItemView::PositionAtCenter);
}

void LocationDialog::SelectionChanged() {
  if (!quietSelection_) {
    count_->setText(QString::fromStdString(
        CountLine(CountLineForm::Selection, stationModel_->rowCount(), static_cast<int>(selectedStations().size()))));
  }
  UpdateDetail();
}

int LocationDialog::currentRegion() const { return stationModel_ ? stationModel_->region() : -1; }

int LocationDialog::caretStation() const {
  const QModelIndex current = stations_->selectionModel()->currentIndex();
  return current.isValid() ? current.row() : -1;
}

std::vector<int> LocationDialog::selectedStations() const {
  std::vector<int> rows;
  for (const QModelIndex& index : stations_->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

QString LocationDialog::countLine() const { return count_->text(); }

QStringList LocationDialog::detailLines() const {
  QStringList lines;
  auto add = [&](const QLabel* label, const QLabel* value) {
    if (value->isHidden() || value->text().isEmpty()) return;
    lines << (label ? label->text() + " " + value->text() : value->text());
  };
  add(nullptr, detailTitle_);
  add(nullptr, detailId_);
  add(referenceLabel_, reference_);
  add(latitudeLabel_, latitude_);
  add(longitudeLabel_, longitude_);
  add(nullptr, nature_);
  add(licenceLabel_, licence_);
  return lines;
}

void LocationDialog::UpdateDetail() {
  const std::vector<int> selected = selectedStations();
  const int caret = caretStation();
  const int region = stationModel_->region();
  regionModel_->SetMarkedStation(region, caret);

  StationDetail detail;
  const StationSummary* summary = index_.Station(kind_, region, caret);
  if (selected.size() > 1) {
    detail.title = kMultipleSelectedText;
  } else if (summary) {
    const RegionIndex* held = index_.Region(kind_, region);
    if (kind_ == StationKind::Tide) {
      const TideLocation& record = held->tides[static_cast<size_t>(caret)];
      detail = DescribeTideStation(record, IsSubordinate(record) ? ReferenceStationName(record) : std::string());
    } else {
      const CurrentLocation& record = held->currents[static_cast<size_t>(caret)];
      detail = DescribeCurrentStation(record, IsSubordinate(record) ? CurrentReferenceName(record.referenceId)
                                                                    : std::string());
    }
  }
  detailTitle_->setText(QString::fromUtf8(detail.title));
  detailId_->setText(QString::fromStdString(detail.idLine));
  reference_->setText(QString::fromUtf8(detail.reference));
  latitude_->setText(QString::fromUtf8(detail.latitude));
  longitude_->setText(QString::fromUtf8(detail.longitude));
  nature_->setText(detail.generalArea ? QString(kGeneralAreaText) : QString::fromUtf8(detail.nature));
  // A licence that forbids commercial use is said in red where the user chooses.
  QString licence = QString::fromUtf8(detail.licence);
  if (detail.nonCommercial) licence += QString(" \u2014 ") + kNonCommercialText;
  licence_->setText(licence);
  licence_->setStyleSheet(detail.nonCommercial ? "color: #b00000; font-weight: bold;" : "");
  const bool described = !detail.reference.empty();
  referenceLabel_->setVisible(described);
  reference_->setVisible(described);
  latitudeLabel_->setVisible(described && !detail.longitude.empty());
  latitude_->setVisible(described);
  longitudeLabel_->setVisible(described && !detail.longitude.empty());
  longitude_->setVisible(described && !detail.longitude.empty());
  licenceLabel_->setVisible(described && !detail.licence.empty());
  licence_->setVisible(described && !detail.licence.empty());
  notes_->setEnabled(notesOpener_ && summary && selected.size() <= 1);
}

void LocationDialog::NameSearchChanged(const QString& text) {
  stations_->selectionModel()->clearSelection();
  if (text.isEmpty()) {
    if (stationModel_->rowCount() > 0) {
      stations_->selectionModel()->setCurrentIndex(stationModel_->index(0), QItemSelectionModel::NoUpdate);
      stations_->scrollTo(stationModel_->index(0));
    }
    return;
  }
  // The selected region first, then the others in list order: a name is found wherever it is.
  Show(index_.FindByNameAcross(kind_, stationModel_->region(), -1, text.toStdString(), +1, true));
}

void LocationDialog::IdSearchChanged(const QString& text) {
  bool ok = false;
  const uint32_t id = text.toUInt(&ok);
  if (!ok) return;
  Show(index_.FindByIdAcross(kind_, stationModel_->region(), -1, id, +1, true));
}

void LocationDialog::Step(int direction) {
  const int caret = caretStation();
  StationMatch found;
  if (idMode_->isChecked()) {
    bool ok = false;
    const uint32_t id = idSearch_->text().toUInt(&ok);
    if (ok) found = index_.FindByIdAcross(kind_, stationModel_->region(), caret, id, direction, false);
  } else {
    found = index_.FindByNameAcross(kind_, stationModel_->region(), caret, nameSearch_->text().toStdString(),
                                    direction, false);
  }
  if (!found.found()) {
    Beep();
    return;
  }
  Show(found);
}

void LocationDialog::Show(const StationMatch& place) {
  if (!place.found()) return;
  if (place.regionSlot == stationModel_->region()) {
    SelectOnly(place.index);
  } else {
    // The region list follows the match.
    SelectRegion(place.regionSlot, place.index, CountLineForm::RegionChanged);
  }
}

void LocationDialog::OpenNotes() {
  const StationSummary* station = index_.Station(kind_, stationModel_->region(), caretStation());
  if (!station || !notesOpener_) return;
  const NotesView view = NotesViewFor(*station);
  if (view == NotesView::None) {
    Tell(this, kProductName, StringText(kMessageNotesNotAvailable));
    return;
  }
  notesOpener_(RefOf(caretStation()), view);
}

void LocationDialog::accept() {
  if (!regionsInstalled_) return;
  const std::vector<int> selected = selectedStations();
  if (const int refusal = CheckSelection(purpose_, selected.size())) {
    Tell(this, kProductName, StringText(refusal));
    return;
  }
  for (int row : selected) {
    const StationSummary* station = index_.Station(kind_, stationModel_->region(), row);
    if (!station || station->stationId == 0) {
      if (selected.size() == 1) {
        Tell(this, kProductName, StringText(kMessageNotAPort));
        return;
      }
      continue;
    }
    const StationActionResult result = action_ ? action_(RefOf(row)) : StationActionResult::Done;
    if (result == StationActionResult::ListFull) {
      Tell(this, kUnableToAddTitle, kListLimitText);
      break;
    }
    if (result == StationActionResult::AlreadyListed) {
      Tell(this, kUnableToAddTitle, QString(kAlreadyListedText).arg(QString::fromUtf8(station->name)));
    }
  }
  RememberedRegion() = stationModel_->region();
  RememberedStation() = std::max(caretStation(), 0);
  QDialog::accept();
}

}  // namespace qw
