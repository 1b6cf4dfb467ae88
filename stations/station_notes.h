// The three kinds of notes a station carries, as texts: the official notes published
// with the data (looked up by the note numbers of the station record in the notes file of
// its region), the user's own notes (one text file per station in the data directory),
// and the general notes composed from the station record.
//
// User note files are named by kind letter, the record's first byte in two digits and the
// stationId in five digits ("T0101234.not"; custom locations "T9900012.not"). A stationId
// is the data's own number and a new edition of the installed data may give it to
// another station, so "usernote.ini" beside the notes remembers the name of the station
// each note was written for; the notes dialog says so when the station with that ID now
// has another name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/region_files.h"
#include "settings/station_directory.h"

namespace qw {

class StationIndex;

// Messages.
constexpr int kMessageNotesFileMissing = 2412;  // "Error opening tide notes file: '%s'"
constexpr int kMessageNoteNotSaved = 4230;
constexpr int kMessageNoteDamaged = 4231;
constexpr int kMessageNoteOtherStation = 4232;
constexpr int kMessageNoteTooLong = 4233;

// A user note is at most this long; a longer file is not one the program wrote.
constexpr size_t kMaxUserNoteBytes = 256 * 1024;

struct UserNoteKey {
  StationKind kind = StationKind::Tide;
  uint8_t kindCode = 0;    // the record's first byte
  uint16_t stationId = 0;
};

// The note file's path; an existing file whose name differs only in letter case (one
// written as "T0101234.NOT") is the one used.
std::string UserNotePath(const UserNoteKey& key);
// "usernote.ini" in the data directory.
std::string UserNoteIdentityPath();

struct UserNote {
  std::string text;      // UTF-8 with "\n" line ends; empty when there is no file
  std::string savedFor;  // the station name remembered with the note; empty when unknown
  std::string problem;   // set when the file could not be used: the user must be told
  bool damaged = false;  // a file is there but is not a note (left as it is)
};

// Reads the note. A file of Windows-1252 text is converted; a file that is not text
// (NUL bytes), too large or unreadable is left as it is and an empty note returned,
// `damaged` and `problem` set.
UserNote ReadUserNote(const UserNoteKey& key);
bool HasUserNote(const UserNoteKey& key);
// True for a text of spaces and tabs only (such a note is deleted, not written).
bool IsBlankNote(const std::string& text);
// Writes the note atomically with the station's name remembered beside it, or deletes
// the file when the text is blank. A damaged note file is first kept aside (once, see
// MoveAside); when it cannot be, nothing is written. False with `error` set when the file could not be
// written or deleted (the old note is then untouched).
bool WriteUserNote(const UserNoteKey& key, const std::string& stationName, const std::string& text,
                   std::string* error = nullptr);
bool DeleteUserNote(const UserNoteKey& key, std::string* error = nullptr);

// The official note numbers of a station record (0: none).
struct OfficialNoteNumbers {
  int vicinity = 0;
  int reference = 0;
  int station = 0;
  bool any() const { return vicinity != 0 || reference != 0 || station != 0; }
};

// Everything the notes texts are made of, gathered from the catalogue once.
struct NotesSubject {
  StationKind kind = StationKind::Tide;
  std::string name;
  uint16_t stationId = 0;
  uint16_t referenceId = 0;
  uint8_t kindCode = 0;
  int regionNumber = 0;
  OfficialNoteNumbers notes;
  int16_t timeMeridian = 0;
  int16_t meterDepth = 0;       // currents; 0 = none
  std::string vicinityName;     // the general-vicinity entry, or empty
  std::string referenceName;    // the reference station's name, or empty
  // A custom location has no notes of its own in the official files; it shows those of
  // its reference station, found in the catalogue by number, from that station's region.
  bool custom = false;
  int referenceRegionNumber = 0;  // 0: the reference station is not in the catalogue
  OfficialNoteNumbers referenceNotes;

  UserNoteKey userNoteKey() const { return {kind, kindCode, stationId}; }
};

// Gathers the subject of a station of the catalogue; false when there is no such station.
bool DescribeNotesSubject(const StationIndex& index, const StationRef& station, NotesSubject& out);

// "Vicinity Note <12>" and its text, etc.; "None defined." when no note number is set.
// A missing notes file is reported (2412) and its notes are left out.
std::string OfficialNotesText(const NotesSubject& subject);
// "General Notes for: ..." through "Source of Data: ...".
std::string GeneralNotesText(const NotesSubject& subject);

// The three texts a notes report prints for a station: its official notes, the user's
// own notes ("None defined." when there are none; the reason when the note file could
// not be used) and the general facts. False when the station is not in the index.
struct StationNotesTexts {
  std::string official;
  std::string user;
  std::string general;
};
bool NotesTextsOf(const StationIndex& index, const StationRef& station, StationNotesTexts& out);

// The line end of the composed texts.
constexpr const char* kNotesLineEnd = "\n";

}  // namespace qw
