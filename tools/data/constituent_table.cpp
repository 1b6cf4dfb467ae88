#include "tools/data/constituent_table.h"

#include <tcd.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

namespace qw::data {

int ConstituentTable::Find(const std::string& name) const {
  for (size_t i = 0; i < constituents.size(); ++i) {
    if (constituents[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

bool ReadConstituentTable(const std::string& tcdPath, ConstituentTable& table, std::string& error) {
  std::string path = tcdPath;  // libtcd takes a non-const name
  if (!open_tide_db(path.data())) {
    error = "cannot open the constituent table " + tcdPath;
    return false;
  }
  const DB_HEADER_PUBLIC header = get_tide_db_header();
  table = ConstituentTable{};
  table.firstYear = header.start_year;
  table.yearCount = static_cast<int>(header.number_of_years);
  for (NV_U_INT32 i = 0; i < header.constituents; ++i) {
    const NV_INT32 index = static_cast<NV_INT32>(i);
    TableConstituent c;
    c.name = get_constituent(index);
    c.speedDegreesPerHour = get_speed(index);
    const NV_FLOAT32* equilibrium = get_equilibriums(index);
    const NV_FLOAT32* nodeFactor = get_node_factors(index);
    if (!equilibrium || !nodeFactor) {
      close_tide_db();
      error = "the constituent table has no yearly arguments for " + c.name;
      return false;
    }
    c.equilibrium.assign(equilibrium, equilibrium + table.yearCount);
    c.nodeFactor.assign(nodeFactor, nodeFactor + table.yearCount);
    table.constituents.push_back(std::move(c));
  }
  close_tide_db();
  if (table.constituents.empty() || table.yearCount <= 0) {
    error = "the constituent table " + tcdPath + " is empty";
    return false;
  }
  return true;
}

namespace {

std::string Upper(const std::string& text);

}  // namespace

bool ReadPredictorConstituents(const std::string& path, std::vector<PredictorConstituent>& out,
                               std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  out.clear();
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "C") {
      PredictorConstituent c;
      std::string role;
      fields >> c.name >> c.values.speedDegreesPerHour >> role;
      c.extra = role == "extra";
      c.values.name = Upper(c.name);
      if (!fields || (role != "extra" && role != "check")) break;
      out.push_back(std::move(c));
      continue;
    }
    int year = 0;
    double v = 0, f = 0;
    if (kind != "Y" || out.empty() || !(fields >> year >> v >> f)) break;
    PredictorConstituent& c = out.back();
    if (c.values.equilibrium.empty()) c.firstYear = year;
    if (year != c.firstYear + static_cast<int>(c.values.equilibrium.size())) break;
    c.values.equilibrium.push_back(v);
    c.values.nodeFactor.push_back(f);
  }
  if (!in.eof()) {
    error = path + ":" + std::to_string(lineNumber) + ": malformed line";
    return false;
  }
  if (out.empty()) {
    error = path + " holds no constituent";
    return false;
  }
  return true;
}

bool AddExtraConstituents(const std::vector<PredictorConstituent>& extras, ConstituentTable& table,
                          std::string& error) {
  for (const PredictorConstituent& c : extras) {
    if (!c.extra) continue;
    const int offset = table.firstYear - c.firstYear;
    if (offset < 0 || offset + table.yearCount > static_cast<int>(c.values.equilibrium.size())) {
      error = "the computed constituent " + c.name + " does not cover the table's years";
      return false;
    }
    if (table.Find(c.values.name) >= 0) {
      error = "the computed constituent " + c.name + " is already in the table";
      return false;
    }
    TableConstituent added = c.values;
    added.equilibrium.assign(c.values.equilibrium.begin() + offset, c.values.equilibrium.begin() + offset + table.yearCount);
    added.nodeFactor.assign(c.values.nodeFactor.begin() + offset, c.values.nodeFactor.begin() + offset + table.yearCount);
    table.constituents.push_back(std::move(added));
  }
  return true;
}

namespace {

std::string Upper(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Spellings used by the sources for constituents the table names otherwise.
const std::map<std::string, std::string>& Aliases() {
  static const std::map<std::string, std::string> aliases = {
      {"LAMBDA2", "LDA2"},       {"LAM2", "LDA2"},          {"RHO", "RHO1"},
      {"SIGMA1", "SIG1"},        {"SGM", "SIG1"},           {"THETA1", "THE1"},
      {"EP2", "EPS2"},           {"M2KS2", "M2(KS)2"},      {"2KMSN2", "2KM(SN)2"},
      {"2SNMK2", "2SN(MK)2"},    {"ALPHA1", "ALP1"},        {"BETA1", "BET1"},
      {"UPSILON1", "UPS1"},
      // NOAA's OO2 (Anchorage) is O1 + Q1, 27.3416965 deg/h: XTide's table has the same
      // station's term, same amplitude and phase, as OQ2-HORN. (XTide's "OQ2" is the other
      // line of that name, 3 N2 - 2 M2 at 27.3509801 deg/h.)
      {"OO2", "OQ2-HORN"},
  };
  return aliases;
}

}  // namespace

int MatchConstituent(const ConstituentTable& table, const SourceConstituent& constituent) {
  std::vector<std::string> candidates;
  for (const std::string& spelling : {constituent.name, constituent.predictorName}) {
    if (spelling.empty()) continue;
    const std::string upper = Upper(spelling);
    auto alias = Aliases().find(upper);
    if (alias != Aliases().end()) candidates.push_back(alias->second);
    candidates.push_back(upper);
  }
  for (const std::string& candidate : candidates) {
    const int index = table.Find(candidate);
    if (index < 0) continue;
    if (constituent.predictorSpeed > 0) {
      if (std::fabs(table.constituents[index].speedDegreesPerHour - constituent.predictorSpeed) < 1e-3) {
        return index;
      }
    } else if (candidate == Upper(constituent.name)) {
      return index;  // unknown to the predictor: only the source's own name counts
    }
  }
  return -1;
}

std::string LeftOutReason(const std::string& sourceName) {
  // TICON-4's manual defines 3N2 as Doodson 257555, 29.0662415 deg/h, and MKS2 as 245555,
  // 28.4350877 deg/h; but TICON-4's MKS2 values are those of the 29.0662415 deg/h line
  // (they match Kartverket's MKS2 at the same gauges), and one fit cannot give two terms
  // of one frequency: its 3N2, listed beside MKS2, is another line, which no published
  // document names.
  if (sourceName == "3N2") return "TICON-4 defines 3N2 inconsistently";
  if (sourceName == "S1_KV" || sourceName == "OQ2_KV") return "Kartverket's own variant, definition not published";
  return "no table of this program defines it";
}

std::string DefinitionConflict(const std::string& source, const std::string& sourceName) {
  // TICON-4's M1 is not the M1 of the table (NOAA's, Schureman's composite of the two
  // lines near 14.497 deg/h). At the 46 gauges where TICON-4 and NOAA both give an M1 of
  // more than 5 mm (within 3 km), the amplitudes agree (median ratio 1.02) and so do the
  // phases of M2, K1, O1, S1 and M3 (medians within 1 degree), but TICON-4's M1 phases
  // are 87 degrees behind NOAA's (median; 100 to 117 at the open-coast gauges, whatever
  // the years analysed, 1858 to 2025). Nor does it follow the predictor package's M1,
  // whose arguments drift from the table's by 4 degrees a year. Summed with the table's
  // arguments it would add an error of 1.4 to 1.6 times its amplitude; left out, its
  // amplitude.
  if (source == "TICON-4" && Upper(sourceName) == "M1") return "TICON-4's M1 follows another, unpublished definition";
  return std::string();
}

bool BuildSlotOrder(const ConstituentTable& table, const std::vector<bool>& neededInNarrowFiles,
                    SlotOrder& order, std::string& error) {
  const int count = static_cast<int>(table.constituents.size());
  order = SlotOrder{};
  order.tableToSlot.assign(count, -1);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) {
      const bool needed = i < static_cast<int>(neededInNarrowFiles.size()) && neededInNarrowFiles[i];
      if (needed != (pass == 0)) continue;
      order.tableToSlot[i] = static_cast<int>(order.slotToTable.size());
      order.slotToTable.push_back(i);
    }
    if (pass == 0 && order.slotToTable.size() > static_cast<size_t>(kNarrowSlotCount)) {
      error = std::to_string(order.slotToTable.size()) +
              " constituents are used by NOAA and Canadian stations; only 160 fit";
      return false;
    }
  }
  if (order.slotToTable.size() > static_cast<size_t>(kWideSlotCount)) {
    error = "the constituent table has more than 230 constituents";
    return false;
  }
  return true;
}

}  // namespace qw::data
