// Writes a data set into a data directory: every file the program reads, besides the
// Earth series, plus the side catalogue "catalogue.csv", the tide stations' datums
// "datums.csv", the constituent of every slot "constituents.csv" and "SOURCES.txt".
#pragma once

#include <string>

#include "tools/data/constituent_table.h"
#include "tools/data/data_set.h"

namespace qw::data {

// Years covered by the year-data files.
constexpr int kFirstDataYear = 1900;
constexpr int kLastDataYear = 2100;

// Files of an earlier build that this build no longer makes are removed first (region,
// harmonic, notes and constituent files; never EARTH.IDX or EARTH.DAT). False with
// `error` set when a file cannot be written.
bool WriteDataSet(const DataSet& data, const ConstituentTable& table, const std::string& directory,
                  std::string& error);

}  // namespace qw::data
