#include "catalogue/station_list_models.h"

#include <QColor>

#include "catalogue/region_picture.h"

namespace qw {

RegionListModel::RegionListModel(const StationIndex& index, StationKind kind, QObject* parent)
    : QAbstractListModel(parent), index_(index), kind_(kind) {}

int RegionListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(index_.Regions(kind_).size());
}

QVariant RegionListModel::data(const QModelIndex& index, int role) const {
  const RegionIndex* region = index_.Region(kind_, index.row());
  if (!region) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return QString::fromUtf8(region->name);
    case Qt::DecorationRole:
      return Picture(index.row());
    case Qt::SizeHintRole:
      return QSize(kPictureSize, kRowHeight);
    default:
      return {};
  }
}

void RegionListModel::SetMarkedStation(int regionSlot, int stationIndex) {
  if (regionSlot == markedRegion_ && stationIndex == markedStation_) return;
  const int previous = markedRegion_;
  markedRegion_ = regionSlot;
  markedStation_ = stationIndex;
  for (int row : {previous, regionSlot}) {
    if (row >= 0 && row < rowCount()) emit dataChanged(this->index(row), this->index(row), {Qt::DecorationRole});
  }
}

QPixmap RegionListModel::Picture(int regionSlot) const {
  const int marked = regionSlot == markedRegion_ ? markedStation_ : -1;
  auto key = std::make_pair(regionSlot, marked);
  if (auto it = pictures_.find(key); it != pictures_.end()) return it->second;

  const RegionIndex* region = index_.Region(kind_, regionSlot);
  std::vector<GeoPoint> points;
  for (const StationSummary& station : region->stations) {
    if (station.hasPosition) points.push_back({station.latitude, station.longitude});
  }
  std::optional<GeoPoint> mark;
  if (const StationSummary* station = index_.Station(kind_, regionSlot, marked); station && station->hasPosition) {
    mark = GeoPoint{station->latitude, station->longitude};
  }
  // Only the unmarked picture of every region and the marked one in use are kept.
  if (marked >= 0) {
    std::erase_if(pictures_, [&](const auto& entry) { return entry.first.first == regionSlot && entry.first.second >= 0; });
  }
  QPixmap picture = QPixmap::fromImage(DrawRegionPicture(points, FrameAround(points), mark, kPictureSize));
  pictures_[key] = picture;
  return picture;
}

StationListModel::StationListModel(const StationIndex& index, StationKind kind, const UserNoteMarks& notes,
                                   QObject* parent)
    : QAbstractListModel(parent), index_(index), kind_(kind), notes_(notes) {}

void StationListModel::SetRegion(int regionSlot) {
  beginResetModel();
  region_ = regionSlot;
  endResetModel();
}

int StationListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : index_.StationCount(kind_, region_);
}

QString StationListModel::RowText(const StationSummary& station, StationKind kind) {
  QString text = QString::fromUtf8(station.name);
  if (kind == StationKind::Current && station.meterDepth != 0) {
    text += QString("   (%1%2)").arg(station.meterDepth).arg(station.depthFlagD ? "d" : "");
  }
  return text;
}

QVariant StationListModel::data(const QModelIndex& index, int role) const {
  const StationSummary* station = index_.Station(kind_, region_, index.row());
  if (!station) return {};
  const bool general = station->stationId == 0;
  switch (role) {
    case Qt::DisplayRole: return RowText(*station, kind_);
    case Qt::ForegroundRole: return general ? QVariant(QColor(Qt::red)) : QVariant();
    case Qt::TextAlignmentRole:
      return general ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case GeneralAreaRole: return general;
    case OfficialNotesRole: return station->officialNotes;
    case UserNotesRole: return station->stationId != 0 && notes_.Has(kind_, station->kindCode, station->stationId);
    case ReferenceRole: return station->reference;
    default: return {};
  }
}

}  // namespace qw
