#include "tools/data/station_extract.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace qw::data {

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return parts;
    start = tab + 1;
  }
}

bool ParseDouble(const std::string& text, double& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

const std::string& SourceStation::Text(const std::string& key) const {
  static const std::string empty;
  auto it = fields.find(key);
  return it == fields.end() ? empty : it->second;
}

std::optional<double> SourceStation::Number(const std::string& key) const {
  double value;
  if (!ParseDouble(Text(key), value)) return std::nullopt;
  return value;
}

bool ReadStationExtract(const std::string& path, std::vector<SourceStation>& stations,
                        std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open the station extract " + path;
    return false;
  }
  stations.clear();
  std::string line;
  int lineNumber = 0;
  auto fail = [&](const std::string& why) {
    error = path + ":" + std::to_string(lineNumber) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> parts = SplitTabs(line);
    if (parts[0] == "S") {
      SourceStation station;
      for (size_t i = 1; i < parts.size(); ++i) {
        const size_t eq = parts[i].find('=');
        if (eq == std::string::npos || eq == 0) return fail("field without a key");
        station.fields[parts[i].substr(0, eq)] = parts[i].substr(eq + 1);
      }
      if (station.Id().empty()) return fail("station without an id");
      stations.push_back(std::move(station));
    } else if (parts[0] == "H") {
      if (stations.empty()) return fail("constituent before any station");
      if (parts.size() != 6) return fail("constituent line needs 6 fields");
      SourceConstituent c;
      c.name = parts[1];
      c.predictorName = parts[2];
      if (!ParseDouble(parts[3], c.predictorSpeed) || !ParseDouble(parts[4], c.amplitude) ||
          !ParseDouble(parts[5], c.phaseDegrees)) {
        return fail("constituent with a bad number");
      }
      stations.back().constituents.push_back(c);
    } else {
      return fail("unknown line kind '" + parts[0] + "'");
    }
  }
  if (stations.empty()) {
    error = "the station extract " + path + " holds no station";
    return false;
  }
  return true;
}

}  // namespace qw::data
