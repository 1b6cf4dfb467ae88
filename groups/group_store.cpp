#include "groups/group_store.h"

#include <algorithm>

#include "engine/string_table.h"
#include "stations/user_files.h"

namespace qw {
namespace {

constexpr const char* kCountKey = "Count";
// Far more groups and locations than anyone opens; a damaged Count is not followed further.
constexpr int kMaxListed = 10000;
// A groups file is a few kilobytes.
constexpr size_t kMaxGroupsFileBytes = 8u << 20;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The index value that reads back as `name`. The settings-file reader strips one pair of
// matching quotes around a value, so a name such as 'Home' is written inside double
// quotes (which a group name cannot hold, so they can only be the wrapping).
std::string IndexValue(const std::string& name) {
  if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') return "\"" + name + "\"";
  return name;
}

}  // namespace

std::string TrimGroupName(std::string_view name) {
  const size_t first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::string();
  return std::string(name.substr(first, name.find_last_not_of(" \t") - first + 1));
}

bool GroupStore::Load(std::string* problem) {
  const std::string path = file_.path().string();
  std::vector<uint8_t> bytes;
  std::string why;
  ReadResult read = ReadWholeFile(path, kMaxGroupsFileBytes, bytes, &why);
  if (read == ReadResult::Read && std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) {
    read = ReadResult::Unreadable;
    why = "it is not a text file";
  }
  keepFile_ = false;
  keepProblem_.clear();
  if (read == ReadResult::Missing) {
    file_.LoadFromText("");
    return true;
  }
  if (read != ReadResult::Read) {
    std::string moveError;
    const std::string keptAs = MoveAside(path, &moveError);
    if (problem) {
      *problem = FormatString(kMessageGroupsFileDamaged, path.c_str(), why.c_str(),
                              keptAs.empty() ? moveError.c_str() : keptAs.c_str());
    }
    file_ = ProfileFile(path);
    // A damaged file that could not be moved aside is never replaced.
    keepFile_ = keptAs.empty();
    keepProblem_ = why;
    return false;
  }
  file_.Load();
  return true;
}

std::vector<std::string> GroupStore::Names() const {
  std::vector<std::string> names;
  const int count = std::min(file_.ReadInt(kGroupIndexSection, kCountKey, 0), kMaxListed);
  for (int i = 0; i < count; ++i) {
    const std::string key = std::to_string(i);
    if (!file_.HasKey(kGroupIndexSection, key)) continue;
    std::string name = file_.ReadString(kGroupIndexSection, key, "", kMaxGroupNameBytes + 1);
    if (name.empty() || SameName(name, kGroupIndexSection)) continue;
    if (std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, name); })) continue;
    names.push_back(std::move(name));
  }
  return names;
}

int GroupStore::LocationCount(std::string_view name) const {
  return std::clamp(file_.ReadInt(name, kCountKey, 0), 0, kMaxListed);
}

std::vector<OpenWindowEntry> GroupStore::Locations(std::string_view name) const {
  std::vector<OpenWindowEntry> entries;
  const int count = LocationCount(name);
  for (int i = 0; i < count; ++i) {
    const std::string key = std::to_string(i);
    OpenWindowEntry entry;
    if (file_.HasKey(name, key) && ParseOpenWindowEntry(file_.ReadString(name, key, "", 256), entry)) {
      entries.push_back(entry);
    }
  }
  return entries;
}

std::string GroupStore::NameProblem(std::string_view raw) const {
  const std::string name = TrimGroupName(raw);
  if (name.empty() || SameName(name, kGroupIndexSection)) return StringText(kMessageGroupNotUnique);
  for (const std::string& existing : Names()) {
    if (SameName(existing, name)) return StringText(kMessageGroupNotUnique);
  }
  // A section also named so, left by an older index, would be merged into.
  if (file_.HasSection(name)) return StringText(kMessageGroupNotUnique);
  if (std::string why = qw::NameProblem(name, kMaxGroupNameBytes, "Group names"); !why.empty()) return why;
  if (name.find_first_of("[]\"") != std::string::npos) return StringText(kMessageGroupNameCharacters);
  return std::string();
}

bool GroupStore::WriteGroup(std::string_view name, const std::vector<OpenWindowEntry>& entries, GroupWriteMode mode,
                            std::string* error) {
  const ProfileFile before = file_;
  if (mode == GroupWriteMode::Replace) file_.RemoveSection(name);
  int n = file_.HasKey(name, kCountKey) ? LocationCount(name) : 0;
  for (const OpenWindowEntry& entry : entries) {
    file_.WriteString(name, std::to_string(n), FormatOpenWindowEntry(entry));
    ++n;
  }
  file_.WriteInt(name, kCountKey, n);
  std::vector<std::string> names = Names();
  if (std::none_of(names.begin(), names.end(), [&](const std::string& existing) { return SameName(existing, name); })) {
    names.emplace_back(name);
  }
  WriteIndex(names);
  if (!Save(error)) {
    file_ = before;
    return false;
  }
  return true;
}

bool GroupStore::DeleteGroup(std::string_view name, std::string* error) {
  const ProfileFile before = file_;
  std::vector<std::string> names = Names();
  names.erase(std::remove_if(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, name); }),
              names.end());
  file_.RemoveSection(name);
  WriteIndex(names);
  if (!Save(error)) {
    file_ = before;
    return false;
  }
  return true;
}

bool GroupStore::SaveIndex(const std::vector<std::string>& names, std::string* error) {
  const ProfileFile before = file_;
  WriteIndex(names);
  if (!Save(error)) {
    file_ = before;
    return false;
  }
  return true;
}

void GroupStore::WriteIndex(const std::vector<std::string>& names) {
  file_.RemoveSection(kGroupIndexSection);
  file_.WriteInt(kGroupIndexSection, kCountKey, static_cast<int64_t>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) {
    file_.WriteString(kGroupIndexSection, std::to_string(i), IndexValue(names[i]));
  }
}

bool GroupStore::Save(std::string* error) {
  std::string why = keepProblem_;
  if (!keepFile_ && file_.Save(&why)) return true;
  if (error) *error = FormatString(kMessageGroupsNotSaved, why.c_str());
  return false;
}

}  // namespace qw
