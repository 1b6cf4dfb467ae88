// A child window whose contents print as a table: the results windows of the searches
// and of the data export. The frame's Print Report, Print Preview and Quick Print
// commands print such a window's rows under its heading lines.
#pragma once

#include <QStringList>

class QAbstractItemModel;

namespace qw {

class PrintableTable {
 public:
  virtual ~PrintableTable() = default;

  // The rows, with their labels in the vertical header.
  virtual const QAbstractItemModel& printModel() const = 0;
  // The lines above the table, empty lines left out.
  virtual QStringList printHeadings() const = 0;
};

}  // namespace qw
