#include "cli/command_table.h"

#include <algorithm>

namespace qw::cli {
namespace {

std::vector<Command>& Table() {
  static std::vector<Command> table;
  return table;
}

}  // namespace

CommandRegistration::CommandRegistration(Command command) {
  auto& table = Table();
  auto at = std::lower_bound(table.begin(), table.end(), command.name,
                             [](const Command& c, const std::string& name) { return c.name < name; });
  table.insert(at, std::move(command));
}

const std::vector<Command>& Commands() { return Table(); }

const Command* FindCommand(const std::string& name) {
  for (const Command& command : Table()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

const std::vector<OptionSpec>& GlobalOptions() {
  static const std::vector<OptionSpec> options = {
      {"data", true, "DIR", "use the data directory DIR instead of DATA/ beside the program"},
      {"no-daylight-saving", false, "", "show standard time all year (the DaylightSavings setting off)"},
      {"math", true, "f|i", "harmonic sum in floating point (f, the default) or integer form (i)"},
      {"help", false, "", "show help for the command"},
  };
  return options;
}

}  // namespace qw::cli
