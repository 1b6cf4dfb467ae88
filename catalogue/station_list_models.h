// The location dialog's two lists as Qt models over the in-memory catalogue: the regions
// of one kind, each with its map picture, and the stations of one region.
#pragma once

#include <QAbstractListModel>
#include <QPixmap>
#include <map>
#include <optional>

#include "stations/station_index.h"
#include "stations/user_note_marks.h"

namespace qw {

class RegionListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr int kPictureSize = 64;
  static constexpr int kRowHeight = 90;

  RegionListModel(const StationIndex& index, StationKind kind, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  // DisplayRole: the region's name; DecorationRole: its picture (a QPixmap).
  QVariant data(const QModelIndex& index, int role) const override;

  // Marks a station on its region's picture (the station under the caret); -1 for none.
  void SetMarkedStation(int regionSlot, int stationIndex);

 private:
  QPixmap Picture(int regionSlot) const;

  const StationIndex& index_;
  StationKind kind_;
  int markedRegion_ = -1;
  int markedStation_ = -1;
  mutable std::map<std::pair<int, int>, QPixmap> pictures_;  // (slot, marked station)
};

class StationListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role {
    GeneralAreaRole = Qt::UserRole + 1,  // bool: no station ID, drawn centred in red
    OfficialNotesRole,                   // bool
    UserNotesRole,                       // bool
    ReferenceRole,                       // bool: a harmonic station with an ID
  };

  StationListModel(const StationIndex& index, StationKind kind, const UserNoteMarks& notes, QObject* parent = nullptr);

  void SetRegion(int regionSlot);
  int region() const { return region_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The row text: the name, and for a current station with a meter depth "   (%d)", or
  // "   (%dd)" when its depth flag is the letter "d".
  static QString RowText(const StationSummary& station, StationKind kind);

 private:
  const StationIndex& index_;
  StationKind kind_;
  const UserNoteMarks& notes_;
  int region_ = -1;
};

}  // namespace qw
