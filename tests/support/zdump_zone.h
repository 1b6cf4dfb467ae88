// A zone's UTC offsets as the system's zdump reports them (glibc's reading of the compiled
// zone files and their rules for the years after the list): a second, independent
// reading of the time-zone database that the station clocks are checked against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qw::test {

struct ZdumpTransition {
  int64_t at = 0;             // seconds since 1970 UTC of the first second of the new offset
  int32_t offsetBefore = 0;   // seconds east of UTC before it
  int32_t offsetAfter = 0;    // and from it on
  bool daylightAfter = false;
};

class ZdumpZone {
 public:
  // Runs `zdump -v -c 1800,2101 NAME`; false when zdump is not installed or lists nothing.
  bool Load(const std::string& name);

  // The offset in force at `unixSeconds`, in seconds.
  int32_t OffsetSecondsAt(int64_t unixSeconds) const;
  // The same rounded to minutes as the station clocks round local mean time.
  int32_t OffsetMinutesAt(int64_t unixSeconds) const;
  const std::vector<ZdumpTransition>& transitions() const { return transitions_; }

 private:
  std::vector<ZdumpTransition> transitions_;
};

// Seconds since 1970 UTC of an engine minute counted in UTC.
int64_t UnixSecondsOfUtcMinute(int64_t utcMinute);

}  // namespace qw::test
