// Serves the charting program's requests: reads the shared block, checks the request
// in the documented order and hands the work to the main frame, answering with a
// result code (chart_request.h). Requests never show dialogs, except the two warnings
// when the shared block cannot be opened.
#pragma once

#include <optional>
#include <string>

#include "app/chart_request.h"
#include "settings/station_directory.h"

namespace qw {

struct CalendarDay {
  int year = 0, month = 0, day = 0;
  bool operator==(const CalendarDay&) const = default;
};

// The shared block, opened on first use and kept open.
class ChartSharedBlock {
 public:
  virtual ~ChartSharedBlock() = default;
  // Opens the block if not yet open. On failure returns false with the warning to show:
  // "Error opening mapping" or "Error mapping view".
  virtual bool Open(std::string& warning) = 0;
  // Copies the block's bytes; false when the block is not open.
  virtual bool Read(ChartBlockBytes& bytes) = 0;
};

// What the main frame does for the charting program.
class ChartLinkHost {
 public:
  virtual ~ChartLinkHost() = default;
  virtual const StationDirectory& Stations() const = 0;
  // A modal box titled "Warning".
  virtual void ShowChartWarning(const std::string& text) = 0;
  // From now on the program runs integrated with the charting program.
  virtual void EnterIntegratedMode() = 0;
  virtual void RestoreMainWindow() = 0;
  // Opens a maximized window for the station, makes it the current location, sets the
  // day when given, and brings the main window to the front.
  virtual void OpenFromChart(const StationRef& station, const std::optional<CalendarDay>& day) = 0;

  virtual bool RealTimeDialogOpen() const = 0;
  virtual int RealTimeEntryCount(StationKind kind) const = 0;
  virtual void AddRealTimeStation(const StationRef& station) = 0;
  virtual void RefreshRealTime() = 0;
  // 1 normal, 2 always on top, any other value toggles the window.
  virtual void ShowRealTime(int mode) = 0;
  virtual void SetRealTimeOptions(bool showChange, bool clearLists) = 0;
};

// The most entries a real-time list holds.
constexpr int kRealTimeListCapacity = 15;

class ChartLinkService {
 public:
  ChartLinkService(ChartLinkHost& host, ChartSharedBlock& block) : host_(host), block_(block) {}

  // Serves one request message and returns its result code.
  int32_t Handle(uint32_t message, int32_t parameter);
  bool busy() const { return busy_; }

 private:
  int32_t OpenLocation();
  int32_t AddRealTime();
  int32_t ShowRealTime(int32_t parameter);
  int32_t RealTimeOptions(int32_t parameter);
  // Reads the block, showing the warning on failure.
  bool ReadBlock(ChartRequestBlock& request);
  // Kind, region and station checks shared by the open and add requests: 0 when good.
  int32_t CheckStation(const ChartRequestBlock& request, StationRef& station) const;

  ChartLinkHost& host_;
  ChartSharedBlock& block_;
  bool busy_ = false;
};

// The request's date check: nothing when day, month and year are all 65535 (no date
// given); otherwise 0 with the day, or kChartInvalidDate (year not strictly between
// 1900 and 2100, or no such month or day) or kChartDateOutsideData.
int32_t CheckChartDate(const ChartRequestBlock& request, std::optional<CalendarDay>& day);

}  // namespace qw
