#include "stations/custom_locations.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/data_dir.h"
#include "engine/report.h"
#include "engine/station_database.h"
#include "settings/profile_file.h"
#include "stations/station_detail.h"
#include "stations/station_notes.h"
#include "stations/user_files.h"

namespace qw {
namespace {

constexpr const char* kCounterKey = "NextStationId";

const char* IdentitySection(StationKind kind) { return kind == StationKind::Tide ? "Tide" : "Current"; }

ProfileFile LoadIdentities() {
  ProfileFile file(CustomIdentityPath());
  file.Load();
  return file;
}

// "9447130,SEATTLE" -> number and name.
bool SplitReference(const std::string& value, uint16_t& referenceId, std::string& name) {
  const size_t comma = value.find(',');
  if (comma == std::string::npos) return false;
  const int32_t number = ProfileInteger(value.substr(0, comma), -1);
  if (number < 0 || number > 0xFFFF) return false;
  referenceId = static_cast<uint16_t>(number);
  name = value.substr(comma + 1);
  return true;
}

uint16_t ReferenceIdOf(StationKind kind, const CustomRecord& record) {
  return kind == StationKind::Tide ? DecodeTideEntry(record).referenceId : DecodeCurrentEntry(record).referenceId;
}

}  // namespace

std::string InstalledReferenceName(StationKind kind, uint16_t referenceId) {
  if (referenceId == 0) return std::string();
  if (kind == StationKind::Current) return CurrentReferenceName(referenceId);
  TideLocation probe;
  probe.referenceId = referenceId;
  return ReferenceStationName(probe);
}

std::string CustomIdentityPath() { return DataFilePath("custom99.ini"); }

CustomReadReport CustomLocationList::Load(int expectedEntries) {
  changed_ = false;
  deleted_.clear();
  edited_.clear();
  CustomReadReport report = ReadCustomFile(kind_, expectedEntries, contents_);
  damagedNotKept_ = report.damaged && !report.missing && report.keptAs.empty();
  // The counter remembered beside the file outlives a file deleted with its last entry.
  const int32_t remembered = LoadIdentities().ReadInt(IdentitySection(kind_), kCounterKey, 0);
  if (remembered > contents_.nextStationId && remembered <= 0xFFFF) {
    contents_.nextStationId = static_cast<uint16_t>(remembered);
  }
  return report;
}

bool CustomLocationList::MoveUp(int index) {
  if (index <= 0 || index >= count()) return false;
  std::swap(contents_.entries[static_cast<size_t>(index)], contents_.entries[static_cast<size_t>(index - 1)]);
  changed_ = true;
  return true;
}

bool CustomLocationList::MoveDown(int index) {
  if (index < 0 || index + 1 >= count()) return false;
  std::swap(contents_.entries[static_cast<size_t>(index)], contents_.entries[static_cast<size_t>(index + 1)]);
  changed_ = true;
  return true;
}

int CustomLocationList::InsertLocation(int selected, CustomRecord record) {
  const uint16_t id = contents_.nextStationId;
  if (id == 0) return -1;  // every ID has been given out
  record.resize(RegionRecordSize(kind_), 0);
  record[0] = kCustomMarker;
  record[station_identity_offset::kStationId] = static_cast<uint8_t>(id & 0xFF);
  record[station_identity_offset::kStationId + 1] = static_cast<uint8_t>(id >> 8);
  contents_.nextStationId = static_cast<uint16_t>(id + 1);
  const int at = (selected < 0 || count() == 0) ? 0 : std::min(selected + 1, count());
  contents_.entries.insert(contents_.entries.begin() + at, std::move(record));
  changed_ = true;
  return at;
}

int CustomLocationList::InsertSection(int selected, std::string_view name) {
  const int at = (selected < 0 || count() == 0) ? 0 : std::min(selected + 1, count());
  contents_.entries.insert(contents_.entries.begin() + at, MakeSection(kind_, name));
  changed_ = true;
  return at;
}

void CustomLocationList::ReplaceLocation(int index, CustomRecord record) {
  CustomRecord& old = contents_.entries.at(static_cast<size_t>(index));
  record.resize(old.size(), 0);
  record[0] = kCustomMarker;
  record[station_identity_offset::kStationId] = old[station_identity_offset::kStationId];
  record[station_identity_offset::kStationId + 1] = old[station_identity_offset::kStationId + 1];
  old = std::move(record);
  edited_.insert(EntryStationId(old));
  changed_ = true;
}

void CustomLocationList::RenameSection(int index, std::string_view name) {
  SetEntryName(contents_.entries.at(static_cast<size_t>(index)), name);
  changed_ = true;
}

int CustomLocationList::Delete(int index) {
  if (index < 0 || index >= count()) return count() == 0 ? -1 : std::min(std::max(index, 0), count() - 1);
  const uint16_t id = EntryStationId(entry(index));
  if (id != 0) deleted_.push_back(id);
  contents_.entries.erase(contents_.entries.begin() + index);
  changed_ = true;
  if (count() == 0) return -1;
  return std::min(index, count() - 1);
}

bool CustomLocationList::Save(std::string* error, const ReferenceNamer& namer) {
  if (changed_ || contents_.entries.empty()) {
    // A damaged file that could not be copied when it was read (unreadable, say) is moved
    // aside now, before it is replaced; when even that fails it stays and nothing is saved.
    if (damagedNotKept_) {
      std::string why;
      if (MoveAside(CustomFilePath(kind_), &why).empty() && std::filesystem::exists(CustomFilePath(kind_))) {
        if (error) *error = "the damaged file '" + CustomFilePath(kind_) + "' could not be kept aside: " + why;
        return false;
      }
      damagedNotKept_ = false;
    }
    if (!WriteCustomFile(kind_, contents_, error)) return false;
  }
  // The notes of deleted locations, now that the file no longer lists them.
  for (uint16_t id : deleted_) {
    std::string why;
    if (!DeleteUserNote({kind_, kCustomMarker, id}, &why)) DebugTrace("custom note %u not deleted: %s\n", id, why.c_str());
  }
  deleted_.clear();
  changed_ = false;

  // Remember the counter and each location's reference name.
  ProfileFile identities = LoadIdentities();
  const char* section = IdentitySection(kind_);
  std::vector<std::pair<std::string, std::string>> kept;
  for (const CustomRecord& record : contents_.entries) {
    if (IsSection(record)) continue;
    const uint16_t referenceId = ReferenceIdOf(kind_, record);
    const std::string key = std::to_string(EntryStationId(record));
    // A location whose reference was found changed keeps the name it was saved with
    // until the user has edited it (and seen its reference line).
    std::string saved;
    uint16_t savedId = 0;
    std::string name;
    if (edited_.count(EntryStationId(record)) == 0 &&
        SplitReference(identities.ReadString(section, key, "", 256), savedId, saved) && savedId == referenceId) {
      name = saved;
    } else {
      name = namer(kind_, referenceId);
    }
    kept.emplace_back(key, std::to_string(referenceId) + "," + name);
  }
  identities.RemoveSection(section);
  identities.WriteInt(section, kCounterKey, contents_.nextStationId);
  for (const auto& [key, value] : kept) identities.WriteString(section, key, value);
  edited_.clear();
  std::string why;
  if (!identities.Save(&why)) DebugTrace("custom reference names not saved: %s\n", why.c_str());
  return true;
}

void CustomLocationList::Cancel() {
  std::error_code ec;
  const std::string path = CustomFilePath(kind_);
  if (std::filesystem::exists(path, ec) && std::filesystem::file_size(path, ec) == 0 && !ec) {
    std::filesystem::remove(path, ec);
  }
}

std::vector<ReferenceChange> CustomLocationList::CheckReferences(const ReferenceNamer& namer) const {
  std::vector<ReferenceChange> changes;
  const ProfileFile identities = LoadIdentities();
  for (const CustomRecord& record : contents_.entries) {
    if (IsSection(record)) continue;
    uint16_t savedId = 0;
    std::string saved;
    if (!SplitReference(identities.ReadString(IdentitySection(kind_), std::to_string(EntryStationId(record)), "", 256),
                        savedId, saved)) {
      continue;
    }
    const uint16_t referenceId = ReferenceIdOf(kind_, record);
    if (savedId != referenceId || saved.empty()) continue;  // edited since, or saved without a reference
    const std::string now = namer(kind_, referenceId);
    if (now != saved) changes.push_back({EntryName(record), referenceId, saved, now});
  }
  return changes;
}

}  // namespace qw
