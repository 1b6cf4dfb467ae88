#include "engine/sky_day.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "engine/astro_time.h"
#include "engine/calendar.h"

namespace qw {
namespace {

// The same event found by both searches of a long date lies within this of itself.
constexpr int64_t kSameEventMinutes = 3;
// The nearest phase is looked for from a day and a half before the date to ten days
// after its start: a principal phase comes every 7.4 days.
constexpr double kPhaseLookBackDays = 1.5;
constexpr double kPhaseLookAheadDays = 10.0;

// The principal phases are found for blocks of 32 days and kept: the day lists of a month
// or a year ask for the same weeks day after day. The last few blocks are kept.
constexpr double kPhaseBlockDays = 32.0;
constexpr size_t kPhaseBlocksKept = 4;

struct PhaseBlock {
  bool filled = false;
  int64_t index = 0;  // the block of Julian Days [index * 32, (index + 1) * 32)
  std::vector<PrincipalPhase> phases;
};

struct SkyDayState {
  std::array<PhaseBlock, kPhaseBlocksKept> blocks;
  size_t next = 0;  // the block to be replaced next
};

SkyDayState& State() {
  static SkyDayState state;
  return state;
}

const std::vector<PrincipalPhase>& BlockPhases(int64_t index) {
  SkyDayState& s = State();
  for (const PhaseBlock& b : s.blocks) {
    if (b.filled && b.index == index) return b.phases;
  }
  const double start = static_cast<double>(index) * kPhaseBlockDays;
  // Scanned from half a day before the block, so that a phase at its very start is seen.
  std::vector<PrincipalPhase> phases = PrincipalPhases(start - 0.5, start + kPhaseBlockDays);
  std::erase_if(phases, [&](const PrincipalPhase& p) { return p.julianDayUt < start; });
  PhaseBlock& slot = s.blocks[s.next];
  s.next = (s.next + 1) % kPhaseBlocksKept;
  slot.index = index;
  slot.phases = std::move(phases);
  // Without the Earth series nothing is found; nothing is kept either.
  slot.filled = !slot.phases.empty();
  return slot.phases;
}

// The principal phases with instants in [from, to) (Julian Days, UT).
std::vector<PrincipalPhase> PhasesBetween(double from, double to) {
  std::vector<PrincipalPhase> out;
  const int64_t first = static_cast<int64_t>(std::floor(from / kPhaseBlockDays));
  const int64_t last = static_cast<int64_t>(std::floor(to / kPhaseBlockDays));
  for (int64_t index = first; index <= last; ++index) {
    for (const PrincipalPhase& p : BlockPhases(index)) {
      if (p.julianDayUt >= from && p.julianDayUt < to) out.push_back(p);
    }
  }
  return out;
}

double JulianDayOfUtcMinute(int64_t utcMinute) {
  return JulianDay(1900, 1, 1.0) + static_cast<double>(utcMinute) / kMinutesPerDay;
}

int64_t UtcMinuteOfJulianDay(double julianDay) {
  return std::llround((julianDay - JulianDay(1900, 1, 1.0)) * kMinutesPerDay);
}

struct Search {
  const StationPlace& place;
  const StationClock& clock;
  SkyDay& day;

  bool InDate(EngineMinute standard) const {
    return standard >= day.span.standardStart && standard < day.span.standardEnd;
  }

  void Add(SkyEventKind kind, int64_t utcMinute) {
    const int64_t standard = utcMinute + clock.standardOffsetMinutes();
    if (standard < 0 || standard > static_cast<int64_t>(UINT32_MAX)) return;
    if (!InDate(static_cast<EngineMinute>(standard))) return;
    for (const SkyEvent& e : day.events) {
      if (e.kind == kind && std::llabs(static_cast<int64_t>(e.at.standard) - standard) <= kSameEventMinutes) return;
    }
    day.events.push_back({kind, clock.At(static_cast<EngineMinute>(standard))});
  }

  // One body over the 24 hours from `utcStart`; its day kind from the first search.
  void Body(bool sun, int64_t utcStart, bool first) {
    const RiseSetMinutes r = sun ? SunRiseSetFrom(utcStart, place) : MoonRiseSetFrom(utcStart, place);
    RiseSetDay& kind = sun ? day.sun : day.moon;
    if (first) kind = r.day;
    if (r.day != RiseSetDay::Events) return;
    kind = RiseSetDay::Events;
    for (const auto& [minute, eventKind] :
         {std::pair{r.rise, sun ? SkyEventKind::Sunrise : SkyEventKind::Moonrise},
          std::pair{r.set, sun ? SkyEventKind::Sunset : SkyEventKind::Moonset}}) {
      if (minute >= 0 && minute < static_cast<int32_t>(kMinutesPerDay)) Add(eventKind, utcStart + minute);
    }
  }
};

}  // namespace

void ResetSkyDays() { State() = SkyDayState{}; }

SkyDay FindSkyDay(const StationPlace& place, const StationClock& clock, EngineMinute date) {
  SkyDay day;
  day.span = clock.Day(date);
  const EngineMinute start = day.span.standardStart;
  const int64_t utcStart = clock.UtcMinuteOf(start);
  const int64_t utcEnd = clock.UtcMinuteOf(day.span.standardEnd);

  Search search{place, clock, day};
  for (bool sun : {true, false}) {
    search.Body(sun, utcStart, true);
    if (utcEnd - utcStart > static_cast<int64_t>(kMinutesPerDay)) search.Body(sun, utcEnd - kMinutesPerDay, false);
  }
  std::sort(day.events.begin(), day.events.end(),
            [](const SkyEvent& a, const SkyEvent& b) { return a.at.standard < b.at.standard; });

  const ClockReading first = clock.At(start);
  const int16_t age = MoonAge(first.shown, first.utcOffsetMinutes / 60.0, 0.0);
  day.phaseAngle = static_cast<float>(age / 10.0);
  day.nearestPhase.ageDegrees = static_cast<int16_t>(age / 10);

  const double from = JulianDayOfUtcMinute(utcStart);
  const std::vector<PrincipalPhase> phases = PhasesBetween(from - kPhaseLookBackDays, from + kPhaseLookAheadDays);
  bool chosen = false;
  for (const PrincipalPhase& p : phases) {
    const int64_t standard = UtcMinuteOfJulianDay(p.julianDayUt) + clock.standardOffsetMinutes();
    if (standard < 0 || standard > static_cast<int64_t>(UINT32_MAX)) continue;
    const ClockReading at = clock.At(static_cast<EngineMinute>(standard));
    if (search.InDate(at.standard)) day.phases.push_back({p.type, at});
    const int64_t days = (static_cast<int64_t>(at.shown - at.shown % kMinutesPerDay) - day.span.date) /
                         static_cast<int64_t>(kMinutesPerDay);
    // The first from yesterday on: phases are a week apart, so yesterday's wins.
    if (days < -1 || chosen) continue;
    day.nearestPhase.phaseType = static_cast<int16_t>(p.type);
    day.nearestPhase.days = static_cast<int16_t>(days);
    chosen = true;
  }
  if (chosen && std::abs(day.nearestPhase.days) <= 1) {
    const int type = day.nearestPhase.phaseType;
    day.nearestPhase.tideType = (type == kPhaseNew || type == kPhaseFull) ? kTideTypeSpring : kTideTypeNeap;
  }
  return day;
}

}  // namespace qw
