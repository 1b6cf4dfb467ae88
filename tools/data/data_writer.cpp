#include "tools/data/data_writer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include "engine/atomic_file.h"
#include "engine/data_writers.h"
#include "engine/official_notes_file.h"
#include "engine/region_files.h"
#include "engine/station_datums.h"
#include "engine/station_sources.h"

namespace qw::data {

namespace fs = std::filesystem;

namespace {

bool WriteText(const fs::path& path, const std::string& text, std::string& error) {
  return WriteFileAtomically(path.string(), std::vector<uint8_t>(text.begin(), text.end()), &error);
}

void RemoveEarlierFiles(const fs::path& directory) {
  static const std::regex made(
      R"((tide|curr)[0-9]+\.dat|[0-9]{5}\.dat|(NOS|CHS)[WE]TIDE\.(IDX|DAT)|BA[0-9]+\.(IDX|DAT)|[we][tc]notes\.dat|)"
      R"(constspd\.(dat|ba)|yeardata\.(dat|can|ba)|costable\.dat|catalogue\.csv|constituents\.csv|datums\.csv|SOURCES\.txt)");
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(directory, ec)) {
    if (entry.is_regular_file() && std::regex_match(entry.path().filename().string(), made)) {
      fs::remove(entry.path(), ec);
    }
  }
}

bool WriteConstituentFiles(const SlotOrder& slots, const ConstituentTable& table, const fs::path& dir,
                           std::string& error) {
  std::vector<double> speeds;
  for (int index : slots.slotToTable) speeds.push_back(table.constituents[index].speedDegreesPerHour * M_PI / 180.0);
  std::vector<YearArguments> years;
  for (int year = kFirstDataYear; year <= kLastDataYear; ++year) {
    YearArguments args;
    for (int index : slots.slotToTable) {
      args.nodeFactorThousandths.push_back(static_cast<int16_t>(std::lround(table.NodeFactor(index, year) * 1000.0)));
      long tenths = std::lround(std::fmod(table.Equilibrium(index, year), 360.0) * 10.0);
      if (tenths < 0) tenths += 3600;
      if (tenths >= 3600) tenths -= 3600;
      args.equilibriumTenthsDegree.push_back(static_cast<int16_t>(tenths));
    }
    years.push_back(std::move(args));
  }
  std::vector<double> narrowSpeeds(speeds.begin(), speeds.begin() + std::min<size_t>(speeds.size(), kNarrowSlotCount));
  std::vector<YearArguments> narrowYears = years;
  for (YearArguments& y : narrowYears) {
    y.nodeFactorThousandths.resize(std::min<size_t>(y.nodeFactorThousandths.size(), kNarrowSlotCount));
    y.equilibriumTenthsDegree.resize(std::min<size_t>(y.equilibriumTenthsDegree.size(), kNarrowSlotCount));
  }
  return WriteCosineTable((dir / "costable.dat").string(), &error) &&
         WriteConstituentSpeedFile((dir / "constspd.dat").string(), kNarrowSlotCount, narrowSpeeds, &error) &&
         WriteConstituentSpeedFile((dir / "constspd.ba").string(), kWideSlotCount, speeds, &error) &&
         WriteYearFile((dir / "yeardata.dat").string(), kNarrowSlotCount, kFirstDataYear, narrowYears, &error) &&
         WriteYearFile((dir / "yeardata.can").string(), kNarrowSlotCount, kFirstDataYear, narrowYears, &error) &&
         WriteYearFile((dir / "yeardata.ba").string(), kWideSlotCount, kFirstDataYear, years, &error);
}

std::vector<StationDatumEntry> ToDatumEntries(const std::vector<DatumRow>& rows) {
  std::vector<StationDatumEntry> entries;
  for (const DatumRow& r : rows) entries.push_back({r.region, r.index, r.stationId, r.chartDatum, r.datum, r.microFeet});
  return entries;
}

HarmonicRecordData ToRecordData(const TideHarmonicRecord& record) {
  HarmonicRecordData data;
  data.number = record.number;
  data.name = record.name;
  data.meanLevelMicroFeet = record.meanLevelMicroFeet;
  for (const TideConstituentEntry& e : record.entries) {
    data.entries.push_back({e.slot, e.amplitudeMilliFeet, e.phaseTenthsDegree});
  }
  return data;
}

const char* const kSources =
    "Quaywise data sources\n"
    "\n"
    "Station catalogue, harmonic constants, datums and subordinate corrections:\n"
    "  @neaps/tide-database 0.10.20260924 (code MIT). Station data by source:\n"
    "  - US National Oceanic and Atmospheric Administration (NOAA): public domain.\n"
    "  - TICON-4 (Hart-Davis, Dettmering, Seitz 2025, https://doi.org/10.17882/109129):\n"
    "    CC BY 4.0, or CC BY-NC 4.0 (no commercial use) where catalogue.csv says so.\n"
    "  - Kartverket / Norwegian Mapping Authority, Hydrographic Service: CC BY 4.0.\n"
    "  Every station's licence and attribution are in catalogue.csv and in its official note.\n"
    "  Station places and contexts are the database's, from GeoNames (CC BY 4.0), OpenStreetMap\n"
    "  (ODbL 1.0, OpenStreetMap contributors) and Marine Regions (CC BY 4.0).\n"
    "\n"
    "Constituent speeds, equilibrium arguments and node factors:\n"
    "  XTide harmonics-dwf-20191229-free (Debian package xtide-data), read with libtcd;\n"
    "  ten constituents XTide lacks from @neaps/tide-predictor 0.11.0 (MIT), among them\n"
    "  Kartverket's SA_KV as the IHO standard list defines it (argument h - p1).\n"
    "\n"
    "Computed by Quaywise, not given by the sources: the current stations' average maximum\n"
    "flood and ebb speeds and minimum speeds before flood and ebb (from each station's\n"
    "predictions over 1983-2001), and subordinate stations' datums scaled by their ratio.\n"
    "\n"
    "Earth series (EARTH.IDX, EARTH.DAT): VSOP87D from the npm package astronomia 4.2.0 (MIT).\n"
    "\n"
    "NOT FOR NAVIGATION without checking against official predictions.\n";

}  // namespace

