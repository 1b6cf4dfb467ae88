#include "tools/data/station_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

#include "tools/data/data_set.h"

namespace qw::data {

namespace {

enum Part { kContext, kPublisher, kRecord, kBin, kSourceId, kPartCount };

const std::string& Value(const NamingFacts& facts, int part) {
  switch (part) {
    case kContext: return facts.context;
    case kPublisher: return facts.publisher;
    case kRecord: return facts.record;
    case kBin: return facts.bin;
    default: return facts.sourceId;
  }
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The name with the chosen parts: "Name, context (publisher or record id), bin N".
std::string Compose(const NamingFacts& facts, const std::array<bool, kPartCount>& chosen) {
  std::string qualifier;
  if (chosen[kRecord] && !facts.record.empty()) qualifier = facts.record;
  else if (chosen[kPublisher]) qualifier = facts.publisher;
  if (chosen[kSourceId]) qualifier += (qualifier.empty() ? "" : " ") + facts.sourceId;
  std::string suffix;
  if (!qualifier.empty()) suffix = " (" + qualifier + ")";
  if (chosen[kBin] && !facts.bin.empty()) suffix += ", bin " + facts.bin;
  std::string base = facts.name;
  if (chosen[kContext] && !facts.context.empty() && Lower(facts.name).find(Lower(facts.context)) == std::string::npos) {
    // The context gives way to the qualifier when both do not fit.
    const size_t room = suffix.size() + 2 < kStationNameBytes ? kStationNameBytes - suffix.size() - 2 : 0;
    const size_t contextRoom = room > 14 ? room - 14 : 0;  // keep at least 14 bytes of the name
    const std::string context = FitName(facts.context, std::min(facts.context.size(), contextRoom));
    if (!context.empty()) return WithPart(WithPart(base, ", ", context, kStationNameBytes - suffix.size()), "", suffix);
  }
  return suffix.empty() ? FitName(base, kStationNameBytes) : WithPart(base, "", suffix);
}

}  // namespace

std::string WithPart(const std::string& base, const std::string& separator, const std::string& part, size_t maxBytes) {
  const std::string tail = separator + part;
  if (tail.size() >= maxBytes) return FitName(base + tail, maxBytes);
  return FitName(base, maxBytes - tail.size()) + tail;
}

std::vector<std::string> DistinctNames(const std::vector<NamingFacts>& stations) {
  std::vector<std::array<bool, kPartCount>> chosen(stations.size());
  for (auto& parts : chosen) parts.fill(false);
  std::vector<std::string> names(stations.size());
  for (int round = 0; round <= kPartCount; ++round) {
    std::map<std::string, std::vector<size_t>> byText;
    for (size_t i = 0; i < stations.size(); ++i) {
      names[i] = Compose(stations[i], chosen[i]);
      byText[Lower(names[i])].push_back(i);
    }
    bool collided = false;
    for (const auto& [text, members] : byText) {
      if (members.size() < 2) continue;
      collided = true;
      // The first part not yet used whose values tell some of the group apart.
      for (int part = 0; part < kPartCount; ++part) {
        bool used = true;
        for (size_t m : members) used &= chosen[m][part];
        if (used) continue;
        bool differs = part == kSourceId;
        for (size_t m : members) differs |= Value(stations[m], part) != Value(stations[members[0]], part);
        if (!differs) continue;
        for (size_t m : members) chosen[m][part] = true;
        break;
      }
    }
    if (!collided) break;
  }
  return names;
}

}  // namespace qw::data
