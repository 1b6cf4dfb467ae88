// Groups: named lists of tide and current locations saved from the open windows and
// reopened together. They live in "veldagrp.ini", in the settings file's sectioned form:
//
//   [GroupIndex]
//   Count=2
//   0=Weekend sail
//   1=Harbour work
//   [Weekend sail]
//   Count=1
//   0=T,3,120,9447130,0,1,-1,-1,-1,-1,22,22,622,422,1,0,0
//
// Each location line has the 17 fields of the open-windows list, so reopening a group is
// reopening such a list. Every change is written to the file at once (atomically), index
// and sections together, so the file never lists a group it does not hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_file.h"
#include "shell/open_windows.h"

namespace qw {

// Messages.
constexpr int kMessageGroupNotUnique = 9111;
constexpr int kMessageGroupsNotSaved = 9120;
constexpr int kMessageGroupsFileDamaged = 9121;
constexpr int kMessageGroupNameCharacters = 9122;

// Group names are read back into 50-byte buffers: at most 49 bytes of UTF-8.
constexpr size_t kMaxGroupNameBytes = 49;
constexpr const char* kGroupIndexSection = "GroupIndex";

enum class GroupWriteMode { Add = 1, Replace = 2 };

class GroupStore {
 public:
  explicit GroupStore(std::string path) : file_(std::move(path)) {}

  // Reads the file. A file that cannot be read, is too large or is not text (NUL bytes)
  // is moved aside and the groups start empty; `problem` then holds the message for the
  // user. A missing file is no groups.
  bool Load(std::string* problem = nullptr);

  // The names of the index, in list order.
  std::vector<std::string> Names() const;
  // The group's Count.
  int LocationCount(std::string_view name) const;
  // The group's well-formed lines in key order 0..Count-1 (malformed lines left out).
  std::vector<OpenWindowEntry> Locations(std::string_view name) const;

  // Why a name cannot be given to a new group (the "unique Group name" message, or why the
  // file cannot hold it), or an empty string. The name is taken trimmed.
  std::string NameProblem(std::string_view name) const;

  // Creates (Replace) or extends (Add) the group's section with the entries, lists the
  // group in the index when it is not there yet, and saves. False with `error` set when
  // the file could not be written (the file on disk is then unchanged).
  bool WriteGroup(std::string_view name, const std::vector<OpenWindowEntry>& entries, GroupWriteMode mode,
                  std::string* error = nullptr);
  // Removes the group's section and its index entry, and saves.
  bool DeleteGroup(std::string_view name, std::string* error = nullptr);
  // Writes the index in the given order (the dialog's list) and saves.
  bool SaveIndex(const std::vector<std::string>& names, std::string* error = nullptr);

  const ProfileFile& file() const { return file_; }

 private:
  void WriteIndex(const std::vector<std::string>& names);
  bool Save(std::string* error);

  ProfileFile file_;
  bool keepFile_ = false;  // the damaged file on disk could not be moved: never save over it
  std::string keepProblem_;
};

// Trims blanks at both ends, as the file's reader would.
std::string TrimGroupName(std::string_view name);

}  // namespace qw
