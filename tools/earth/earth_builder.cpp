// quaywise-earth: writes EARTH.IDX and EARTH.DAT from the VSOP87D Earth series module.
//
//   quaywise-earth path/to/vsop87Dearth.js DATA_DIRECTORY
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/earth/vsop_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: quaywise-earth VSOP87D_EARTH_MODULE DATA_DIRECTORY\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "quaywise-earth: cannot open %s\n", argv[1]);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();

  qw::EarthSeries series;
  std::string error = qw::earth::ParseVsopModule(text.str(), series);
  if (!error.empty()) {
    std::fprintf(stderr, "quaywise-earth: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  error = qw::WriteEarthSeries(argv[2], series);
  if (!error.empty()) {
    std::fprintf(stderr, "quaywise-earth: %s\n", error.c_str());
    return 1;
  }
  std::printf("quaywise-earth: %zu terms written to %s\n", series.terms.size(), argv[2]);
  return 0;
}
