// The tide window: one tide station on one day. From top to bottom: the title area, the
// information areas (high and low waters, the station's averages, sun and moon), the
// weekly view, and the day graph; the minute table runs down the right-hand side.
//
// The window asks tide_day.h for the day and tide_presenter.h for the texts and graph
// data, and only draws them. Render() draws the same picture on any paint device, so a
// bitmap or a printed page shows what the screen shows.
#pragma once

#include <QTableView>
#include <array>

#include "app/app_settings.h"
#include "app/location_window.h"
#include "windows/minute_table_model.h"
#include "windows/tide_presenter.h"

namespace qw {

class TideWindow : public LocationWindow {
  Q_OBJECT

 public:
  TideWindow(const StationRef& ref, const TideLocation& station, const AppSettings& settings, EngineMinute day,
             const ViewSwitches& switches, QWidget* parent = nullptr);

  StationRef station() const override { return ref_; }
  uint32_t stationId() const override { return station_.stationId; }
  QString locationName() const override;
  QString title() const override;
  bool position(double& latitude, double& longitude) const override;
  EngineMinute day() const override { return day_.day; }
  void SetDay(EngineMinute day) override;
  ViewSwitches switches() const override { return switches_; }
  void SetInfoShown(bool shown) override;
  void SetWeeklyShown(bool shown) override;
  bool SetTableShown(bool shown) override;
  void SettingsChanged() override;
  void Render(QPainter& painter, const QRect& target) override;

  const TidePresentation& presentation() const { return view_; }
  const TideDay& tideDay() const { return day_; }
  // True when the graph could not be scaled (message 2600 was shown).
  bool graphFailed() const { return graphFailed_; }

  QSize sizeHint() const override { return QSize(760, 600); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Areas {
    QRect title, events, averages, sky, weekly, graph, table;
  };
  // Splits `target` into the areas shown, sizes taken from the device's resolution.
  Areas Layout(const QRect& target, const QPaintDevice* device, bool withTable) const;
  void Recompute();
  void RecomputeWeek();
  void PlaceTable();
  void DrawTitle(QPainter& painter, const QRect& area) const;
  void DrawEvents(QPainter& painter, const QRect& area) const;
  void DrawAverages(QPainter& painter, const QRect& area) const;
  void DrawSky(QPainter& painter, const QRect& area) const;
  void DrawWeekly(QPainter& painter, const QRect& area) const;
  bool DrawGraph(QPainter& painter, const QRect& area) const;
  void DrawNotice(QPainter& painter, const QRect& area) const;
  void DrawTableRows(QPainter& painter, const QRect& area) const;
  bool NoticeShown() const;
  QRect NoticeRect(const QRect& graph, const QPaintDevice* device) const;

  StationRef ref_;
  TideLocation station_;
  const AppSettings& settings_;
  ViewSwitches switches_;
  TideDay day_;
  TidePresentation view_;
  struct WeekDay {
    std::string label;  // "Sat 6/15"
    DayGraphData graph;
  };
  std::array<WeekDay, 7> week_{};
  bool weekValid_ = false;
  bool noticeDismissed_ = false;
  bool graphFailed_ = false;
  bool graphReported_ = false;
  MinuteTableModel* model_ = nullptr;
  QTableView* table_ = nullptr;
};

// Opens tide windows for the frame: reads the station record; a station that cannot
// be predicted still opens, after the "Insufficient Data" box.
class CatalogueDirectory;
LocationWindow* MakeTideWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                               const LocationWindowSpec& spec);

}  // namespace qw
