#include "app/station_picker.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qw {

StationPicker::StationPicker(const CatalogueDirectory& catalogue, StationKind kind, int regionSlot,
                             int stationIndex, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), kind_(kind) {
  setWindowTitle(kind == StationKind::Tide ? "Select Tide Location" : "Select Current Location");
  auto* layout = new QVBoxLayout(this);
  auto* regionLabel = new QLabel("&Region:");
  layout->addWidget(regionLabel);
  regions_ = new QComboBox;
  regionLabel->setBuddy(regions_);
  for (int slot = 0; slot < catalogue.RegionCount(kind); ++slot) {
    regions_->addItem(QString::fromStdString(catalogue.RegionName(kind, slot)));
  }
  layout->addWidget(regions_);
  auto* filterLabel = new QLabel("&Find:");
  filter_ = new QLineEdit;
  filterLabel->setBuddy(filter_);
  layout->addWidget(filterLabel);
  layout->addWidget(filter_);
  auto* stationLabel = new QLabel("&Location:");
  stations_ = new QListWidget;
  stationLabel->setBuddy(stations_);
  layout->addWidget(stationLabel);
  layout->addWidget(stations_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  resize(460, 520);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(regions_, &QComboBox::currentIndexChanged, this, &StationPicker::FillStations);
  connect(filter_, &QLineEdit::textChanged, this, &StationPicker::Filter);
  connect(stations_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (item->flags() & Qt::ItemIsSelectable) accept();
  });
  auto updateOk = [this, buttons] {
    buttons->button(QDialogButtonBox::Ok)->setEnabled(chosen().has_value());
  };
  connect(stations_, &QListWidget::currentRowChanged, this, updateOk);

  if (regionSlot >= 0 && regionSlot < regions_->count()) regions_->setCurrentIndex(regionSlot);
  FillStations();
  if (stationIndex >= 0 && stationIndex < stations_->count()) {
    stations_->setCurrentRow(stationIndex);
    stations_->scrollToItem(stations_->currentItem(), QAbstractItemView::PositionAtCenter);
  }
  updateOk();
}

void StationPicker::FillStations() {
  stations_->clear();
  const int slot = regions_->currentIndex();
  if (slot < 0) return;
  const std::vector<std::string> names = catalogue_.StationNames(kind_, slot);
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(names[i]), stations_);
    item->setData(Qt::UserRole, static_cast<int>(i));
    const StationRef station{kind_, static_cast<uint16_t>(slot), static_cast<uint16_t>(i)};
    if (!catalogue_.IsPredictionStation(station)) {
      item->setFlags(Qt::ItemIsEnabled);
      QFont bold = item->font();
      bold.setBold(true);
      item->setFont(bold);
    }
  }
  Filter(filter_->text());
}

void StationPicker::Filter(const QString& text) {
  for (int row = 0; row < stations_->count(); ++row) {
    QListWidgetItem* item = stations_->item(row);
    item->setHidden(!text.isEmpty() && !item->text().contains(text, Qt::CaseInsensitive));
  }
}

std::optional<StationRef> StationPicker::chosen() const {
  const QListWidgetItem* item = stations_->currentItem();
  if (!item || !(item->flags() & Qt::ItemIsSelectable) || item->isHidden()) return std::nullopt;
  return StationRef{kind_, static_cast<uint16_t>(regions_->currentIndex()),
                    static_cast<uint16_t>(item->data(Qt::UserRole).toInt())};
}

std::optional<StationRef> StationPicker::Choose(const CatalogueDirectory& catalogue, StationKind kind,
                                                int regionSlot, int stationIndex, QWidget* parent) {
  StationPicker picker(catalogue, kind, regionSlot, stationIndex, parent);
  if (picker.exec() != QDialog::Accepted) return std::nullopt;
  return picker.chosen();
}

}  // namespace qw
