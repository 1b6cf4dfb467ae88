// User note files of any content: the note text read from the bytes (NUL refused,
// Windows-1252 converted, line ends made "\n"), which must come out as UTF-8 with no
// "\r", and the station names kept beside the notes ("usernote.ini") read as the notes
// dialog reads them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "settings/profile_file.h"
#include "stations/user_files.h"
#include "stations/user_note_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool identities = data[0] & 1;
  ++data;
  --size;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!identities) {
    std::string why;
    const std::optional<std::string> text = qw::UserNoteText(bytes, &why);
    if (!text) {
      if (bytes.find('\0') == std::string_view::npos || why.empty()) std::abort();
      return 0;
    }
    // What the notes dialog and the report show: well-formed UTF-8, one kind of line end.
    if (!qw::IsUtf8(*text) || text->find('\r') != std::string::npos) std::abort();
    // A note saved and read again is the same note.
    if (qw::UserNoteText(*text) != text) std::abort();
  } else {
    qw::fuzz::PutFile("usernote.ini", data, size);
    qw::ProfileFile file(qw::fuzz::DataDirectory() + "/usernote.ini");
    file.Load();
    for (const std::string& key : file.Keys("Notes")) file.ReadString("Notes", key, "", 256);
    file.Text();
  }
  return 0;
}
