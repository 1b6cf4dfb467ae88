#include "stations/station_notes.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/atomic_file.h"
#include "engine/data_dir.h"
#include "engine/installed_catalogue.h"
#include "engine/official_notes_file.h"
#include "engine/report.h"
#include "engine/station_database.h"
#include "engine/string_table.h"
#include "settings/profile_file.h"
#include "stations/custom_location_file.h"
#include "stations/station_detail.h"
#include "stations/station_index.h"
#include "stations/user_files.h"
#include "stations/user_note_text.h"
#include "stations/user_note_marks.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

constexpr const char* kIdentitySection = "Notes";
// A notes file of the data is a few megabytes at most.
constexpr size_t kMaxOfficialNotesBytes = 64u << 20;

// Texts of the notes.
constexpr int kVicinityNoteHeading = 4203;
constexpr int kReferenceNoteHeading = 4204;
constexpr int kStationNoteHeading = 4205;
constexpr int kNoneDefined = 4206;
constexpr int kGeneralNotesFor = 4207;
constexpr int kGeneralVicinity = 4208;
constexpr int kReferenceStation = 4209;
constexpr int kReferenceStationId = 4210;
constexpr int kReferenceNotAvailable = 4211;
constexpr int kReferenceIdNotAvailable = 4212;
constexpr int kSubordinateId = 4213;
constexpr int kTimeMeridian = 4214;
constexpr int kTimeMeridianZero = 4215;
constexpr int kMeterDepth = 4216;
constexpr int kTrueNorth = 4217;
constexpr int kSourceOfData = 4218;

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string NoteFileName(const UserNoteKey& key) { return UserNoteFileName(key.kind, key.kindCode, key.stationId); }

// Every character that is not printable becomes a blank; UTF-8 sequences are kept.
std::string Printable(std::string text) {
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) c = ' ';
  }
  return text;
}


ProfileFile LoadIdentities() {
  ProfileFile file(UserNoteIdentityPath());
  file.Load();
  return file;
}

// The notes file of a region and kind, read once per text.
class NotesFile {
 public:
  NotesFile(int regionNumber, StationKind kind)
      : path_(DataFilePath(OfficialNotesFileName(regionNumber, kind == StationKind::Current))) {}

  // False when the note is not in the file (or the file cannot be read, which is reported
  // once).
  bool Find(int number, std::string& text) {
    if (!loaded_) {
      loaded_ = true;
      std::vector<uint8_t> bytes;
      if (ReadWholeFile(path_, kMaxOfficialNotesBytes, bytes) != ReadResult::Read) {
        ReportEngineError(kMessageNotesFileMissing, FormatString(kMessageNotesFileMissing, path_.c_str()));
      } else {
        text_.assign(bytes.begin(), bytes.end());
        text_ = TextAsUtf8(text_);
      }
    }
    return !text_.empty() && FindOfficialNote(text_, number, text);
  }

 private:
  std::string path_;
  bool loaded_ = false;
  std::string text_;
};

void AppendNote(std::string& out, NotesFile& file, int heading, int number) {
  if (number == 0) return;
  const std::string twoEnds = std::string(kNotesLineEnd) + kNotesLineEnd;
  out += FormatString(heading, number, kNotesLineEnd, kNotesLineEnd);
  std::string text;
  if (file.Find(number, text)) out += Printable(text) + twoEnds;
}

OfficialNoteNumbers NumbersOf(const TideLocation& station) {
  return {station.unused88[0], 0, station.unused88[1]};
}

OfficialNoteNumbers NumbersOf(const CurrentLocation& station) {
  return {station.unused114[0], station.unused114[1], station.unused114[2]};
}

template <typename Record>
void FillCommon(const Record& station, const RegionIndex& region, NotesSubject& out) {
  out.name = station.name;
  out.stationId = station.stationId;
  out.referenceId = station.referenceId;
  out.kindCode = station.kindCode;
  out.regionNumber = region.number;
  out.notes = NumbersOf(station);
  out.timeMeridian = station.timeMeridian;
  if (station.vicinityIndex != 0 && station.vicinityIndex < region.stations.size()) {
    out.vicinityName = region.stations[station.vicinityIndex].name;
  }
  out.custom = region.number == kCustomRegionNumber || station.kindCode == kCustomMarker;
}