bool WriteDataSet(const DataSet& data, const ConstituentTable& table, const std::string& directory,
                  std::string& error) {
  const fs::path dir(directory);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    error = "cannot create " + directory + ": " + ec.message();
    return false;
  }
  RemoveEarlierFiles(dir);
  if (!WriteConstituentFiles(data.slots, table, dir, error)) return false;
  for (const auto& [family, records] : data.tideFamilies) {
    std::vector<HarmonicRecordData> converted;
    for (const TideHarmonicRecord& r : records) converted.push_back(ToRecordData(r));
    if (!WriteHarmonicFamily((dir / (family + ".IDX")).string(), (dir / (family + ".DAT")).string(), converted, &error)) {
      return false;
    }
  }
  for (const auto& [number, region] : data.regions) {
    if (!region.tides.empty() &&
        !WriteTideRegionFile((dir / RegionFileName(StationKind::Tide, number)).string(), number, region.name, region.tides, &error)) {
      return false;
    }
    if (!region.currents.empty() &&
        !WriteCurrentRegionFile((dir / RegionFileName(StationKind::Current, number)).string(), number, region.name,
                                region.currents, &error)) {
      return false;
    }
  }
  for (const CurrentHarmonicFile& file : data.currentFiles) {
    const std::vector<uint8_t> bytes = EncodeCurrentHarmonicFile(file);
    if (bytes.empty()) {
      error = "current station " + file.name + " does not fit its harmonic file";
      return false;
    }
    if (!WriteFileAtomically((dir / CurrentHarmonicFileName(file.number)).string(), bytes, &error)) return false;
  }
  for (const auto& [name, notes] : data.notes) {
    if (!WriteText(dir / name, EncodeOfficialNotes(notes), error)) return false;
  }
  // The constituent of every slot, for people and tools reading the harmonic files.
  std::string slots = "slot,name,speed_degrees_per_hour\n";
  char line[96];
  for (size_t slot = 0; slot < data.slots.slotToTable.size(); ++slot) {
    const TableConstituent& c = table.constituents[data.slots.slotToTable[slot]];
    std::snprintf(line, sizeof line, "%zu,%s,%.7f\n", slot, c.name.c_str(), c.speedDegreesPerHour);
    slots += line;
  }
  if (!WriteText(dir / "constituents.csv", slots, error)) return false;
  return WriteText(dir / StationSources::kFileName, EncodeStationSources(data.catalogue), error) &&
         WriteText(dir / StationDatums::kFileName, EncodeStationDatums(ToDatumEntries(data.datums)), error) &&
         WriteText(dir / "SOURCES.txt", kSources, error);
}

}  // namespace qw::data
