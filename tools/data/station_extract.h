// The station extract: the public station database as the Node extraction script writes
// it (one "S" line per station with key=value fields, then one "H" line per harmonic
// constituent of a reference station). This is the builder's only view of the source.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qw::data {

// One harmonic constituent as the source gives it.
struct SourceConstituent {
  std::string name;           // the source's own spelling ("LAM2", "lambda2", "SA_KV")
  std::string predictorName;  // the predictor package's name for it; empty when unknown
  double predictorSpeed = 0;  // degrees per hour by the predictor package; 0 when unknown
  double amplitude = 0;       // metres (tide stations) or knots (current stations)
  double phaseDegrees = 0;    // Greenwich phase lag
};

struct SourceStation {
  std::map<std::string, std::string> fields;  // every key=value of the S line
  std::vector<SourceConstituent> constituents;

  const std::string& Text(const std::string& key) const;  // "" when absent
  std::optional<double> Number(const std::string& key) const;  // none when absent or empty
  bool IsTide() const { return Text("kind") == "T"; }
  bool IsReference() const { return Text("type") == "R"; }
  const std::string& Id() const { return Text("id"); }
};

// Reads an extract file. False with `error` set when the file cannot be read or a line is
// malformed (the line number is given).
bool ReadStationExtract(const std::string& path, std::vector<SourceStation>& stations,
                        std::string& error);

}  // namespace qw::data