// The reference station of a custom location: an installed harmonic station whose own
// number is the reference number.
void FindReferenceNotes(const StationIndex& index, NotesSubject& out) {
  const std::vector<RegionIndex>& regions = index.Regions(out.kind);
  for (const RegionIndex& region : regions) {
    if (region.number == kCustomRegionNumber) continue;
    for (size_t i = 0; i < region.stations.size(); ++i) {
      const StationSummary& summary = region.stations[i];
      if (!summary.reference || summary.stationId != out.referenceId) continue;
      out.referenceRegionNumber = region.number;
      out.referenceNotes = out.kind == StationKind::Tide ? NumbersOf(region.tides[i]) : NumbersOf(region.currents[i]);
      return;
    }
  }
}

}  // namespace

std::string UserNotePath(const UserNoteKey& key) {
  const std::string name = NoteFileName(key);
  const fs::path plain = DataFilePath(name);
  std::error_code ec;
  if (fs::exists(plain, ec)) return plain.string();
  // A file written by another program may differ in letter case.
  const std::string wanted = Upper(name);
  fs::directory_iterator it(DataDirectory(), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (Upper(it->path().filename().string()) == wanted) return it->path().string();
  }
  return plain.string();
}

namespace {

// Moves a note file that cannot be read as a note aside before it is replaced or deleted;
// false with `error` set when it could not be kept (it must then stay).
bool KeepDamagedNote(const UserNoteKey& key, std::string* error) {
  if (!ReadUserNote(key).damaged) return true;
  std::string why;
  if (!MoveAside(UserNotePath(key), &why).empty()) return true;
  if (error) *error = "the damaged note file '" + UserNotePath(key) + "' could not be kept aside: " + why;
  return false;
}

}  // namespace

std::string UserNoteIdentityPath() { return DataFilePath("usernote.ini"); }

UserNote ReadUserNote(const UserNoteKey& key) {
  UserNote note;
  const std::string path = UserNotePath(key);
  std::vector<uint8_t> bytes;
  std::string why;
  const ReadResult result = ReadWholeFile(path, kMaxUserNoteBytes, bytes, &why);
  if (result == ReadResult::Missing) return note;
  std::optional<std::string> text;
  if (result == ReadResult::Read) {
    text = UserNoteText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &why);
  }
  if (!text) {
    // Reported and left as it is: reading never moves a file (a report or the command
    // line reads notes too). WriteUserNote keeps it aside before replacing it.
    note.damaged = true;
    note.problem = FormatString(kMessageNoteDamaged, path.c_str(), why.c_str());
    return note;
  }
  note.text = std::move(*text);
  note.savedFor = LoadIdentities().ReadString(kIdentitySection, NoteFileName(key), "", 256);
  return note;
}

bool HasUserNote(const UserNoteKey& key) {
  std::error_code ec;
  return fs::exists(UserNotePath(key), ec);
}

