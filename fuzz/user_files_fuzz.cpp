// The user's own files of any content: the settings file (and the groups file, which has
// its format), and the custom-location file of either kind. Each is read without a crash,
// and what the reader keeps can be written again.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "groups/group_store.h"
#include "settings/profile_file.h"
#include "stations/custom_location_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = qw::fuzz::DataDirectory();
  if (size < 1) return 0;
  const uint8_t choice = data[0] % 3;
  ++data;
  --size;
  if (choice == 0) {
    qw::fuzz::PutFile("velda.ini", data, size);
    qw::ProfileFile file(dir + "/velda.ini");
    file.Load();
    for (const std::string& key : file.Keys("Misc")) file.ReadString("Misc", key, "", 256);
    file.ReadInt("Misc", "FirstRun", 1);
    file.Text();
  } else if (choice == 1) {
    qw::fuzz::PutFile("veldagrp.ini", data, size);
    qw::GroupStore groups(dir + "/veldagrp.ini");
    std::string problem;
    groups.Load(&problem);
    for (const std::string& name : groups.Names()) {
      groups.LocationCount(name);
      groups.Locations(name);
    }
  } else {
    const qw::StationKind kind = size % 2 ? qw::StationKind::Tide : qw::StationKind::Current;
    const std::string path = qw::CustomFilePath(kind);
    qw::fuzz::PutFile(path.substr(path.find_last_of('/') + 1), data, size);
    qw::CustomFileContents contents;
    qw::ReadCustomFile(kind, -1, contents);
    for (const qw::CustomRecord& record : contents.entries) {
      qw::EntryName(record);
      if (kind == qw::StationKind::Tide) {
        qw::DecodeTideEntry(record);
      } else {
        qw::DecodeCurrentEntry(record);
      }
    }
  }
  qw::fuzz::RemoveKeptCopies();
  return 0;
}
