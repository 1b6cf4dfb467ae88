// The locations of a report and the days its pages show, asked of the engine through
// the same day service the tide window uses (windows/tide_day.h) and turned into texts
// and graph data by the window's presenter, so that a printed day and a shown day agree.
//
// A location whose prediction fails once (the engine has shown its message) is not
// asked again for the rest of the report: its later days print without values instead
// of raising the same message for every page. Days outside the supported range of dates
// are not asked for at all.
#pragma once

#include <string>
#include <vector>

#include "app/app_settings.h"
#include "engine/region_files.h"
#include "engine/tide_location.h"
#include "windows/tide_day.h"
#include "windows/tide_presenter.h"

namespace qw {

struct ReportLocation {
  StationKind kind = StationKind::Tide;
  TideLocation tide;
  EngineMinute windowDay = 0;  // 00:00 of the date its window shows
};

// What a page needs of a day beyond the high and low waters.
struct DayNeeds {
  bool curve = false;      // the fine curve for the graph styles
  bool sunMoon = true;     // sunrise, sunset, moonrise, moonset and the phase
  int tableInterval = 0;   // minutes between value table rows; 0 for no table
};

struct ReportDay {
  TideDay day;              // engine units
  TidePresentation shown;   // texts and graph data in display units
  bool inRange = true;      // false for a date outside the supported range
  bool predicted = false;   // the high and low waters were computed
  // The value table: display units at 00:00, interval, ..., 24:00
  // (kValueNotDefined where the station has no value).
  std::vector<int32_t> table;
  int tableInterval = 0;
};

class ReportDays {
 public:
  ReportDays(const std::vector<ReportLocation>& locations, const AppSettings& settings)
      : locations_(locations), settings_(settings), failed_(locations.size(), false) {}

  ReportDay Day(int location, EngineMinute day, const DayNeeds& needs);

  const ReportLocation& location(int index) const { return locations_[static_cast<size_t>(index)]; }
  int count() const { return static_cast<int>(locations_.size()); }
  const AppSettings& settings() const { return settings_; }
  bool failed(int location) const { return failed_[static_cast<size_t>(location)]; }

 private:
  const std::vector<ReportLocation>& locations_;
  const AppSettings& settings_;
  std::vector<bool> failed_;
};

// The value table's display values for a day.
std::vector<int32_t> DayTableValues(const TideLocation& station, EngineMinute day, int interval, TideUnit unit);

}  // namespace qw
