#include "stations/custom_locations.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/byte_order.h"
#include "engine/data_dir.h"
#include "engine/installed_catalogue.h"
#include "engine/report.h"
#include "engine/station_database.h"
#include "settings/profile_file.h"
#include "stations/station_detail.h"
#include "stations/station_index.h"
#include "stations/station_notes.h"
#include "stations/user_files.h"

namespace qw {
namespace {

constexpr const char* kCounterKey = "NextStationId";
constexpr const char* kKeySuffix = ".Key";
constexpr const char* kRelinkSuffix = ".before-relink";

char KindLetter(StationKind kind) { return kind == StationKind::Tide ? 'T' : 'C'; }

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

size_t ReferenceIdOffset(StationKind kind) {
  return kind == StationKind::Tide ? tide_location_offset::kReferenceId : current_location_offset::kReferenceId;
}

void AddOnce(std::vector<uint16_t>& numbers, uint16_t number) {
  if (number != 0 && std::find(numbers.begin(), numbers.end(), number) == numbers.end()) numbers.push_back(number);
}

}  // namespace

std::string InstalledReferenceName(StationKind kind, uint16_t referenceId) {
  if (referenceId == 0) return std::string();
  if (kind == StationKind::Current) return CurrentReferenceName(referenceId);
  TideLocation probe;
  probe.referenceId = referenceId;
  return ReferenceStationName(probe);
}

InstalledReferenceStations::InstalledReferenceStations() = default;
InstalledReferenceStations::~InstalledReferenceStations() = default;

std::string InstalledReferenceStations::Name(StationKind kind, uint16_t referenceId) const {
  // A number the side catalogue does not list names no station: asking the harmonic
  // files would only report a missing record.
  const StationSources* sources = InstalledSources();
  if (sources && referenceId != 0 && !sources->FindByStationId(KindLetter(kind), referenceId)) return std::string();
  return InstalledReferenceName(kind, referenceId);
}

std::string InstalledReferenceStations::Key(StationKind kind, uint16_t referenceId) const {
  const StationSource* entry = ReferenceSource(KindLetter(kind), referenceId);
  if (!entry || entry->source.empty() || entry->sourceId.empty()) return std::string();
  return entry->source + "/" + entry->sourceId;
}

const StationIndex& InstalledReferenceStations::Index(StationKind kind) const {
  if (!index_ || indexed_ != kind) {
    index_ = std::make_unique<StationIndex>();
    indexed_ = kind;
    const RegionList regions = BuildRegionList(kind);
    index_->Build(kind == StationKind::Tide ? regions : RegionList(),
                  kind == StationKind::Current ? regions : RegionList());
  }
  return *index_;
}

// A reference station's ID is its harmonic record or file number, the number its
// record refers to.
std::vector<uint16_t> InstalledReferenceStations::WithKey(StationKind kind, std::string_view key) const {
  std::vector<uint16_t> numbers;
  const StationSources* sources = InstalledSources();
  const size_t slash = key.find('/');
  if (!sources || slash == std::string_view::npos) return numbers;
  for (const StationSource* entry : sources->FindBySourceId(KindLetter(kind), key.substr(slash + 1))) {
    if (entry->source != key.substr(0, slash)) continue;
    for (const RegionIndex& region : Index(kind).Regions(kind)) {
      if (region.number != entry->region || entry->index < 0) continue;
      const size_t at = static_cast<size_t>(entry->index);
      if (at < region.stations.size() && region.stations[at].stationId == region.stations[at].referenceId) {
        AddOnce(numbers, region.stations[at].referenceId);
      }
    }
  }
  return numbers;
}

std::vector<uint16_t> InstalledReferenceStations::WithName(StationKind kind, std::string_view name) const {
  // Every number a station of the installed data is computed from, each named once.
  std::vector<uint16_t> referenced;
  for (const RegionIndex& region : Index(kind).Regions(kind)) {
    if (region.number == kCustomRegionNumber) continue;
    for (const StationSummary& station : region.stations) AddOnce(referenced, station.referenceId);
  }
  std::vector<uint16_t> numbers;
  for (uint16_t number : referenced) {
    if (Name(kind, number) == name) numbers.push_back(number);
  }
  return numbers;
}

std::string CustomIdentityPath() { return DataFilePath("custom99.ini"); }

CustomReadReport CustomLocationList::Load(int expectedEntries) {
  changed_ = false;
  deleted_.clear();
  edited_.clear();
  CustomReadReport report = ReadCustomFile(kind_, expectedEntries, contents_);
  damagedNotKept_ = report.damaged && !report.missing && report.keptAs.empty();
  damaged_ = report.damaged;
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

bool CustomLocationList::Save(std::string* error, const ReferenceStations& references) {
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
    if (!DeleteUserNote({kind_, kCustomMarker, id}, &why))
      DebugTrace("custom note %u not deleted: %s\n", id, why.c_str());
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
    // A location whose reference was found changed keeps the name and key it was saved
    // with until the user has edited it (and seen its reference line).
    std::string saved;
    uint16_t savedId = 0;
    std::string name, stationKey;
    if (edited_.count(EntryStationId(record)) == 0 &&
        SplitReference(identities.ReadString(section, key, "", 256), savedId, saved) && savedId == referenceId) {
      name = saved;
      stationKey = identities.ReadString(section, key + kKeySuffix, "", 256);
    } else {
      name = references.Name(kind_, referenceId);
      stationKey = references.Key(kind_, referenceId);
    }
    kept.emplace_back(key, std::to_string(referenceId) + "," + name);
    if (!stationKey.empty()) kept.emplace_back(key + kKeySuffix, stationKey);
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

std::vector<ReferenceChange> CustomLocationList::CheckReferences(const ReferenceStations& references) const {
  std::vector<ReferenceChange> changes;
  const ProfileFile identities = LoadIdentities();
  const char* section = IdentitySection(kind_);
  for (const CustomRecord& record : contents_.entries) {
    if (IsSection(record)) continue;
    const std::string id = std::to_string(EntryStationId(record));
    uint16_t savedId = 0;
    std::string saved;
    if (!SplitReference(identities.ReadString(section, id, "", 256), savedId, saved)) continue;
    const uint16_t referenceId = ReferenceIdOf(kind_, record);
    const std::string savedKey = identities.ReadString(section, id + kKeySuffix, "", 256);
    if (savedId != referenceId || (saved.empty() && savedKey.empty()))
      continue;  // edited since, or saved without a reference
    // The key names a station in every edition; a name is compared only where no key
    // was remembered or the installed data give none.
    const std::string nowKey = savedKey.empty() ? std::string() : references.Key(kind_, referenceId);
    const std::string now = references.Name(kind_, referenceId);
    if (!savedKey.empty() && !nowKey.empty() ? nowKey == savedKey : now == saved) continue;
    ReferenceChange change;
    change.location = EntryName(record);
    change.locationId = EntryStationId(record);
    change.referenceId = referenceId;
    change.savedName = saved;
    change.nowName = now;
    change.savedKey = savedKey;
    const std::vector<uint16_t> found =
        savedKey.empty() ? references.WithName(kind_, saved) : references.WithKey(kind_, savedKey);
    change.candidates = static_cast<int>(found.size());
    if (found.size() == 1 && found[0] != referenceId) {
      change.relinkTo = found[0];
      change.relinkName = references.Name(kind_, found[0]);
      change.relinkKey = references.Key(kind_, found[0]);
    }
    changes.push_back(std::move(change));
  }
  return changes;
}

bool CustomLocationList::Relink(const std::vector<ReferenceChange>& changes, std::string* keptAs, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (changed_) return fail("the list has changes that are not saved");
  if (damaged_) return fail("the custom file was damaged when it was read");
  CustomFileContents relinked = contents_;
  std::vector<const ReferenceChange*> applied;
  for (const ReferenceChange& change : changes) {
    if (change.relinkTo == 0) continue;
    for (CustomRecord& record : relinked.entries) {
      if (IsSection(record) || EntryStationId(record) != change.locationId) continue;
      if (record.size() < ReferenceIdOffset(kind_) + 2 || ReferenceIdOf(kind_, record) != change.referenceId) continue;
      WriteU16(record.data() + ReferenceIdOffset(kind_), change.relinkTo);
      applied.push_back(&change);
    }
  }
  if (applied.empty()) return true;
  std::string why;
  const std::string kept = CopyAside(CustomFilePath(kind_), &why, kRelinkSuffix);
  if (kept.empty()) return fail("no copy of '" + CustomFilePath(kind_) + "' could be kept: " + why);
  if (!WriteCustomFile(kind_, relinked, error)) return false;
  contents_ = std::move(relinked);
  if (keptAs) *keptAs = kept;
  // The station is the one the location was saved with: its name and key stay.
  ProfileFile identities = LoadIdentities();
  const char* section = IdentitySection(kind_);
  for (const ReferenceChange* change : applied) {
    const std::string id = std::to_string(change->locationId);
    identities.WriteString(section, id, std::to_string(change->relinkTo) + "," + change->savedName);
    if (change->savedKey.empty() && !change->relinkKey.empty())
      identities.WriteString(section, id + kKeySuffix, change->relinkKey);
  }
  if (!identities.Save(&why)) DebugTrace("custom reference names not saved: %s\n", why.c_str());
  return true;
}

}  // namespace qw
