#include "engine/zone_rules.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>

#include <absl/time/time.h>

namespace qw {
namespace {

// How far an open period (before the first or after the last known transition) reaches
// around the instant asked.
constexpr UnixSeconds kOpenPeriodSeconds = 400LL * 86400;
// How many periods the search for a standard offset looks through each way.
constexpr int kStandardSearchPeriods = 16;
constexpr size_t kMaxZoneNameLength = 64;

int32_t RoundedMinutes(int64_t seconds) {
  // Nearest minute, half a minute upward: floor((s + 30) / 60).
  const int64_t shifted = seconds + 30;
  return static_cast<int32_t>(shifted >= 0 ? shifted / 60 : -((-shifted + 59) / 60));
}

bool ZoneNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '+';
}

// An IANA name: parts of name characters joined by single '/', none of them "." or "..",
// so that the library never opens a file outside the database.
bool PlausibleZoneName(std::string_view name) {
  if (name.empty() || name.size() > kMaxZoneNameLength) return false;
  size_t partStart = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name[i] == '/') {
      if (i == partStart) return false;  // empty part: leading, trailing or doubled '/'
      partStart = i + 1;
    } else if (!ZoneNameCharacter(name[i])) {
      return false;
    }
  }
  return true;
}

UnixSeconds TransitionInstant(const absl::TimeZone& zone, const absl::TimeZone::CivilTransition& transition) {
  return absl::ToUnixSeconds(zone.At(transition.to).trans);
}

}  // namespace

struct ZoneRules::Impl {
  absl::TimeZone zone;
};

ZoneRules::ZoneRules(std::string name, std::unique_ptr<Impl> impl) : name_(std::move(name)), impl_(std::move(impl)) {}

ZoneRules::~ZoneRules() = default;

std::shared_ptr<const ZoneRules> ZoneRules::Find(std::string_view name) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const ZoneRules>, std::less<>> found;
  const std::lock_guard<std::mutex> lock(mutex);
  if (auto it = found.find(name); it != found.end()) return it->second;

  std::shared_ptr<const ZoneRules> rules;
  auto impl = std::make_unique<Impl>();
  if (PlausibleZoneName(name) && absl::LoadTimeZone(std::string(name), &impl->zone)) {
    rules = std::make_shared<const ZoneRules>(std::string(name), std::move(impl));
  }
  found.emplace(std::string(name), rules);
  return rules;
}

ZonePeriod ZoneRules::PeriodAt(UnixSeconds instant) const {
  const absl::TimeZone& zone = impl_->zone;
  const absl::TimeZone::CivilInfo info = zone.At(absl::FromUnixSeconds(instant));
  ZonePeriod period;
  period.offsetMinutes = RoundedMinutes(info.offset);
  period.daylight = info.is_dst;
  period.abbreviation = info.zone_abbr;
  period.begin = instant - kOpenPeriodSeconds;
  period.end = instant + kOpenPeriodSeconds;
  absl::TimeZone::CivilTransition transition;
  // The transitions strictly after the instant, and at or before it.
  if (zone.NextTransition(absl::FromUnixSeconds(instant), &transition)) {
    const UnixSeconds next = TransitionInstant(zone, transition);
    if (next > instant) period.end = std::min(period.end, next);
  }
  if (zone.PrevTransition(absl::FromUnixSeconds(instant + 1), &transition)) {
    const UnixSeconds previous = TransitionInstant(zone, transition);
    if (previous <= instant) period.begin = std::max(period.begin, previous);
  }
  return period;
}

ZoneRules::Standard ZoneRules::StandardAt(UnixSeconds instant) const {
  const ZonePeriod here = PeriodAt(instant);
  Standard standard{here.offsetMinutes, here.abbreviation};
  auto takeLower = [&](const ZonePeriod& p) {
    if (p.offsetMinutes < standard.offsetMinutes) standard = {p.offsetMinutes, p.abbreviation};
  };
  if (!here.daylight) {
    for (const ZonePeriod& neighbour : {PeriodAt(here.begin - 1), PeriodAt(here.end)}) {
      if (neighbour.daylight) takeLower(neighbour);
    }
    return standard;
  }
  // The nearest periods without daylight saving either side; of the two, the one nearer
  // in offset is this regime's.
  const ZonePeriod* nearest = nullptr;
  ZonePeriod before = here, after = here;
  bool haveBefore = false, haveAfter = false;
  for (int i = 0; i < kStandardSearchPeriods && !haveBefore; ++i) {
    before = PeriodAt(before.begin - 1);
    haveBefore = !before.daylight;
  }
  for (int i = 0; i < kStandardSearchPeriods && !haveAfter; ++i) {
    after = PeriodAt(after.end);
    haveAfter = !after.daylight;
  }
  auto distance = [&](const ZonePeriod& p) { return std::abs(p.offsetMinutes - here.offsetMinutes); };
  if (haveBefore) nearest = &before;
  if (haveAfter && (!nearest || distance(after) < distance(*nearest))) nearest = &after;
  if (!nearest) return standard;
  // A daylight-saving period behind its standard one is itself the winter time.
  if (nearest->offsetMinutes < here.offsetMinutes) standard = {nearest->offsetMinutes, nearest->abbreviation};
  return standard;
}

}  // namespace qw
