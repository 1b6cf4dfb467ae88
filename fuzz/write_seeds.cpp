// Writes the starting inputs of the harmonic-file fuzz targets into fuzz/corpus/<target>/:
// good files made by the engine's own writers from the test fixture, laid out as each
// target reads its input. Without them the fuzzer starts from nothing and seldom gets past
// a reader's size and checksum checks (the cosine table must be 8,196 bytes, larger than
// libFuzzer's first inputs).
//   write_fuzz_seeds CORPUS-DIR
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/current_location.h"
#include "engine/data_writers.h"
#include "engine/file_text.h"
#include "engine/rotary_table_file.h"
#include "fuzz/fuzz_support.h"
#include "tests/support/harmonic_fixture.h"

namespace fs = std::filesystem;
using namespace qw;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadAll(const fs::path& path) {
  std::string text;
  if (!ReadFileText(path.string(), text)) {
    std::fprintf(stderr, "write_fuzz_seeds: cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return Bytes(text.begin(), text.end());
}

void Put(const fs::path& corpus, const std::string& target, const std::string& name, const Bytes& bytes) {
  fs::create_directories(corpus / target);
  std::ofstream(corpus / target / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A subordinate current station: time and speed corrections on both halves of the cycle.
Bytes SubordinateStation() {
  CurrentLocation station;
  station.stationId = 18;
  std::snprintf(station.name, sizeof station.name, "Fixture Narrows");
  station.floodTime = 35;
  station.ebbTime = -20;
  station.slackBeforeFloodTime = 10;
  station.slackBeforeEbbTime = -5;
  station.floodSpeedRatio = 120;
  station.ebbSpeedRatio = 80;
  station.floodDirection = 45;
  station.ebbDirection = 225;
  station.timeMeridian = -120;
  Bytes bytes(kCurrentLocationSize);
  EncodeCurrentLocation(station, bytes.data());
  return bytes;
}

Bytes RotaryTableBytes() {
  RotaryTable table;
  for (size_t k = 0; k < kRotaryPoints; ++k) {
    table.speedHundredthsKnot[k] = static_cast<int16_t>(50 + 10 * (k % 7));
    table.directionDegrees[k] = static_cast<int16_t>(15 * k % 360);
  }
  Bytes bytes(kRotaryTableSize);
  EncodeRotaryTable(table, bytes.data());
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_fuzz_seeds CORPUS-DIR\n");
    return 2;
  }
  const fs::path corpus = argv[1];
  // A private scratch folder (not a fixed name in the shared /tmp).
  std::string pattern = (fs::temp_directory_path() / "quaywise-seeds-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("write_fuzz_seeds: mkdtemp");
    return 1;
  }
  const fs::path scratch = pattern;
  // The targets' data directory holds the years 2004 to 2006.
  test::WriteFixtureTables(scratch.string(), 2004, 2006);

  Put(corpus, "cosine_table_fuzz", "good", ReadAll(scratch / "costable.dat"));
  Put(corpus, "speed_file_fuzz", "nos", ReadAll(scratch / "constspd.dat"));
  Put(corpus, "speed_file_fuzz", "uk", ReadAll(scratch / "constspd.ba"));
  // Two bytes choose the year: 1990 + 15 = 2005.
  const Bytes year2005 = {15, 0};
  Put(corpus, "year_file_fuzz", "nos", Join({year2005, ReadAll(scratch / "yeardata.dat")}));
  Put(corpus, "year_file_fuzz", "uk", Join({year2005, ReadAll(scratch / "yeardata.ba")}));

  // Record 200, as an override file (first byte odd) and as an index and data pair (first
  // byte even, then the index's length in eights less one).
  const HarmonicRecordData record = test::FixtureStation(200);
  if (!WriteOverrideFile((scratch / "override").string(), record) ||
      !WriteHarmonicFamily((scratch / "family.idx").string(), (scratch / "family.dat").string(), {record})) {
    std::fprintf(stderr, "write_fuzz_seeds: the fixture record was refused\n");
    return 1;
  }
  Put(corpus, "harmonic_record_fuzz", "override", Join({{1}, ReadAll(scratch / "override")}));
  const Bytes index = ReadAll(scratch / "family.idx");
  Put(corpus, "harmonic_record_fuzz", "family",
      Join({{0, static_cast<uint8_t>(index.size() / 8 - 1)}, index, ReadAll(scratch / "family.dat")}));

  // The current target: a harmonic file with its checksum made right (flags 2), alone and
  // after a subordinate station record; and a rotary table (flag 1).
  const Bytes current = EncodeCurrentHarmonicFile(fuzz::GoodCurrentFile());
  Put(corpus, "current_files_fuzz", "harmonic", Join({{2}, current}));
  Put(corpus, "current_files_fuzz", "subordinate", Join({{2}, SubordinateStation(), current}));
  Put(corpus, "current_files_fuzz", "rotary", Join({{1}, SubordinateStation(), RotaryTableBytes()}));

  fs::remove_all(scratch);
  return 0;
}
