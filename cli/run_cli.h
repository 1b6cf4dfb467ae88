// The whole of quaywise-cli behind main(): argument dispatch, global options, the engine
// reporter and the exit status. Tests call it directly.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace qw::cli {

// Runs the program with `args` (without the program name), printing to `out` and
// `err`. Returns the exit status: 0, 1 (engine failure) or 2 (usage error).
int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace qw::cli
