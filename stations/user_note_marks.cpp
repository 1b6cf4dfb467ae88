#include "stations/user_note_marks.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/data_dir.h"

namespace qw {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::string UserNoteFileName(StationKind kind, uint8_t kindCode, uint16_t stationId) {
  char name[32];
  std::snprintf(name, sizeof name, "%c%02u%05u.not", kind == StationKind::Tide ? 'T' : 'C',
                static_cast<unsigned>(kindCode), static_cast<unsigned>(stationId));
  return name;
}

void UserNoteMarks::Scan() {
  names_.clear();
  std::error_code error;
  std::filesystem::directory_iterator it(DataDirectory(), error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() > 4 && Upper(name.substr(name.size() - 4)) == ".NOT") names_.insert(Upper(name));
  }
}

bool UserNoteMarks::Has(StationKind kind, uint8_t kindCode, uint16_t stationId) const {
  return names_.count(Upper(UserNoteFileName(kind, kindCode, stationId))) != 0;
}

}  // namespace qw
