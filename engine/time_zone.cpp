#include "engine/time_zone.h"

#include <cmath>
#include <cstdio>

#include "engine/engine_settings.h"

namespace qw {
namespace {

constexpr uint16_t kInternationalFirst = 31000;
constexpr uint16_t kInternationalLast = 44000;

// North American zone names for the whole-hour zones -4 .. -10.
struct ZoneNames {
  const char* daylightLong;
  const char* daylightShort;
  const char* standardLong;
  const char* standardShort;
};
constexpr ZoneNames kZoneNames[] = {
    {"Atlantic Daylight Time", "ADT", "Atlantic Standard Time", "AST"},
    {"Eastern Daylight Time", "EDT", "Eastern Standard Time", "EST"},
    {"Central Daylight Time", "CDT", "Central Standard Time", "CST"},
    {"Mountain Daylight Time", "MDT", "Mountain Standard Time", "MST"},
    {"Pacific Daylight Time", "PDT", "Pacific Standard Time", "PST"},
    {"Alaska Daylight Time", "AKDT", "Alaska Standard Time", "AKST"},
    {"Hawaii/Alaska Daylight Time", "HADT", "Hawaii/Alaska Standard Time", "HAST"},
};

constexpr const char* kIntlDaylightEntries[kIntlDaylightEntryCount] = {
    "Add 30 Minutes", "Add 60 Minutes", "Add 90 Minutes", "Add 120 Minutes", "Add 150 Minutes"};
constexpr int kIntlDaylightMinutes[kIntlDaylightEntryCount] = {30, 60, 90, 120, 150};
constexpr int kIntlDaylightDefaultEntry = 1;  // "Add 60 Minutes"

EngineMinute Shift(EngineMinute minute, int64_t minutes) {
  const int64_t shifted = static_cast<int64_t>(minute) + minutes;
  if (shifted < 0) return 0;
  if (shifted > UINT32_MAX) return UINT32_MAX;
  return static_cast<EngineMinute>(shifted);
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

}  // namespace

bool IsInternationalFamily(uint16_t referenceId) {
  return referenceId >= kInternationalFirst && referenceId <= kInternationalLast;
}

double ZoneHours(int16_t meridian) { return ZoneDegrees(meridian) / 15.0; }

double ZoneDegrees(int16_t meridian) { return meridian % 15 == 0 ? meridian : meridian + 0.5; }

int32_t MeridianOffsetMinutes(int16_t meridian) {
  return static_cast<int32_t>(std::lround(ZoneHours(meridian) * 60.0));
}

double DaylightOffsetDays(uint8_t dstClass, const DateRecord& date) {
  const EngineSettings& settings = Settings();
  if (dstClass == kDstInternational) return settings.intlDaylightMinutes / 60.0 / 24.0;
  if (dstClass == kDstNorthAmerican && date.dstFlag == 1 && settings.daylightSavings) {
    // One hour as the single-precision 1/24, as the sun and moon times were calibrated.
    return static_cast<double>(1.0f / 24.0f);
  }
  return 0.0;
}

int32_t GmtCorrectionMinutes(int16_t meridian) {
  const EngineSettings& settings = Settings();
  if (settings.useGmtCorrection == kGmtFixedOffset) {
    const double minutes = std::trunc(settings.gmtCorrectionHours * 60.0);
    if (!std::isfinite(minutes)) return 0;
    return static_cast<int32_t>(std::fmax(-10080.0, std::fmin(10080.0, minutes)));
  }
  if (settings.useGmtCorrection == kGmtStationMeridian) {
    return static_cast<int32_t>(std::trunc(ZoneHours(meridian) * 60.0));
  }
  return 0;
}

StationZone ZoneOf(const TideLocation& station) {
  return StationZone{station.timeMeridian, station.referenceId, station.observesDst};
}

StationZone ZoneOf(const CurrentLocation& station) {
  // The referenceId of a current station names a current file, not a tide record: it
  // never selects the international correction.
  return StationZone{station.timeMeridian, 0, station.observesDst};
}

namespace {

// The North American hour: a daylight-saving day, a station that observes it, and the
// DaylightSavings setting on.
int32_t NorthAmericanMinutes(uint8_t dstClass, uint8_t dstFlag) {
  return dstFlag != 0 && dstClass != kDstNone && Settings().daylightSavings ? 60 : 0;
}

}  // namespace

int32_t TideDaylightMinutes(const StationZone& station, uint8_t dstFlag) {
  if (IsInternationalFamily(station.referenceId)) return Settings().intlDaylightMinutes;
  return NorthAmericanMinutes(station.dstClass, dstFlag);
}

int32_t CurrentDaylightMinutes(const StationZone& station, uint8_t dstFlag) {
  return NorthAmericanMinutes(station.dstClass, dstFlag);
}

EngineMinute TideShownToStandard(EngineMinute shown, const StationZone& station, uint8_t dstFlag) {
  return Shift(shown, int64_t{GmtCorrectionMinutes(station.timeMeridian)} - TideDaylightMinutes(station, dstFlag));
}

EngineMinute TideStandardToShown(EngineMinute standard, const StationZone& station, uint8_t dstFlag) {
  return Shift(standard, int64_t{TideDaylightMinutes(station, dstFlag)} - GmtCorrectionMinutes(station.timeMeridian));
}

EngineMinute CurrentShownToStandard(EngineMinute shown, const StationZone& station, uint8_t dstFlag) {
  return Shift(shown, int64_t{GmtCorrectionMinutes(station.timeMeridian)} - CurrentDaylightMinutes(station, dstFlag));
}

EngineMinute CurrentStandardToShown(EngineMinute standard, const StationZone& station, uint8_t dstFlag) {
  return Shift(standard,
               int64_t{CurrentDaylightMinutes(station, dstFlag)} - GmtCorrectionMinutes(station.timeMeridian));
}

namespace {

uint8_t DayFlag(EngineMinute dayStart) {
  DateRecord date;
  MinuteToDate(dayStart, date);
  return date.dstFlag;
}

}  // namespace

int32_t StationUtcOffsetMinutes(const TideLocation& station, EngineMinute dayStart) {
  const StationZone zone = ZoneOf(station);
  return MeridianOffsetMinutes(zone.timeMeridian) + TideDaylightMinutes(zone, DayFlag(dayStart)) -
         GmtCorrectionMinutes(zone.timeMeridian);
}

int32_t StationUtcOffsetMinutes(const CurrentLocation& station, EngineMinute dayStart) {
  const StationZone zone = ZoneOf(station);
  return MeridianOffsetMinutes(zone.timeMeridian) + CurrentDaylightMinutes(zone, DayFlag(dayStart)) -
         GmtCorrectionMinutes(zone.timeMeridian);
}

std::string FormatTimeZone(int16_t meridian, const DateRecord& date, char style, uint8_t dstClass) {
  const EngineSettings& settings = Settings();
  if (settings.useGmtCorrection == kGmtFixedOffset || settings.useGmtCorrection == kGmtStationMeridian) {
    return "GMT";
  }
  // The correction from local standard time to GMT, as hours and minutes: +0500 for
  // US Eastern, -0100 for one hour east.
  const double hours = ZoneHours(meridian);
  const int wholeHours = static_cast<int>(std::abs(std::trunc(hours)));
  const int minutes = static_cast<int>(std::abs(std::trunc(std::fmod(hours, 1.0) * 60.0)));
  int value = wholeHours * 100 + minutes;
  if (meridian > 0) value = -value;
  const int intl = settings.intlDaylightMinutes;

  if (style == 'G') {
    return intl != 0 ? Format("Time Zone: %+05i +%i min DST", value, intl) : Format("Time Zone: %+05i", value);
  }
  if (style == 'g') {
    return intl != 0 ? Format("TZ: %+05i +%i DS", value, intl) : Format("TZ:%+05i", value);
  }
  const bool longStyle = style == 'L';
  if (minutes != 0 || hours > -4.0 || hours < -10.0) {
    return Format(longStyle ? "Time Zone: %+05i" : "TZ:%+05i", value);
  }
  const ZoneNames& names = kZoneNames[-static_cast<int>(hours) - 4];
  const bool daylight = date.dstFlag == 1 && settings.daylightSavings && dstClass != kDstNone;
  if (daylight) return longStyle ? names.daylightLong : names.daylightShort;
  return longStyle ? names.standardLong : names.standardShort;
}

const char* IntlDaylightEntryText(int entry) {
  return entry >= 0 && entry < kIntlDaylightEntryCount ? kIntlDaylightEntries[entry] : nullptr;
}

IntlDaylightChoice IntlDaylightChoiceFromMinutes(int minutes) {
  IntlDaylightChoice choice;
  choice.enabled = minutes != 0;
  choice.entry = kIntlDaylightDefaultEntry;
  for (int i = 0; i < kIntlDaylightEntryCount; ++i) {
    if (kIntlDaylightMinutes[i] == minutes) choice.entry = i;
  }
  return choice;
}

int16_t IntlDaylightMinutesFromChoice(const IntlDaylightChoice& choice) {
  if (!choice.enabled) return 0;
  const int entry = choice.entry >= 0 && choice.entry < kIntlDaylightEntryCount ? choice.entry
                                                                                : kIntlDaylightDefaultEntry;
  return static_cast<int16_t>(kIntlDaylightMinutes[entry]);
}

}  // namespace qw
