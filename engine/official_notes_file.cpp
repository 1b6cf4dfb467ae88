#include "engine/official_notes_file.h"

#include <cstdio>

namespace qw {

std::string OfficialNotesFileName(int regionNumber, bool currents) {
  std::string name;
  name += regionNumber > 10 ? 'e' : 'w';
  name += currents ? 'c' : 't';
  return name + "notes.dat";
}

std::string OfficialNoteNumberText(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", number);
  return text;
}

namespace {

// One line's text: control characters become blanks, and the text is cut to `room` bytes
// without splitting a UTF-8 sequence.
std::string LineText(const std::string& text, size_t room) {
  std::string line;
  line.reserve(text.size());
  for (unsigned char c : text) line += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
  if (line.size() <= room) return line;
  const std::string ellipsis = "...";
  size_t cut = room - ellipsis.size();
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
  return line.substr(0, cut) + ellipsis;
}

}  // namespace

std::string EncodeOfficialNotes(const std::map<int, std::string>& notes) {
  std::string file;
  for (const auto& [number, text] : notes) {
    const std::string prefix = OfficialNoteNumberText(number) + '\t';
    file += prefix + LineText(text, kOfficialNoteMaxLine - prefix.size()) + '\n';
  }
  return file;
}

bool FindOfficialNote(const std::string& fileText, int number, std::string& text) {
  const std::string prefix = OfficialNoteNumberText(number) + '\t';
  size_t start = 0;
  while (start < fileText.size()) {
    size_t end = fileText.find('\n', start);
    if (end == std::string::npos) end = fileText.size();
    if (fileText.compare(start, prefix.size(), prefix) == 0) {
      size_t textEnd = end;
      if (textEnd > start && fileText[textEnd - 1] == '\r') --textEnd;
      text = fileText.substr(start + prefix.size(), textEnd - start - prefix.size());
      return true;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace qw
