// Running quaywise-cli inside a test and collecting what it prints.
#pragma once

#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace qw::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program with `args`; the data directory is the test's own unless --data is given.
CliResult RunCliCaptured(const std::vector<std::string>& args);

}  // namespace qw::test