bool IsBlankNote(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

bool WriteUserNote(const UserNoteKey& key, const std::string& stationName, const std::string& text,
                   std::string* error) {
  if (IsBlankNote(text)) return DeleteUserNote(key, error);
  if (text.size() > kMaxUserNoteBytes) {
    if (error) *error = FormatString(kMessageNoteTooLong, static_cast<int>(kMaxUserNoteBytes));
    return false;
  }
  if (!KeepDamagedNote(key, error)) return false;
  if (!WriteFileAtomically(UserNotePath(key), std::vector<uint8_t>(text.begin(), text.end()), error)) return false;
  // The note is safe; the name beside it only serves the check of a later edition.
  ProfileFile identities = LoadIdentities();
  identities.WriteString(kIdentitySection, NoteFileName(key), stationName);
  std::string why;
  if (!identities.Save(&why)) DebugTrace("user note names not saved: %s\n", why.c_str());
  return true;
}

bool DeleteUserNote(const UserNoteKey& key, std::string* error) {
  if (!KeepDamagedNote(key, error)) return false;
  std::error_code ec;
  fs::remove(UserNotePath(key), ec);
  if (ec) {
    if (error) *error = ec.message();
    return false;
  }
  ProfileFile identities = LoadIdentities();
  if (identities.HasKey(kIdentitySection, NoteFileName(key))) {
    identities.RemoveKey(kIdentitySection, NoteFileName(key));
    identities.Save();
  }
  return true;
}

bool DescribeNotesSubject(const StationIndex& index, const StationRef& station, NotesSubject& out) {
  out = NotesSubject{};
  out.kind = station.kind;
  const RegionIndex* region = index.Region(station.kind, station.regionSlot);
  if (!region) return false;
  if (station.kind == StationKind::Tide) {
    if (station.stationIndex >= region->tides.size()) return false;
    const TideLocation& record = region->tides[station.stationIndex];
    FillCommon(record, *region, out);
    out.referenceName = ReferenceStationName(record);
  } else {
    if (station.stationIndex >= region->currents.size()) return false;
    const CurrentLocation& record = region->currents[station.stationIndex];
    FillCommon(record, *region, out);
    out.meterDepth = record.meterDepth;
    out.referenceName = CurrentReferenceName(record.referenceId);
  }
  if (out.custom) {
    out.notes = OfficialNoteNumbers{};
    FindReferenceNotes(index, out);
  }
  return true;
}

std::string OfficialNotesText(const NotesSubject& subject) {
  std::string out;
  if (subject.custom) {
    if (subject.referenceRegionNumber != 0) {
      NotesFile file(subject.referenceRegionNumber, subject.kind);
      AppendNote(out, file, kVicinityNoteHeading, subject.referenceNotes.vicinity);
      AppendNote(out, file, kReferenceNoteHeading, subject.referenceNotes.station);
    }
  } else if (subject.notes.any()) {
    NotesFile file(subject.regionNumber, subject.kind);
    AppendNote(out, file, kVicinityNoteHeading, subject.notes.vicinity);
    AppendNote(out, file, kReferenceNoteHeading, subject.notes.reference);
    AppendNote(out, file, kStationNoteHeading, subject.notes.station);
  }
  return out.empty() ? StringText(kNoneDefined) : out;
}

namespace {

// Who published the data the station is computed from, under which licence and with
// which attribution, as the installed side catalogue records them for its reference.
void AppendSourceOfData(std::string& out, const NotesSubject& subject) {
  const char* end = kNotesLineEnd;
  const char kind = subject.kind == StationKind::Tide ? 'T' : 'C';
  const StationSource* source = ReferenceSource(kind, subject.referenceId);
  if (!source) {
    out += std::string("not recorded") + end;
    return;
  }
  out += (source->sourceName.empty() ? SourceLabel(*source) : source->sourceName) + end;
  if (!source->agency.empty()) out += "Collected by: " + source->agency + end;
  if (!source->sourceId.empty()) out += "Station at the source: " + source->sourceId + end;
  out += "Licence: " + LicenceName(source->licence);
  if (!source->licenceUrl.empty()) out += " (" + source->licenceUrl + ")";
  out += end;
  if (IsNonCommercial(*source)) out += std::string(kNonCommercialText) + "." + end;
  if (!source->attribution.empty()) out += "Attribution: " + source->attribution + end;
}

}  // namespace

std::string GeneralNotesText(const NotesSubject& subject) {
  const char* end = kNotesLineEnd;
  std::string out = FormatString(kGeneralNotesFor, subject.name.c_str(), end, end);
  if (!subject.vicinityName.empty()) out += FormatString(kGeneralVicinity, subject.vicinityName.c_str(), end);
  if (subject.referenceId != 0 && !subject.referenceName.empty()) {
    out += FormatString(kReferenceStation, subject.referenceName.c_str(), end);
    out += FormatString(kReferenceStationId, static_cast<unsigned>(subject.referenceId), end);
  } else {
    out += FormatString(kReferenceNotAvailable, end);
    out += FormatString(kReferenceIdNotAvailable, end);
  }
  out += FormatString(kSubordinateId, static_cast<unsigned>(subject.stationId), end);
  if (subject.timeMeridian == 0) {
    out += FormatString(kTimeMeridianZero, end);
  } else {
    const double degrees = std::fabs(TimeMeridianDegrees(subject.timeMeridian));
    const int hundredths = static_cast<int>(std::lround(degrees * 100));
    out += FormatString(kTimeMeridian, hundredths / 100, hundredths % 100, subject.timeMeridian > 0 ? 'E' : 'W', end);
  }
  if (subject.kind == StationKind::Current && subject.meterDepth != 0) {
    out += FormatString(kMeterDepth, static_cast<int>(subject.meterDepth), end);
  }
  out += end;
  out += StringText(kTrueNorth);
  out += end;
  out += StringText(kSourceOfData);
  AppendSourceOfData(out, subject);
  return out;
}

bool NotesTextsOf(const StationIndex& index, const StationRef& station, StationNotesTexts& out) {
  NotesSubject subject;
  if (!DescribeNotesSubject(index, station, subject)) return false;
  out.official = OfficialNotesText(subject);
  out.general = GeneralNotesText(subject);
  out.user.clear();
  if (subject.stationId != 0) {
    const UserNote note = ReadUserNote(subject.userNoteKey());
    if (!note.problem.empty()) {
      out.user = note.problem;
    } else if (!IsBlankNote(note.text)) {
      out.user = note.text;
    }
  }
  if (out.user.find_first_not_of(" \t\r\n") == std::string::npos) out.user = StringText(kNoneDefined);
  return true;
}

}  // namespace qw
