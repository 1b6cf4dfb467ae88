#include "engine/tide_location.h"

#include "engine/record_fields.h"

namespace qw {
namespace {

namespace off = tide_location_offset;

// The record's fields in file order.
struct TideFields {
  template <typename Walker, typename Record>
  constexpr void operator()(Walker& w, Record& r) const {
    WalkStationIdentity(w, r);
    w.I16(off::kHighTimeOffset, r.highTimeOffset);
    w.I16(off::kHighHeightDiff, r.highHeightDiff);
    w.I16(off::kHighHeightRatio, r.highHeightRatio);
    w.I16(off::kLowTimeOffset, r.lowTimeOffset);
    w.I16(off::kLowHeightDiff, r.lowHeightDiff);
    w.I16(off::kLowHeightRatio, r.lowHeightRatio);
    w.I16(off::kMeanRange, r.meanRange);
    w.I16(off::kMeanHigherHighWater, r.meanHigherHighWater);
    w.I16(off::kMeanTideLevel, r.meanTideLevel);
    w.I16(off::kExtremeRule, r.extremeRule);
    w.I16s(off::kUnused88, r.unused88);
    w.U16(off::kReferenceId, r.referenceId);
    w.I16(off::kTimeMeridian, r.timeMeridian);
    w.U8(off::kFlags, r.flags);
    w.U16(off::kVicinityIndex, r.vicinityIndex);
    w.U8(off::kObservesDst, r.observesDst);
  }
};

// The record holds the chosen datum's name, a std::string, which clang 14 cannot make at
// compile time with GCC's library; the GCC builds check the table.
#if !defined(__clang__) || __clang_major__ >= 15
static_assert(FieldsCoverRecord<TideLocation, TideFields>(kTideLocationSize));
#endif

}  // namespace

void DecodeTideLocation(const uint8_t* bytes, TideLocation& out) { DecodeFields<TideFields>(bytes, out); }

void EncodeTideLocation(const TideLocation& in, uint8_t* bytes) { EncodeFields<TideFields>(in, bytes); }

bool TideLocationPosition(const TideLocation& station, double& latitude, double& longitude) {
  return StationRecordPosition(station, latitude, longitude);
}

}  // namespace qw
