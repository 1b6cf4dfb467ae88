#include "engine/current_harmonics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/binary_file.h"
#include "engine/current_components.h"
#include "engine/current_harmonic_file.h"
#include "engine/current_window.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_values.h"
#include "engine/held_data.h"
#include "engine/integer_cosine.h"
#include "engine/minute_cache.h"
#include "engine/report.h"
#include "engine/string_table.h"

namespace qw {
namespace {

constexpr int kMsgCurrentFileOpen = 2208;
constexpr int kMsgCurrentLogicError = 2213;
constexpr const char* kCurrentFileCorruptedFormat = "Current harmonic file %u.dat is corrupted";

// Constituent 32 of a compound file takes its node factor and argument from 0 and 2.
constexpr uint8_t kCompoundConstituent = 32;
constexpr int kCompoundFirst = 0;
constexpr int kCompoundSecond = 2;

// Every term can open a group, and so can the constant terms' axes.
constexpr size_t kMaxGroups = kCurrentHarmonicMaxRecords + 1;

struct HeldCurrent {
  bool held = false;
  CurrentHarmonicFile file;  // decoded from the bytes read
  int termsYear = 0;         // 0: no terms prepared
  std::vector<CurrentYearTerm> terms;
  bool hasConstant = false;
  std::vector<int32_t> circle;  // the cosine table unfolded to the whole circle (integer form)
  uint64_t sums = 0;
};

HeldCurrent& State() {
  static HeldCurrent state;
  return state;
}

// The held file is still the loaded station: a tide load since would have replaced it.
bool FileHeld(uint16_t number) {
  const HeldCurrent& s = State();
  return s.held && s.file.number == number && LoadedStationNumber() == number && !TideRecordHeld();
}

void ReportCorrupted(uint16_t number) {
  char text[64];
  std::snprintf(text, sizeof text, kCurrentFileCorruptedFormat, static_cast<unsigned>(number));
  ReportInformation(text);
  DebugTrace("%s\n", text);
}

// Constituent numbers must index the speed table and year records of the file's data
// variant (or mark a constant term).
bool ConstituentsFit(const CurrentHarmonicFile& file, uint16_t number) {
  const int slots = ConstituentSlotsForVariant(DataVariant(number));
  return std::all_of(file.records.begin(), file.records.end(), [&](const CurrentConstituentRecord& r) {
    return r.constituent == kCurrentConstantTerm || r.constituent < slots;
  });
}

// The amplitude split the integer form uses: whole knots and the rest in thousandths.
void SplitAmplitude(CurrentYearTerm& t) {
  t.amplitudeWhole = static_cast<int32_t>(t.amplitudeKnots);
  const float fraction = t.amplitudeKnots - static_cast<float>(t.amplitudeWhole);
  t.amplitudeMilli = static_cast<int32_t>(fraction * 10000.0f + 5.0f) / 10;
}

// A phase in degrees as radians and cosine-table steps. The phase is first brought into
// 0..360 degrees, so the step remainder is never negative.
void SetPhase(CurrentYearTerm& t, double degrees) {
  degrees = std::fmod(degrees, 360.0);
  if (degrees < 0) degrees += 360.0;
  t.phaseRadians = static_cast<float>(degrees / 57.295779);
  const double steps = degrees * kCosineCircleSteps / 360.0;
  t.phaseSteps = static_cast<int32_t>(steps);
  t.phaseSteps5 = static_cast<int32_t>(((steps - t.phaseSteps) * 1000000.0 + 5.0) / 10.0);
}

std::vector<CurrentYearTerm> BuildTerms(const CurrentHarmonicFile& file, const YearRecord& year, bool& hasConstant) {
  std::vector<CurrentYearTerm> terms;
  hasConstant = false;
  for (const CurrentConstituentRecord& r : file.records) {
    if (r.amplitude == 0 && r.constituent == 0) continue;
    CurrentYearTerm t;
    t.constituent = r.constituent;
    t.directionTenths = r.directionTenthsDegree;
    const double g = r.phaseTenthsDegree;
    if (r.constituent == kCurrentConstantTerm) {
      t.amplitudeKnots = static_cast<float>(r.amplitude);  // millionths, as stored
      t.amplitudeWhole = r.amplitude;
      hasConstant = true;
    } else if (file.compound != 0 && r.constituent == kCompoundConstituent) {
      t.amplitudeKnots = static_cast<float>(year.nodeFactor[kCompoundSecond] / 1000.0 *
                                            (year.nodeFactor[kCompoundFirst] / 1000.0) * (r.amplitude / 1000.0));
      SplitAmplitude(t);
      SetPhase(t, (2.0 * year.equilibrium[kCompoundFirst] - year.equilibrium[kCompoundSecond] - g) / 10.0);
    } else {
      t.amplitudeKnots = static_cast<float>(r.amplitude / 1000.0 * (year.nodeFactor[r.constituent] / 1000.0));
      SplitAmplitude(t);
      SetPhase(t, (year.equilibrium[r.constituent] - g) / 10.0);
    }
    terms.push_back(t);
  }
  return terms;
}

int32_t ToSpeed(int64_t microKnots) {
  return static_cast<int32_t>(std::clamp<int64_t>(microKnots, -2147483646LL, 2147483646LL));
}

// The direction groups of one evaluation: consecutive harmonic terms on one axis share a
// group; a change of axis opens the next one.
template <typename Sum>
struct Groups {
  std::array<int16_t, kMaxGroups> direction{};
  std::array<Sum, kMaxGroups> sum{};
  int count = 0;

