// quaywise-cli: the command-line front end over the prediction engine.
#include <cstdio>
#include <cstring>

#include "engine/calendar.h"

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::puts("usage: quaywise-cli COMMAND [options]\n\nCommands are added as the engine grows.");
    return 0;
  }
  qw::DateRecord today;
  qw::DateToMinute(today);
  std::printf("Quaywise %04u-%02u-%02u: no station data is installed yet.\n", today.year, today.month,
              today.day);
  return 0;
}
