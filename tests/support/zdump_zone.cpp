#include "tests/support/zdump_zone.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace qw::test {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Sample {
  int64_t utc = 0;
  int32_t offset = 0;
  bool daylight = false;
};

// "NAME  Sun Mar  9 09:59:59 2025 UT = Sun Mar  9 01:59:59 2025 PST isdst=0 gmtoff=-28800"
bool ParseLine(const char* line, Sample& out) {
  static const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* ut = std::strstr(line, " UT = ");
  const char* dst = std::strstr(line, "isdst=");
  const char* off = std::strstr(line, "gmtoff=");
  if (!ut || !dst || !off) return false;
  // The UT date is the 24 characters before " UT".
  if (ut - line < 24) return false;
  char month[4] = {};
  int day = 0, hour = 0, minute = 0, second = 0;
  long year = 0;
  if (std::sscanf(ut - 24, "%*3s %3s %d %d:%d:%d %ld", month, &day, &hour, &minute, &second, &year) != 6) return false;
  int m = 0;
  while (m < 12 && std::strcmp(kMonths[m], month) != 0) ++m;
  if (m == 12) return false;
  out.utc = DaysFromCivil(year, m + 1, day) * 86400 + hour * 3600 + minute * 60 + second;
  out.daylight = dst[6] == '1';
  out.offset = static_cast<int32_t>(std::atol(off + 7));
  return true;
}

}  // namespace

bool ZdumpZone::Load(const std::string& name) {
  transitions_.clear();
  const std::string command = "zdump -v -c 1800,2101 '" + name + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return false;
  std::vector<Sample> samples;
  char line[512];
  while (std::fgets(line, sizeof line, pipe.get())) {
    Sample s;
    if (ParseLine(line, s)) samples.push_back(s);
  }
  // zdump lists each transition as the second before it and the second it takes effect.
  for (size_t i = 1; i < samples.size(); ++i) {
    const Sample& a = samples[i - 1];
    const Sample& b = samples[i];
    if (b.utc == a.utc + 1) transitions_.push_back({b.utc, a.offset, b.offset, b.daylight});
  }
  return !transitions_.empty();
}

int32_t ZdumpZone::OffsetSecondsAt(int64_t unixSeconds) const {
  int32_t offset = transitions_.empty() ? 0 : transitions_.front().offsetBefore;
  for (const ZdumpTransition& t : transitions_) {
    if (t.at > unixSeconds) break;
    offset = t.offsetAfter;
  }
  return offset;
}

int32_t ZdumpZone::OffsetMinutesAt(int64_t unixSeconds) const {
  const int64_t shifted = OffsetSecondsAt(unixSeconds) + 30;
  return static_cast<int32_t>(shifted >= 0 ? shifted / 60 : -((-shifted + 59) / 60));
}

int64_t UnixSecondsOfUtcMinute(int64_t utcMinute) { return (utcMinute - 25567LL * 1440) * 60; }

}  // namespace qw::test
