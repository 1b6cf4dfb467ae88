// The constituent table: speeds, and per-year equilibrium arguments and node factors,
// read from XTide's harmonics file with libtcd; the matching of the source's constituent
// names to it; and the order of the constituent slots in the program's files.
//
// Conventions of the table (checked against the independent predictor in the tests): the
// equilibrium argument V0 + u is for 1 January 00:00 UTC of the year, and the node factor f
// and the nodal phase u are for the middle of the year.
#pragma once

#include <string>
#include <vector>

#include "tools/data/station_extract.h"

namespace qw::data {

struct TableConstituent {
  std::string name;                  // XTide's name ("M2", "LDA2", "2MK3")
  double speedDegreesPerHour = 0;
  std::vector<double> equilibrium;   // V0 + u in degrees, one per year from firstYear
  std::vector<double> nodeFactor;    // f, one per year from firstYear
};

struct ConstituentTable {
  int firstYear = 0;
  int yearCount = 0;
  std::vector<TableConstituent> constituents;

  int Find(const std::string& name) const;  // -1 when the table has no such name
  bool HasYear(int year) const { return year >= firstYear && year < firstYear + yearCount; }
  double Equilibrium(int index, int year) const { return constituents[index].equilibrium[year - firstYear]; }
  double NodeFactor(int index, int year) const { return constituents[index].nodeFactor[year - firstYear]; }
};

bool ReadConstituentTable(const std::string& tcdPath, ConstituentTable& table, std::string& error);

// A constituent as the predictor package computes it (extra_constituents.mjs): "extra"
// ones are those XTide's table lacks; "check" ones are in the table too and serve to show
// that the two agree.
struct PredictorConstituent {
  std::string name;
  bool extra = false;
  TableConstituent values;  // name upper-cased, years from firstYear
  int firstYear = 0;
};

bool ReadPredictorConstituents(const std::string& path, std::vector<PredictorConstituent>& out,
                               std::string& error);

// Appends the extra constituents to the table, under their upper-cased names. Each must
// cover every year of the table.
bool AddExtraConstituents(const std::vector<PredictorConstituent>& extras, ConstituentTable& table,
                          std::string& error);

// The table index of a source constituent, or -1 when the table does not define it. The
// name is tried as spelt, upper-cased, through a list of known alternative spellings, and
// as the predictor package names it; a match must also have the predictor's speed (within
// 0.001 degree per hour) when the predictor knows the constituent.
int MatchConstituent(const ConstituentTable& table, const SourceConstituent& constituent);

// Why a source constituent that MatchConstituent does not place is left out, in a few
// words for the station's note: the sources' own variants whose definitions are not
// established (TICON-4's 3N2, Kartverket's S1_KV and OQ2_KV), or no table has it.
std::string LeftOutReason(const std::string& sourceName);

// Why a source's constituent of a name the table has is not the table's constituent of
// that name (TICON-4's M1), or an empty string when it is. `source` is the station
// database's source family ("TICON-4").
std::string DefinitionConflict(const std::string& source, const std::string& sourceName);

// The slots of the program's constituent files. The first 160 slots are what the NOAA and
// Canadian files hold; the international files hold all 230.
constexpr int kNarrowSlotCount = 160;
constexpr int kWideSlotCount = 230;

struct SlotOrder {
  std::vector<int> slotToTable;  // table index of each slot in use
  std::vector<int> tableToSlot;  // slot of each table index
};

// Slots for every table constituent: first those flagged as needed in the narrow files, in
// table order, then the others in table order. False when the flagged ones do not fit in
// 160 slots or the table does not fit in 230.
bool BuildSlotOrder(const ConstituentTable& table, const std::vector<bool>& neededInNarrowFiles,
                    SlotOrder& order, std::string& error);

}  // namespace qw::data
