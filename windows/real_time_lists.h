// The real-time window's two station lists as the setup dialog and the window edit
// them: at most 15 stations of each kind, no station twice. They are kept in the
// settings file (shell/real_time_list.h) between runs.
#pragma once

#include <string>
#include <vector>

#include "settings/profile_file.h"
#include "shell/location_choice.h"
#include "shell/real_time_list.h"

namespace qw {

struct RealTimeLists {
  std::vector<StationRef> tides;
  std::vector<StationRef> currents;

  std::vector<StationRef>& Of(StationKind kind) { return kind == StationKind::Tide ? tides : currents; }
  const std::vector<StationRef>& Of(StationKind kind) const { return kind == StationKind::Tide ? tides : currents; }
  bool Full(StationKind kind) const { return static_cast<int>(Of(kind).size()) >= kRealTimeListMax; }

  // Adds a station to the list of its kind.
  RealTimeAdd Add(const StationRef& station);
  // The same as the location dialog's OK action takes it.
  StationActionResult AddAction(const StationRef& station);
  void Remove(StationKind kind, size_t position);

  static RealTimeLists Read(const ProfileFile& file);
  void Write(ProfileFile& file) const;
  bool operator==(const RealTimeLists&) const = default;
};

// "Real Time Tide list is full. ..." (3000) or the current list's (3002).
int ListFullMessage(StationKind kind);

// What adding several open windows gives, and the box that says so: empty when all
// were added; otherwise the "Unable To Add" text for full lists, duplicates or both.
struct AddManyOutcome {
  int added = 0;
  int refusedFull = 0;
  int refusedListed = 0;
};
std::string AddManyMessage(const AddManyOutcome& outcome);

constexpr const char* kNothingToAddTitle = "Nothing to Add";
constexpr const char* kNothingToAddText =
    "There are not any open tide or current windows to add to the Real Time window.";

}  // namespace qw
