#include "windows/real_time_lists.h"

#include <algorithm>

namespace qw {

RealTimeAdd RealTimeLists::Add(const StationRef& station) {
  std::vector<StationRef>& list = Of(station.kind);
  if (std::find(list.begin(), list.end(), station) != list.end()) return RealTimeAdd::AlreadyListed;
  if (Full(station.kind)) return RealTimeAdd::ListFull;
  list.push_back(station);
  return RealTimeAdd::Added;
}

StationActionResult RealTimeLists::AddAction(const StationRef& station) {
  switch (Add(station)) {
    case RealTimeAdd::Added: return StationActionResult::Done;
    case RealTimeAdd::AlreadyListed: return StationActionResult::AlreadyListed;
    case RealTimeAdd::ListFull: break;
  }
  return StationActionResult::ListFull;
}

void RealTimeLists::Remove(StationKind kind, size_t position) {
  std::vector<StationRef>& list = Of(kind);
  if (position < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(position));
}

RealTimeLists RealTimeLists::Read(const ProfileFile& file) {
  return RealTimeLists{ReadRealTimeList(file, StationKind::Tide), ReadRealTimeList(file, StationKind::Current)};
}

void RealTimeLists::Write(ProfileFile& file) const {
  WriteRealTimeList(file, StationKind::Tide, tides);
  WriteRealTimeList(file, StationKind::Current, currents);
}

int ListFullMessage(StationKind kind) { return kind == StationKind::Tide ? 3000 : 3002; }

std::string AddManyMessage(const AddManyOutcome& outcome) {
  if (outcome.refusedFull > 0 && outcome.refusedListed > 0) {
    return "Unable to add one or more locations because of one of the following reasons:\n\n"
           "- The list is full for that location type.\n\n- The location is already in the list.";
  }
  if (outcome.refusedFull > 0) {
    return "Unable to add one or more locations. RealTime Window has reached its limit of locations.";
  }
  if (outcome.refusedListed > 0) return "Unable to add one or more locations because they already exist in the list.";
  return std::string();
}

}  // namespace qw
