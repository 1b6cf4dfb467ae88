// Command-line option parsing shared by every command.
//
// Options are "--name VALUE", "--name=VALUE" or a flag "--name", and "-x VALUE" for an
// option with a one-letter alias; "--" ends the options.
// Everything else is a positional argument. Unknown options and missing values are
// usage errors.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::cli {

struct OptionSpec {
  std::string name;          // without the leading "--"
  bool takesValue = false;
  std::string valueName;     // shown in help, e.g. "YYYY-MM-DD"
  std::string description;   // one line for help
  char shortName = 0;        // a one-letter alias "-o", or 0
};

class ParsedArgs {
 public:
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // flags map to ""

  bool Has(std::string_view name) const { return values.count(std::string(name)) != 0; }
  std::optional<std::string> Value(std::string_view name) const;
  // The value of a required option; a usage error naming `command` when it is absent.
  std::string Required(std::string_view name, std::string_view command) const;
};

// Parses `args` against `specs`; `command` names the command in error messages.
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                     std::string_view command);

// Whole decimal number in [low, high]; a usage error mentioning `what` otherwise.
long ParseInteger(std::string_view text, long low, long high, std::string_view what);

}  // namespace qw::cli
