#include "export/export_fields.h"

#include <algorithm>
#include <cstdio>

#include "engine/string_table.h"
#include "export/export_texts.h"

namespace qw {

const char* ExportFieldTitle(int id) {
  if (id == kFieldUtcOffset) return StringText(text::kUtcOffsetFieldTitle);
  return id >= 0 && id < kExportFieldCount ? StringText(text::kFieldTitles + id) : "";
}

std::string ExportFieldListText(int id, int repeatCount) {
  if (id == kFieldStartRepeat) {
    return repeatCount == 1 ? FormatString(text::kStartRepeatOnce, ExportFieldTitle(id))
                            : FormatString(text::kStartRepeatTimes, ExportFieldTitle(id), static_cast<long>(repeatCount));
  }
  if (id == kFieldEndRepeat) return StringText(text::kEndRepeatEntry);
  return ExportFieldTitle(id);
}

std::vector<int> ParseTargetFields(std::string_view text) {
  std::vector<int> ids;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view item = text.substr(start, end - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (!item.empty() && item.size() <= 2 && std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      const int id = std::stoi(std::string(item));
      if (id < kExportFieldCount) ids.push_back(id);
    }
    start = end + 1;
  }
  return ids;
}

std::string FormatTargetFields(const std::vector<int>& ids) {
  std::string text;
  for (int id : ids) {
    if (!text.empty()) text += ',';
    text += std::to_string(id);
  }
  return text;
}

RepeatProblem CheckRepeatMarkers(const std::vector<int>& ids) {
  const auto start = std::find(ids.begin(), ids.end(), kFieldStartRepeat);
  const auto end = std::find(ids.begin(), ids.end(), kFieldEndRepeat);
  if ((start == ids.end()) != (end == ids.end())) return RepeatProblem::OnlyOneMarker;
  if (start != ids.end() && end < start) return RepeatProblem::EndBeforeStart;
  return RepeatProblem::None;
}

std::vector<int> ExpandedColumns(const std::vector<int>& ids, int repeatCount) {
  std::vector<int> columns;
  size_t blockStart = 0;
  for (int id : ids) {
    if (id == kFieldStartRepeat) {
      blockStart = columns.size();
    } else if (id == kFieldEndRepeat) {
      const std::vector<int> block(columns.begin() + static_cast<long>(blockStart), columns.end());
      for (int n = 1; n < repeatCount; ++n) columns.insert(columns.end(), block.begin(), block.end());
    } else {
      columns.push_back(id);
    }
  }
  return columns;
}

bool NeedsSunOrMoon(const std::vector<int>& ids) {
  return std::any_of(ids.begin(), ids.end(), [](int id) { return id >= kFieldSunrise && id <= kFieldMoonPhase; });
}

}  // namespace qw
