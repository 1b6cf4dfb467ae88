// The subordinate tide corrections of a tide station record, as the prediction uses
// them: which station has corrections, the effective high and low water time offsets,
// the corrected extreme heights and the rule for a value that is not defined.
//
// All arithmetic is integer with truncation toward zero, exactly as written in each
// function; heights are millionths of a foot.
#pragma once

#include <cstdint>

#include "engine/tide_location.h"

namespace qw {

// True when any of highTimeOffset, highHeightDiff, lowTimeOffset, lowHeightDiff is
// nonzero (kNotGiven16 counts as nonzero). A station without corrections shows its
// reference station's values unchanged, whatever its ratios say.
bool HasTideCorrections(const TideLocation& station);

// The corrections a prediction applies, derived afresh from the record. For a station
// without corrections everything is 0.
struct TideCorrections {
  bool active = false;       // HasTideCorrections
  int32_t highMinutes = 0;   // HT: highTimeOffset, else lowTimeOffset, else 0
  int32_t lowMinutes = 0;    // LT: lowTimeOffset, else highTimeOffset, else 0
  int32_t highDiff = 0;      // hundredths of a foot; not given counts 0
  int32_t highRatio = 0;     // hundredths; not given counts 0
  int32_t lowDiff = 0;
  int32_t lowRatio = 0;
};

TideCorrections TideCorrectionsOf(const TideLocation& station);

// (H / 10) x ratio / 10 + diff x 10000 with the high (or low) water fields. Results that
// would not fit 32 bits are clamped to the largest ordinary height.
int32_t CorrectHighWater(const TideCorrections& c, int32_t referenceHeight);
int32_t CorrectLowWater(const TideCorrections& c, int32_t referenceHeight);

// True when a needed correction is not given: (lowHeightRatio and lowTimeOffset both
// not given) or lowHeightDiff not given or (highHeightRatio and highTimeOffset both not
// given) or highHeightDiff not given. Every value of such a station is kValueNotDefined.
bool TideValueNotDefined(const TideLocation& station);

// Places a reference height h, lying at some fraction between the reference extremes
// hp and hn, at the same fraction (in 1/100,000) between the corrected extremes
// hpCorrected and hnCorrected. hp must differ from hn.
int32_t MapBetweenExtremes(int32_t h, int32_t hp, int32_t hn, int32_t hpCorrected,
                           int32_t hnCorrected);

}  // namespace qw
