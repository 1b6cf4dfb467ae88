// quaywise-data: builds the program's data directory from the station extract and XTide's
// constituent table.
//
// Usage: quaywise-data EXTRACT EXTRA_CONSTITUENTS TCD_FILE DATA_DIR REPORT_DIR
// EXTRA_CONSTITUENTS holds the constituents XTide's table lacks (extra_constituents.mjs).
// REPORT_DIR receives data_report.txt, which lists what was left out of the data and why,
// and station_constituents.txt, the source constituents each reference station kept.
#include <chrono>
#include <cstdio>
#include <fstream>

#include "tools/data/constituent_table.h"
#include "tools/data/data_set.h"
#include "tools/data/data_writer.h"
#include "tools/data/station_extract.h"

int main(int argc, char** argv) {
  using namespace qw::data;
  if (argc != 6) {
    std::fprintf(stderr, "usage: quaywise-data EXTRACT EXTRA_CONSTITUENTS TCD_FILE DATA_DIR REPORT_DIR\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  std::string error;
  std::vector<SourceStation> sources;
  std::vector<PredictorConstituent> extras;
  ConstituentTable table;
  DataSet data;
  if (!ReadStationExtract(argv[1], sources, error) || !ReadPredictorConstituents(argv[2], extras, error) ||
      !ReadConstituentTable(argv[3], table, error) || !AddExtraConstituents(extras, table, error) ||
      !BuildDataSet(sources, table, data, error) || !WriteDataSet(data, table, argv[4], error)) {
    std::fprintf(stderr, "quaywise-data: %s\n", error.c_str());
    return 1;
  }
  const std::string reportDir = argv[5];
  std::ofstream kept(reportDir + "/station_constituents.txt", std::ios::binary | std::ios::trunc);
  for (const auto& [id, names] : data.keptConstituents) {
    kept << id;
    for (const std::string& name : names) kept << '\t' << name;
    kept << '\n';
  }
  std::ofstream report(reportDir + "/data_report.txt", std::ios::binary | std::ios::trunc);
  size_t tides = 0, currents = 0;
  std::printf("quaywise-data: stations per region (tide/current):\n");
  for (const auto& [number, region] : data.regions) {
    tides += region.tides.size();
    currents += region.currents.size();
    report << "region " << number << " " << region.name << ": " << region.tides.size() << " tide, "
           << region.currents.size() << " current stations\n";
    std::printf("  %2d %-40s %4zu/%zu\n", number, region.name.c_str(), region.tides.size(), region.currents.size());
  }
  for (const auto& [family, records] : data.tideFamilies) report << "family " << family << ": " << records.size() << " records\n";
  report << "current harmonic files: " << data.currentFiles.size() << "\n";
  report << "constituent slots used: " << data.slots.slotToTable.size() << "\n";
  for (const std::string& line : data.report) report << line << "\n";
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("quaywise-data: %zu tide and %zu current stations in %zu regions written to %s in %.1f s\n", tides,
              currents, data.regions.size(), argv[4], seconds);
  return report && kept ? 0 : 1;
}
