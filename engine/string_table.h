// The program's texts, addressed by number.
//
// Messages, captions and labels are looked up here by their id so that every module
// shows the same words. Ranges: 21xx year data, 22xx currents, 24xx tides, 26xx graphs,
// 30xx real-time window, 32xx dates outside the data; the user interface adds its own.
#pragma once

#include <cstdio>
#include <string>

namespace qw {

// The text of `id`, or an empty string when the table has no such id.
const char* StringText(int id);

// The text of `id` formatted with printf-style arguments (the table's texts use %d, %i,
// %u, %s and %ld). Arguments must match the text's conversions.
template <typename... Args>
std::string FormatString(int id, Args... args) {
  const char* format = StringText(id);
  if constexpr (sizeof...(Args) == 0) {
    return format;
  } else {
    int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return std::string();
    std::string out(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<size_t>(size));
    return out;
  }
}

}  // namespace qw