  void Open(int16_t axis, Sum start) {
    direction[static_cast<size_t>(count)] = axis;
    sum[static_cast<size_t>(count)] = start;
    ++count;
  }
  void Add(int16_t axis, Sum value) {
    if (direction[static_cast<size_t>(count - 1)] != axis) Open(axis, 0);
    sum[static_cast<size_t>(count - 1)] += value;
  }
  // A constant goes to the first group on its axis, or opens one.
  void AddConstant(int16_t axis, Sum value) {
    for (int i = 0; i < count; ++i) {
      if (direction[static_cast<size_t>(i)] == axis) {
        sum[static_cast<size_t>(i)] += value;
        return;
      }
    }
    Open(axis, value);
  }
};

CombinedCurrent FloatingCurrent(int64_t adjusted) {
  const HeldCurrent& s = State();
  const SpeedTable& speeds = *ConstituentSpeeds();
  const double hours = static_cast<double>(adjusted - static_cast<int64_t>(HeldYearStart())) / 60.0;
  Groups<double> groups;
  groups.Open(s.terms.front().directionTenths, 0.0);
  for (const CurrentYearTerm& t : s.terms) {
    if (t.constituent == kCurrentConstantTerm) continue;
    groups.Add(t.directionTenths,
               t.amplitudeKnots * std::cos(hours * speeds.speedRadiansPerHour[t.constituent] + t.phaseRadians));
  }
  if (s.file.hydraulic != 0) {
    for (int i = 0; i < groups.count; ++i) groups.sum[static_cast<size_t>(i)] = HydraulicRootKnots(groups.sum[static_cast<size_t>(i)]);
  }
  groups.sum[0] += s.file.meanCurrentMicroKnots / 1000000.0;
  if (s.hasConstant) {
    for (const CurrentYearTerm& t : s.terms) {
      if (t.constituent == kCurrentConstantTerm) groups.AddConstant(t.directionTenths, t.amplitudeKnots / 1000000.0);
    }
  }
  return CombineCurrentComponentsReal(groups.sum.data(), groups.direction.data(), groups.count,
                                      s.file.ebbDirectionDegrees);
}

CombinedCurrent IntegerCurrent(int64_t adjusted) {
  const HeldCurrent& s = State();
  const SpeedTable& speeds = *ConstituentSpeeds();
  const int32_t* table = CosineTable();
  const HourParts hours = SplitHours(adjusted - static_cast<int64_t>(HeldYearStart()));
  Groups<int64_t> groups;
  groups.Open(s.terms.front().directionTenths, 0);
  for (const CurrentYearTerm& t : s.terms) {
    if (t.constituent == kCurrentConstantTerm) continue;
    const uint8_t k = t.constituent;
    const int64_t c = TermCosine(s.circle.data(), speeds.stepsWhole[k], speeds.stepsFrac5[k], speeds.stepsFrac3[k],
                                 t.phaseSteps, t.phaseSteps5, hours);
    groups.Add(t.directionTenths, t.amplitudeWhole * c + t.amplitudeMilli * c / 1000);
  }
  std::array<int32_t, kMaxGroups> sums{};
  for (int i = 0; i < groups.count; ++i) {
    const size_t k = static_cast<size_t>(i);
    sums[k] = ToSpeed(groups.sum[k]);
    if (s.file.hydraulic != 0) sums[k] = HydraulicRootMicroKnots(sums[k]);
  }
  sums[0] = ToSpeed(static_cast<int64_t>(sums[0]) + s.file.meanCurrentMicroKnots);
  int count = groups.count;
  if (s.hasConstant) {
    for (const CurrentYearTerm& t : s.terms) {
      if (t.constituent != kCurrentConstantTerm) continue;
      int i = 0;
      while (i < count && groups.direction[static_cast<size_t>(i)] != t.directionTenths) ++i;
      if (i == count) {
        groups.direction[static_cast<size_t>(count)] = t.directionTenths;
        sums[static_cast<size_t>(count)] = 0;
        ++count;
      }
      sums[static_cast<size_t>(i)] = ToSpeed(static_cast<int64_t>(sums[static_cast<size_t>(i)]) + t.amplitudeWhole);
    }
  }
  return CombineCurrentComponentsInt(sums.data(), groups.direction.data(), count, s.file.ebbDirectionDegrees,
                                     table);
}

bool TermsReady() {
  const HeldCurrent& s = State();
  return s.held && FileHeld(s.file.number) && s.termsYear != 0 && s.termsYear == HeldYear() &&
         !s.terms.empty() && s.circle.size() == kFullCircleEntries && ConstituentSpeeds() && CosineTable();
}

}  // namespace

int LoadCurrentHarmonics(uint16_t fileNumber) {
  HeldCurrent& s = State();
  if (FileHeld(fileNumber)) return 1;

  // The previous station goes first, whatever happens to this load.
  BeginStationChange(fileNumber);
  s.held = false;
  s.file = CurrentHarmonicFile{};
  s.terms.clear();
  s.termsYear = 0;

  const std::string path = DataFilePath(CurrentHarmonicFileName(fileNumber));
  std::vector<uint8_t> bytes;
  if (!ReadFilePrefix(path, kCurrentHarmonicMaxFileSize, bytes)) {
    ReportEngineError(kMsgCurrentFileOpen, FormatString(kMsgCurrentFileOpen, path.c_str()));
    DebugTrace("Unable to load %s\n", path.c_str());
    return -1;
  }

  CurrentHarmonicFile file;
  bool checksumOk = false;
  if (!DecodeCurrentHarmonicFile(bytes.data(), bytes.size(), file, checksumOk) || !checksumOk ||
      !ConstituentsFit(file, fileNumber)) {
    ReportCorrupted(fileNumber);
    return -1;
  }

  file.number = fileNumber;  // the number it was asked for and is cached under
  s.file = std::move(file);
  s.held = true;
  SetLoadedStationNumber(fileNumber);
  ForgetCurrentWindowDirections();
  StartMinuteCache(fileNumber);
  return 1;
}

int PrepareCurrentYear(uint16_t fileNumber, int year) {
  HeldCurrent& s = State();
  if (CurrentYearReady(fileNumber, year)) return static_cast<int>(s.terms.size());

  int result = LoadCurrentHarmonics(fileNumber);
  if (result <= 0) return result;
  if (HeldYear() != year) {
    result = LoadYearRecord(year);
    if (result <= 0) return result;
  }
  if (!ConstituentSpeeds() && LoadConstituentSpeeds() <= 0) return -1;
  if (!CosineTable()) LoadCosineTable();
  if (!CosineTable() || !HeldYearRecord()) return -1;

  s.terms = BuildTerms(s.file, *HeldYearRecord(), s.hasConstant);
  s.circle.resize(kFullCircleEntries);
  UnfoldCosineTable(CosineTable(), s.circle.data());
  if (s.terms.empty()) {
    // Nothing to sum: the file cannot describe a current.
    ReportCorrupted(fileNumber);
    s.termsYear = 0;
    return 0;
  }
  s.termsYear = year;
  return static_cast<int>(s.terms.size());
}

bool CurrentYearReady(uint16_t fileNumber, int year) {
  return FileHeld(fileNumber) && HeldYear() == year && TermsReady();
}

CurrentSample ComputeCurrentSpeed(EngineMinute minute, char mathType) {
  HeldCurrent& s = State();
  if (!TermsReady()) {
    ReportEngineError(kMsgCurrentLogicError, StringText(kMsgCurrentLogicError));
    return CurrentSample{kValueFailed, kNotGiven16};
  }
  const int64_t adjusted = minute;
  const char form = (mathType == 'f' || mathType == 'F') ? 'f' : 'i';

  const int64_t day =
      adjusted >= 0 ? adjusted / kMinutesPerDay : -((-adjusted + kMinutesPerDay - 1) / kMinutesPerDay);
  const auto slot = static_cast<size_t>(adjusted - day * kMinutesPerDay);
  MinuteCache* cache = MinuteCacheFor(s.file.number, day, form);
  if (cache && cache->value[slot] != kMinuteNotComputed) return CurrentSample{cache->value[slot], cache->direction[slot]};

  ++s.sums;
  CombinedCurrent current = form == 'f' ? FloatingCurrent(adjusted) : IntegerCurrent(adjusted);
  if (s.file.strongCurrent != 0) {
    current.speedMicroKnots = static_cast<int32_t>(
        std::trunc(CompressStrongCurrentKnots(current.speedMicroKnots / 1000000.0) * 1000000.0));
  }
  if (cache) {
    cache->value[slot] = current.speedMicroKnots;
    cache->direction[slot] = current.directionDegrees;
  }
  return CurrentSample{current.speedMicroKnots, current.directionDegrees};
}

uint16_t HeldCurrentFileNumber() {
  const HeldCurrent& s = State();
  return s.held && FileHeld(s.file.number) ? s.file.number : 0;
}

std::string HeldCurrentFileName() { return HeldCurrentFileNumber() != 0 ? State().file.name : std::string(); }

std::span<const CurrentYearTerm> CurrentYearTerms() { return State().terms; }

uint64_t CurrentSpeedSumCount() { return State().sums; }

void ResetCurrentHarmonics() { State() = HeldCurrent{}; }

}  // namespace qw
