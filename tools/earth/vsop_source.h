// Reads the VSOP87D Earth series from the JavaScript module that ships them
// (astronomia's data/vsop87Dearth.js) into the form EARTH.IDX and EARTH.DAT hold.
//
// The module is one object literal:
//   const m = { L: { "0": [[A, B, C], ...], "1": [...], ... }, B: {...}, R: {...},
//               name: "earth", type: "D" };
// Keys are identifiers or quoted strings; values are objects, arrays, numbers or
// strings. Nothing is executed: the text is parsed as this data subset and anything
// else is an error.
#pragma once

#include <string>
#include <string_view>

#include "engine/earth_series.h"

namespace qw::earth {

// Parses the module text. L0, B0 and R0 must be present; a higher power that is absent
// (the Earth has no B5) is an empty series. Every term must be three finite numbers. Returns an
// empty string on success, else a message naming the line of the fault.
std::string ParseVsopModule(std::string_view text, EarthSeries& out);

}  // namespace qw::earth
