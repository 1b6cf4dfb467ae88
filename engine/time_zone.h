// A station's time meridian, the zone labels, and the earlier whole-day rule between
// the time the user sees ("shown time") and the station's standard time, which the
// engine computes in. Each station's own clock (its IANA zone, the hour changing at the
// zone's instant) is station_clock.h; the whole-day rule below stays for the callers
// that still pass a date's dstFlag (the "shown time" functions of tide_prediction.h and
// current_prediction.h) and for stations without a known zone.
//
// Shown time = standard time + daylight correction - GMT correction, where
//  - the GMT correction is 0, trunc(GMTCorrection x 60) minutes (mode 2) or
//    trunc(ZoneHours(meridian) x 60) minutes (mode 3), by Settings().useGmtCorrection;
//  - the daylight correction of a tide station of the international family (harmonic
//    records 31000..44000) is Settings().intlDaylightMinutes on every date; for any other
//    tide station and for every current station it is 60 minutes on a North American
//    daylight-saving day (the date's dstFlag) while Settings().daylightSavings is on and
//    the station observes daylight saving (daylight-saving class not 0).
#pragma once

#include <cstdint>
#include <string>

#include "engine/calendar.h"
#include "engine/current_location.h"
#include "engine/engine_values.h"
#include "engine/tide_location.h"

namespace qw {

// The daylight-saving class of a station record (its observesDst byte).
constexpr uint8_t kDstNone = 0;
constexpr uint8_t kDstNorthAmerican = 1;
constexpr uint8_t kDstInternational = 2;

// The GMT modes of Settings().useGmtCorrection.
constexpr int kGmtOff = 0;
constexpr int kGmtShiftNow = 1;
constexpr int kGmtFixedOffset = 2;
constexpr int kGmtStationMeridian = 3;

// Harmonic records 31000..44000 are the international (UKHO) family.
bool IsInternationalFamily(uint16_t referenceId);

// Hours east of Greenwich of a stored time meridian: meridian / 15 for a multiple of 15,
// else (meridian + 0.5) / 15, since such meridians are stored as the whole degree below
// (-53 stands for -52.5).
double ZoneHours(int16_t meridian);
// The meridian in degrees: the stored value, plus 0.5 when it is not a multiple of 15.
double ZoneDegrees(int16_t meridian);
// Minutes east of Greenwich of a stored meridian (exact: 4 minutes a degree): the
// offset of the station's standard time, which the engine computes in.
int32_t MeridianOffsetMinutes(int16_t meridian);

// The daylight-saving offset in days that the sun and moon computations add to the
// zone: class 2 the international correction; class 1 one hour (the single-precision
// 1/24) on a daylight-saving date while daylight saving is on; otherwise 0.
double DaylightOffsetDays(uint8_t dstClass, const DateRecord& date);

// Minutes the GMT mode adds to a shown time to reach standard time (0 in modes 0 and 1).
// The mode 2 hours are typed by the user: beyond a week either way (or not a number)
// they are no time zone and are clamped to +-10080 minutes (0 for not a number).
int32_t GmtCorrectionMinutes(int16_t meridian);

// What the shown-time conversions need to know about a station.
struct StationZone {
  int16_t timeMeridian = 0;             // as stored: whole degrees, east positive
  uint16_t referenceId = 0;             // tide stations: selects the international correction
  uint8_t dstClass = kDstNorthAmerican;  // the record's observesDst; 0 never shifts by the North American hour
};

StationZone ZoneOf(const TideLocation& station);
StationZone ZoneOf(const CurrentLocation& station);

// Daylight minutes between standard and shown time for a date whose dstFlag is given:
// the international correction for the international tide family (whatever the date and
// class), else 60 on a daylight-saving day when the station's class is not 0 and the
// DaylightSavings setting is on, else 0. Currents have no international branch.
int32_t TideDaylightMinutes(const StationZone& station, uint8_t dstFlag);
int32_t CurrentDaylightMinutes(const StationZone& station, uint8_t dstFlag);

// Shown time to station standard time and back. A result that would fall before
// minute 0 is 0.
EngineMinute TideShownToStandard(EngineMinute shown, const StationZone& station, uint8_t dstFlag);
EngineMinute TideStandardToShown(EngineMinute standard, const StationZone& station, uint8_t dstFlag);
EngineMinute CurrentShownToStandard(EngineMinute shown, const StationZone& station, uint8_t dstFlag);
EngineMinute CurrentStandardToShown(EngineMinute standard, const StationZone& station, uint8_t dstFlag);

// By the whole-day rule: minutes to add to UTC to reach the station's shown time on the
// day of `dayStart` (00:00 shown time): the zone of its time meridian, plus the daylight
// minutes of that day, less the GMT correction. (A station's clock gives the offset in
// force at each instant: StationClock::OffsetAt.)
int32_t StationUtcOffsetMinutes(const TideLocation& station, EngineMinute dayStart);
int32_t StationUtcOffsetMinutes(const CurrentLocation& station, EngineMinute dayStart);

// The label of a station's zone on a date. Styles: 'L' long ("Eastern Daylight Time",
// "Time Zone: +0330"); 'G' report header ("Time Zone: +0000 +60 min DST"); 'g' short
// label of international stations ("TZ: +0000 +60 DS"); any other letter short ("EDT",
// "TZ:+0330"). "GMT" in GMT modes 2 and 3. Whole-hour zones from -4 to -10 take the
// North American names, the daylight name when the date is a daylight-saving day,
// daylight saving is on and the station observes it (dstClass not 0).
std::string FormatTimeZone(int16_t meridian, const DateRecord& date, char style, uint8_t dstClass);

// The "International Daylight Savings" dialog: a check box and a list of five
// corrections. These convert between Settings().intlDaylightMinutes and the controls.
constexpr int kIntlDaylightEntryCount = 5;
// "Add 30 Minutes" .. "Add 150 Minutes"; nullptr outside 0..4.
const char* IntlDaylightEntryText(int entry);

struct IntlDaylightChoice {
  bool enabled = false;  // the check box; the list and its label are disabled when clear
  int entry = 1;         // selected list entry, 0..4
};

// The controls on opening: the entry of the stored minutes ("Add 60 Minutes" for any
// value that is not one of the five), ticked when the minutes are not 0.
IntlDaylightChoice IntlDaylightChoiceFromMinutes(int minutes);
// The minutes OK stores: 0 when the box is clear, else the entry's minutes (60 when no
// entry is selected, entry -1, or the entry is out of range).
int16_t IntlDaylightMinutesFromChoice(const IntlDaylightChoice& choice);

}  // namespace qw
