// The official notes files: published notes about areas, reference stations and stations.
//
// Four text files in the data directory, named by a family letter, a kind letter and
// "notes.dat": "w" for regions 1..10 and "e" for regions above 10; "t" for tide stations
// and "c" for current stations (wtnotes.dat, etnotes.dat, wcnotes.dat, ecnotes.dat). Each
// note is one line: its number written with at least two digits, a tab, and the text. The
// station records carry the numbers of their notes; 0 means no note.
#pragma once

#include <map>
#include <string>

namespace qw {

// Longest line of a notes file, number and tab included, line end excluded. Readers keep
// lines in 1024-byte buffers.
constexpr size_t kOfficialNoteMaxLine = 1022;

// "wtnotes.dat" and its siblings; `currents` picks the current stations' file.
std::string OfficialNotesFileName(int regionNumber, bool currents);

// A note number as it begins its line: at least two digits ("05", "12", "120").
std::string OfficialNoteNumberText(int number);

// The whole text of a notes file with the given notes in ascending order, one line each,
// ended by "\n". Tabs, line ends and other control characters in a text become blanks, and
// a text too long for its line is cut at a character boundary and ended with "...".
std::string EncodeOfficialNotes(const std::map<int, std::string>& notes);

// The text of note `number` in a notes file's text: the first line that begins with the
// number's text followed by a tab (so note 12 never takes the line of note 120). False when
// there is none.
bool FindOfficialNote(const std::string& fileText, int number, std::string& text);

}  // namespace qw
