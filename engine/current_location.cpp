#include "engine/current_location.h"

#include "engine/record_fields.h"

namespace qw {
namespace {

namespace off = current_location_offset;

// The record's fields in file order.
struct CurrentFields {
  template <typename Walker, typename Record>
  constexpr void operator()(Walker& w, Record& r) const {
    WalkStationIdentity(w, r);
    w.I16(off::kSlackBeforeFloodTime, r.slackBeforeFloodTime);
    w.I16(off::kFloodTime, r.floodTime);
    w.I16(off::kFloodSpeedRatio, r.floodSpeedRatio);
    w.I16(off::kSlackBeforeEbbTime, r.slackBeforeEbbTime);
    w.I16(off::kEbbTime, r.ebbTime);
    w.I16(off::kEbbSpeedRatio, r.ebbSpeedRatio);
    w.I16(off::kSlackBeforeFloodSpeed, r.slackBeforeFloodSpeed);
    w.I16(off::kSlackBeforeFloodDirection, r.slackBeforeFloodDirection);
    w.I16(off::kFloodSpeed, r.floodSpeed);
    w.I16(off::kFloodDirection, r.floodDirection);
    w.I16(off::kSlackBeforeEbbSpeed, r.slackBeforeEbbSpeed);
    w.I16(off::kSlackBeforeEbbDirection, r.slackBeforeEbbDirection);
    w.I16(off::kEbbSpeed, r.ebbSpeed);
    w.I16(off::kEbbDirection, r.ebbDirection);
    w.I16(off::kStationKind, r.stationKind);
    w.I16(off::kSecondEventTime, r.secondEventTime);
    w.I16(off::kSecondEventRatio, r.secondEventRatio);
    w.I16(off::kUnused102, r.unused102);
    w.I16(off::kSecondEventDirection, r.secondEventDirection);
    w.I16(off::kThirdEventTime, r.thirdEventTime);
    w.I16(off::kThirdEventRatio, r.thirdEventRatio);
    w.I16(off::kUnused110, r.unused110);
    w.I16(off::kThirdEventDirection, r.thirdEventDirection);
    w.I16s(off::kUnused114, r.unused114);
    w.U16(off::kReferenceId, r.referenceId);
    w.I16(off::kTimeMeridian, r.timeMeridian);
    w.I16(off::kMeterDepth, r.meterDepth);
    w.U8(off::kUnused126, r.unused126);
    w.U16(off::kVicinityIndex, r.vicinityIndex);
    w.U8(off::kObservesDst, r.observesDst);
  }
};

static_assert(FieldsCoverRecord<CurrentLocation, CurrentFields>(kCurrentLocationSize));

}  // namespace

void DecodeCurrentLocation(const uint8_t* bytes, CurrentLocation& out) { DecodeFields<CurrentFields>(bytes, out); }

void EncodeCurrentLocation(const CurrentLocation& in, uint8_t* bytes) { EncodeFields<CurrentFields>(in, bytes); }

bool IsSubordinateCurrent(const CurrentLocation& s) {
  return s.slackBeforeFloodTime != 0 || s.floodTime != 0 || s.floodSpeedRatio != 0 ||
         s.slackBeforeEbbTime != 0 || s.ebbTime != 0 || s.ebbSpeedRatio != 0;
}

bool CurrentLocationPosition(const CurrentLocation& station, double& latitude, double& longitude) {
  return StationRecordPosition(station, latitude, longitude);
}

}  // namespace qw
