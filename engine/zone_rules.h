// The rules of an IANA time zone ("Europe/Paris", "Pacific/Chatham"), read from the
// system's time-zone database (/usr/share/zoneinfo, Debian's tzdata) through Abseil's
// time-zone library (cctz).
//
// Why that library: the compiled zone files list each zone's transitions up to 2037 and
// end with a POSIX rule for the years after. Abseil reads both, with the rule extensions
// the files use (Greenland's change at -1:00, Israel's at 26:00); Debian's build of
// Howard Hinnant's date/tz reads the list only (it is built to use the system files) and
// so keeps every zone on its 2037 offset for the rest of the century, and ICU carries its
// own copy of the database, older than the system's.
//
// Offsets are whole minutes: the few offsets of local mean time before standard time
// (Paris +0:09:21 until 1911) are rounded to the nearest minute, half a minute upward.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qw {

// Seconds since 1970-01-01 00:00 UTC.
using UnixSeconds = int64_t;

// A stretch of time with one UTC offset, as the database gives it.
struct ZonePeriod {
  UnixSeconds begin = 0;      // first second of the period
  UnixSeconds end = 0;        // first second after it (begin < end)
  int32_t offsetMinutes = 0;  // civil time - UTC
  bool daylight = false;      // the database flags the period as daylight-saving time
  std::string abbreviation;   // "CEST", "NZDT", "+1245"
};

class ZoneRules {
 public:
  // The rules of `name`, or nullptr when the name is not a zone of the database (or no
  // database is installed). Names are IANA names: letters, digits, '_', '-', '+' in
  // parts joined by '/'; anything else (a path) is refused without opening a file. Each
  // zone is read once and shared.
  static std::shared_ptr<const ZoneRules> Find(std::string_view name);

  const std::string& name() const { return name_; }

  // The period that holds `instant`. Before the first and after the last transition the
  // database knows, the period is cut to about a year either side of the instant, so
  // that `begin` and `end` always are real times.
  ZonePeriod PeriodAt(UnixSeconds instant) const;

  // The zone's standard time at `instant`: its winter time in the regime in force then.
  // In a daylight-saving period, the nearer in offset of the nearest periods without
  // daylight saving before and after it (Samoa's jump across the date line in 2011 has
  // -11 before it and +13 after it), or the period itself when that is lower. Outside
  // daylight saving, the period itself, or a neighbouring daylight-saving period when
  // that is lower: the database flags Ireland's winter time (and Morocco's Ramadan time)
  // as "negative" daylight saving, and a mariner keeps the winter time as standard.
  struct Standard {
    int32_t offsetMinutes = 0;
    std::string abbreviation;  // of the period whose offset it is ("EST", "GMT")
  };
  Standard StandardAt(UnixSeconds instant) const;

  struct Impl;
  ZoneRules(std::string name, std::unique_ptr<Impl> impl);
  ~ZoneRules();

 private:
  std::string name_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qw
