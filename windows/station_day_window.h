// The window of one station on one day, tide or current. From top to bottom: the title
// area, the information areas (the day's events, the station's averages, sun and moon),
// the weekly view, and the day graph; the minute table runs down the right-hand side.
//
// A subclass asks the engine for a day and hands back its presentation
// (day_presentation.h); this class only lays it out and draws it. Render() draws the same
// picture on any paint device, so a bitmap or a printed page shows what the screen shows.
#pragma once

#include <QTableView>
#include <array>

#include "present/day_presentation.h"
#include "present/minute_table_model.h"
#include "settings/app_settings.h"
#include "shell/location_window.h"
#include "windows/minute_timer.h"

namespace qw {

class StationDayWindow : public LocationWindow {
  Q_OBJECT

 public:
  StationRef station() const override { return ref_; }
  QString title() const override;
  EngineMinute day() const override { return day_; }
  void SetDay(EngineMinute day) override;
  ViewSwitches switches() const override { return switches_; }
  void SetInfoShown(bool shown) override;
  void SetWeeklyShown(bool shown) override;
  bool SetTableShown(bool shown) override;
  void SettingsChanged() override;
  void Render(QPainter& painter, const QRect& target) override;

  const DayPresentation& presentation() const { return view_; }
  const MinuteTableModel& tableModel() const { return *model_; }
  // True when the graph could not be scaled (message 2600 was shown).
  bool graphFailed() const { return graphFailed_; }
  // The graph's rectangle in the window as last laid out.
  QRect graphArea() const;

  // The present moment on the graph: shown while the date shown is today at the station
  // and the settings' NowLine is on, moved at every minute of `clock`. The computer's
  // clock unless a test sets its own.
  void SetWallClock(WallClock clock);
  const std::optional<NowMark>& nowMark() const { return now_; }

  // The context help of the area at `pos`: its menu caption ("Help on graph area") and
  // help topic ("tide_window#graph"); an empty caption outside every area.
  struct AreaHelp {
    QString caption;
    QString topic;
  };
  AreaHelp HelpAt(const QPoint& pos) const;

  QSize sizeHint() const override { return QSize(760, 600); }

 protected:
  StationDayWindow(const StationRef& ref, const AppSettings& settings, EngineMinute day, const ViewSwitches& switches,
                   const QString& tableHeading, QWidget* parent);

  // Makes the station's clock and computes the first day; the subclass's constructor
  // calls it once it can compute.
  void Start();

  // The station's clock under the engine settings of the moment (made again after the
  // settings change), and the clock in use.
  virtual StationClock MakeClock() const = 0;
  const StationClock& clock() const { return clock_; }

  // The day's presentation, from the engine.
  virtual DayPresentation ComputeDay(EngineMinute day) = 0;
  // The graph of a day of the weekly view (the half-hour values are enough).
  virtual DayGraphData ComputeWeekDay(EngineMinute day) = 0;
  // The minute table's value at an instant (a standard minute), and its text.
  virtual MinuteValue TableValue(EngineMinute minute) = 0;
  virtual QString TableText(const MinuteValue& value) const = 0;
  // The present moment on the graph of the day last computed; nothing on another day.
  virtual std::optional<NowMark> ComputeNow(const ClockReading& now) = 0;

  const AppSettings& settings_;

 private:
  struct Areas {
    QRect title, events, averages, sky, weekly, graph, table;
  };
  // Splits `target` into the areas shown, sizes taken from the device's resolution.
  Areas Layout(const QRect& target, const QPaintDevice* device, bool withTable) const;
  int EventColumns() const;
  void Recompute();
  void RecomputeWeek();
  void UpdateNow();
  void PlaceTable();
  void DrawAll(QPainter& painter, const Areas& areas) const;
  void DrawTitle(QPainter& painter, const QRect& area) const;
  void DrawEvents(QPainter& painter, const QRect& area) const;
  void DrawAverages(QPainter& painter, const QRect& area) const;
  void DrawSky(QPainter& painter, const QRect& area) const;
  void DrawWeekly(QPainter& painter, const QRect& area) const;
  void DrawGraph(QPainter& painter, const QRect& area) const;
  void DrawNotice(QPainter& painter, const QRect& area) const;
  void DrawTableRows(QPainter& painter, const QRect& area) const;
  bool NoticeShown() const;
  QRect NoticeRect(const QRect& graph, const QPaintDevice* device) const;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

  StationRef ref_;
  StationClock clock_{0, 0, ""};
  ViewSwitches switches_;
  EngineMinute day_ = 0;
  DateRecord date_;
  DayPresentation view_;
  struct WeekDay {
    std::string label;  // "Sat 6/15"
    DayGraphData graph;
  };
  std::array<WeekDay, 7> week_{};
  bool weekValid_ = false;
  bool noticeDismissed_ = false;
  bool graphFailed_ = false;
  WallClock wallClock_ = SystemClock();
  MinuteTimer* nowTimer_ = nullptr;
  std::optional<NowMark> now_;
  MinuteTableModel* model_ = nullptr;
  QTableView* table_ = nullptr;
};

}  // namespace qw
