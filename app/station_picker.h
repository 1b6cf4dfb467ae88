// A plain region-and-station chooser used by the frame's New and Change Location
// commands: a region list, a filter box and the region's stations. General-area
// headings (no predictions) are listed but cannot be chosen.
#pragma once

#include <QDialog>
#include <optional>

#include "app/catalogue_directory.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace qw {

class StationPicker : public QDialog {
  Q_OBJECT

 public:
  // Opens on the region and station given (the last ones chosen).
  StationPicker(const CatalogueDirectory& catalogue, StationKind kind, int regionSlot, int stationIndex,
                QWidget* parent = nullptr);

  std::optional<StationRef> chosen() const;

  // Runs the dialog; nothing when cancelled.
  static std::optional<StationRef> Choose(const CatalogueDirectory& catalogue, StationKind kind,
                                          int regionSlot, int stationIndex, QWidget* parent);

 private:
  void FillStations();
  void Filter(const QString& text);

  const CatalogueDirectory& catalogue_;
  StationKind kind_;
  QComboBox* regions_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QListWidget* stations_ = nullptr;
};

}  // namespace qw
