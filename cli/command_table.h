// The table of quaywise-cli commands.
//
// Each command group lives in its own source file (commands_tides.cpp, ...) and adds its
// commands with a static CommandRegistration; the program dispatches on the first word.
// Adding a command is adding a file.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace qw::cli {

class CliContext;

struct Command {
  std::string name;      // the first word on the command line
  std::string synopsis;  // e.g. "tides STATION --from YYYY-MM-DD [--to YYYY-MM-DD]"
  std::string summary;   // one line for the command list
  std::string details;   // further help text (may be empty)
  std::vector<OptionSpec> options;  // besides the global ones
  int (*run)(CliContext& context, const ParsedArgs& args) = nullptr;  // returns the exit status
};

// Adds a command at static-initialisation time.
struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

// Every registered command, sorted by name.
const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

// Options every command accepts (--data, --help, ...).
const std::vector<OptionSpec>& GlobalOptions();

}  // namespace qw::cli
