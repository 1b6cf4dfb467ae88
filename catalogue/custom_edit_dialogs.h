// The two edit dialogs of a custom location, "Edit Custom Current Location" and "Edit
// Custom Tide Location". Each works on a copy of one record: the fields show it, OK runs
// the checks of custom_edit_rules.h and keeps the dialog open on the first failure, and
// "Start With..." copies another station's record over the one being edited.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "engine/current_location.h"
#include "engine/tide_location.h"
#include "settings/station_directory.h"
#include "stations/custom_edit_rules.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qw {

// Asks the user for an installed station of a kind ("Start With...", new locations);
// nothing when cancelled.
using StationPicker = std::function<std::optional<StationRef>(StationKind kind, QWidget* parent)>;
// The decoded records of an installed station; false when it cannot be read.
using TideRecordReader = std::function<bool(const StationRef& station, TideLocation& out)>;
using CurrentRecordReader = std::function<bool(const StationRef& station, CurrentLocation& out)>;

// A time correction's fields: the plus/minus toggle, hours and minutes.
class TimeFields : public QWidget {
  Q_OBJECT
 public:
  explicit TimeFields(QWidget* parent = nullptr);
  void Set(const TimeInput& time);
  TimeInput Get() const;
  QPushButton* sign() const { return sign_; }
  QLineEdit* hours() const { return hours_; }
  QLineEdit* minutes() const { return minutes_; }

 private:
  QPushButton* sign_;
  QLineEdit* hours_;
  QLineEdit* minutes_;
};

// A masked latitude ("47°36.25'N") or longitude ("122°20.42'W") field.
class PositionField : public QWidget {
  Q_OBJECT
 public:
  PositionField(bool latitude, QWidget* parent = nullptr);
  void Set(const PositionInput& input);
  PositionInput Get() const;
  QLineEdit* edit() const { return edit_; }

 private:
  bool latitude_;
  QLineEdit* edit_;
};

class CustomCurrentEditDialog : public QDialog {
  Q_OBJECT
 public:
  CustomCurrentEditDialog(const CurrentLocation& station, StationPicker pick, CurrentRecordReader read,
                          QWidget* parent = nullptr);
  // The edited record, after OK.
  const CurrentLocation& station() const { return station_; }

  QLineEdit* nameField() const { return name_; }
  QLabel* referenceLine() const { return reference_; }
  QGroupBox* group(CurrentGroup g) const { return groups_[static_cast<size_t>(g)].box; }
  TimeFields* time(CurrentGroup g) const { return groups_[static_cast<size_t>(g)].time; }
  QLineEdit* direction(CurrentGroup g) const { return groups_[static_cast<size_t>(g)].direction; }
  QLineEdit* velocity(CurrentGroup g) const { return groups_[static_cast<size_t>(g)].velocity; }
  QLineEdit* ratio(CurrentGroup g) const { return groups_[static_cast<size_t>(g)].ratio; }
  PositionField* latitude() const { return latitude_; }
  PositionField* longitude() const { return longitude_; }
  void StartWith();
  void accept() override;

 private:
  struct Group {
    QGroupBox* box = nullptr;
    TimeFields* time = nullptr;
    QLineEdit* direction = nullptr;
    QLineEdit* velocity = nullptr;
    QLineEdit* ratio = nullptr;
  };
  void Show(const CurrentLocation& station);
  CurrentEditInput Input() const;

  CurrentLocation station_;
  StationPicker pick_;
  CurrentRecordReader read_;
  QLineEdit* name_ = nullptr;
  QLabel* reference_ = nullptr;
  std::array<Group, kCurrentGroups> groups_;
  PositionField* latitude_ = nullptr;
  PositionField* longitude_ = nullptr;
};

class CustomTideEditDialog : public QDialog {
  Q_OBJECT
 public:
  CustomTideEditDialog(const TideLocation& station, StationPicker pick, TideRecordReader read,
                       QWidget* parent = nullptr);
  const TideLocation& station() const { return station_; }

  // The six corrections, in the order high time, low time, high height, low height, high
  // ratio, low ratio.
  enum Field { HighTime, LowTime, HighHeight, LowHeight, HighRatio, LowRatio, kFields };
  QLineEdit* nameField() const { return name_; }
  QLabel* referenceLine() const { return reference_; }
  QCheckBox* use(Field f) const { return cells_[f].use; }
  TimeFields* time(Field f) const { return cells_[f].time; }
  QLineEdit* value(Field f) const { return cells_[f].value; }
  PositionField* latitude() const { return latitude_; }
  PositionField* longitude() const { return longitude_; }
  void StartWith();
  void accept() override;

 private:
  struct Cell {
    QCheckBox* use = nullptr;
    TimeFields* time = nullptr;  // time rows
    QLineEdit* value = nullptr;  // height and ratio rows
  };
  void Show(const TideLocation& station);
  TideEditInput Input() const;

  TideLocation station_;
  StationPicker pick_;
  TideRecordReader read_;
  QLineEdit* name_ = nullptr;
  QLabel* reference_ = nullptr;
  std::array<Cell, kFields> cells_;
  PositionField* latitude_ = nullptr;
  PositionField* longitude_ = nullptr;
};

}  // namespace qw
