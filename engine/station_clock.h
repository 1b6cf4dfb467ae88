// A station's clock: the civil time its users read on the wall, and how it relates to the
// time the engine computes in.
//
// The engine computes every station in its standard time: UTC plus the station record's
// time meridian, the meridian its harmonic constants and time corrections are referred
// to. A minute in that time is the station's "standard minute" (an EngineMinute); it
// names one instant. The clock gives, for every instant, the time shown and the UTC
// offset in force at that very instant, so the hour changes when the zone changes it
// (02:00 local in North America), not at midnight.
//
// Which clock a station keeps, by the settings when the clock is made (make a new one
// after they change):
//  - UseGMTCorrection 3: GMT (offset 0). UseGMTCorrection 2: the record's standard time
//    less GMTCorrection hours. Neither has daylight saving (their label is "GMT").
//  - A station whose IANA zone is known (the side catalogue's time_zone column): the
//    zone's civil time (DaylightSavings on) or the zone's standard time at that instant
//    (DaylightSavings off; see ZoneRules::StandardAt), from the system's time-zone
//    database, every era it covers.
//  - Otherwise (hand-made custom locations) the record's rule: its time meridian, plus
//    on the North American daylight-saving days of a class 1 station one hour while
//    DaylightSavings is on (changing at midnight standard time, as the whole-day rule
//    does), plus IntlDaylightSavings minutes all year for a class 2 station. Current
//    stations know only the North American hour: any class but 0 is class 1.
//
// How callers use it: the events of a date come from the day lists (civil_days.h,
// sky_day.h); a value at a time the user typed is PredictTide / PredictCurrent at
// StandardAt(shown); "now" is StandardOfUtc of the computer's UTC minute, and the
// minutes to an event are the difference of two standard minutes (real minutes, also
// across a change of the clocks); a graph or table of a date runs from Day(date).
// standardStart for Day(date).Minutes() minutes, its time axis labelled with At().
// A clock is cheap to copy and keeps the last period it looked up (single-threaded, like
// the rest of the engine).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/current_location.h"
#include "engine/engine_values.h"
#include "engine/tide_location.h"

namespace qw {

class StationSources;
class ZoneRules;

enum class ClockBasis {
  Zone,      // the station's IANA zone
  Meridian,  // the record's time meridian and daylight-saving class
  Gmt,       // a GMT option of the settings
};

// One instant as the clock shows it.
struct ClockReading {
  EngineMinute standard = 0;     // the instant, as the station's standard minute
  EngineMinute shown = 0;        // the civil time shown at that instant
  int32_t utcOffsetMinutes = 0;  // shown time - UTC, in force at that instant
};

// A civil date at the station, as the instants it holds: [standardStart, standardEnd).
// 1440 minutes, 1380 or 1500 on the days the clocks change (the first minute shown is
// 01:00 where a zone springs forward at midnight), 0 for a date the zone skipped.
struct CivilDaySpan {
  EngineMinute date = 0;           // 00:00 of the date, shown time
  EngineMinute standardStart = 0;  // the first instant of the date
  EngineMinute standardEnd = 0;    // the first instant of the next date
  uint32_t Minutes() const { return standardEnd - standardStart; }
};

class StationClock {
 public:
  // `zoneName` is the station's IANA zone, "" when it has none; a name the system's
  // database does not know gives the record's rule, as for a station without a zone.
  // `dstClass` is the record's observesDst (0 none, 1 North American, 2 international).
  StationClock(int16_t timeMeridian, uint8_t dstClass, std::string_view zoneName);
  static StationClock Of(const TideLocation& station, std::string_view zoneName);
  static StationClock Of(const CurrentLocation& station, std::string_view zoneName);

  ClockBasis basis() const { return basis_; }
  // The IANA name in use; "" unless basis() is Zone.
  const std::string& zoneName() const;
  // The record's time meridian in minutes east of Greenwich: standard = UTC + this.
  int32_t standardOffsetMinutes() const { return meridianMinutes_; }

  // The offset from UTC of the shown time at the instant `standard`, and the reading.
  int32_t OffsetAt(EngineMinute standard) const;
  EngineMinute ShownAt(EngineMinute standard) const;
  ClockReading At(EngineMinute standard) const;
  // Whether the time shown at `standard` is daylight-saving time, and its abbreviation:
  // the database's ("CEST", "NZDT", "+1245"), "GMT" for the GMT options, the North
  // American names or "TZ:+0330" (the short time-zone label) for the record's rule.
  bool DaylightAt(EngineMinute standard) const;
  std::string AbbreviationAt(EngineMinute standard) const;

  // The civil date holding `shownDate` (its time of day is ignored).
  CivilDaySpan Day(EngineMinute shownDate) const;
  // The instant a shown time stands for. A time the clock skipped gives the first
  // instant after the gap; a time shown twice gives the first of the two, or the second
  // when `later`.
  EngineMinute StandardAt(EngineMinute shown, bool later = false) const;

  // UTC minutes since 1900-01-01 00:00 of an instant, and back (clamped to minute 0).
  int64_t UtcMinuteOf(EngineMinute standard) const;
  EngineMinute StandardOfUtc(int64_t utcMinute) const;
  // 00:00 of the date at the station at `unixSeconds` (seconds since 1970 UTC), and now
  // by the computer's clock.
  EngineMinute DateAt(int64_t unixSeconds) const;
  EngineMinute Today() const;

 private:
  // A stretch of instants with one offset, in standard minutes: [begin, end).
  struct Period {
    int64_t begin = 0;
    int64_t end = 0;
    int32_t offsetMinutes = 0;
    bool daylight = false;
  };
  Period PeriodAt(int64_t standard) const;
  Period ComputePeriod(int64_t standard) const;

  ClockBasis basis_ = ClockBasis::Meridian;
  int32_t meridianMinutes_ = 0;
  int16_t timeMeridian_ = 0;
  uint8_t dstClass_ = 0;
  bool daylightSavings_ = true;
  int32_t intlMinutes_ = 0;
  int32_t gmtOffsetMinutes_ = 0;  // the fixed offset of the GMT options
  std::shared_ptr<const ZoneRules> zone_;
  mutable Period cached_;        // the last period looked up
  mutable bool cachedValid_ = false;
};

// The IANA zone a station keeps its clock by: the side catalogue's time_zone of the
// station (`kind` 'T' or 'C', its region number and index). A station the catalogue does
// not list (a custom location) keeps the zone of the installed station of its kind whose
// stationId is `referenceId` (the reference station it is computed from), when that
// zone's standard time is the record's time meridian (to the minute the stored meridian
// can say). Otherwise "": the record's rule. `sources` may be null (no side catalogue).
std::string ClockZoneName(const StationSources* sources, char kind, int region, int index, uint16_t referenceId,
                          int16_t timeMeridian);

// "+09:30", "-07:00", "+00:00": an offset in minutes as ISO 8601 writes it.
std::string FormatUtcOffset(int32_t minutes);

}  // namespace qw
