// Shared set-up of the harmonic-file fuzz targets: a private data directory holding the
// fixture station's good files, a silent reporter, and a way to drop the fuzz input into
// one of the files before the engine reads it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/current_harmonic_file.h"
#include "engine/data_dir.h"
#include "engine/data_writers.h"
#include "engine/engine_state.h"
#include "engine/report.h"
#include "tests/support/harmonic_fixture.h"

namespace qw::fuzz {

// The data directory, made once per process with good files of every kind.
inline const std::string& DataDirectory() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/quaywise-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    test::WriteFixtureTables(made, 2004, 2006);
    const std::string base(made);
    if (!WriteHarmonicFamily(base + "/NOSWTIDE.IDX", base + "/NOSWTIDE.DAT", {test::FixtureStation(123)}) ||
        !WriteHarmonicFamily(base + "/BA1.IDX", base + "/BA1.DAT", {test::FixtureStation(31000)})) {
      std::abort();
    }
    SetEngineReporter([](const EngineReport&) {});
    SetDataDirectory(base);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(qw::DataDirectory(), ignored);
    });
    return base;
  }();
  return dir;
}

// Replaces `name` in the data directory with the bytes given (not atomically: speed).
inline void PutFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = DataDirectory() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

// Removes the copies of damaged files the readers kept aside ("<name>.damaged", ...), so
// that every input meets the directory as it was: the copies of earlier inputs would pile
// up by the thousand and each reading would look through them all.
inline void RemoveKeptCopies() {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(DataDirectory(), ec)) {
    if (entry.path().filename().string().find(".damaged") != std::string::npos) std::filesystem::remove(entry.path(), ec);
  }
}

// The current target's harmonic file number, and the reversing current its rotary tables
// stand on.
constexpr uint16_t kCurrentFileNumber = 701;
inline CurrentHarmonicFile GoodCurrentFile() {
  CurrentHarmonicFile file;
  file.number = kCurrentFileNumber;
  file.ebbDirectionDegrees = 225;
  file.records = {{0, 2000, 1200, 450}, {1, 450, 1500, 450}, {3, 350, 2100, 450}};
  return file;
}

}  // namespace qw::fuzz
