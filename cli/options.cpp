#include "cli/options.h"

#include <cerrno>
#include <cstdlib>

#include "cli/cli_errors.h"

namespace qw::cli {

std::optional<std::string> ParsedArgs::Value(std::string_view name) const {
  auto it = values.find(std::string(name));
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::string ParsedArgs::Required(std::string_view name, std::string_view command) const {
  auto value = Value(name);
  if (!value) {
    throw UsageError(std::string(command) + ": --" + std::string(name) + " is required");
  }
  return *value;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                     std::string_view command) {
  ParsedArgs parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const OptionSpec* shortSpec = nullptr;
    if (!optionsEnded && arg.size() == 2 && arg[0] == '-' && arg[1] != '-') {
      for (const OptionSpec& s : specs) {
        if (s.shortName != 0 && s.shortName == arg[1]) shortSpec = &s;
      }
    }
    if (shortSpec) {
      if (!shortSpec->takesValue) {
        parsed.values[shortSpec->name] = "";
      } else if (i + 1 < args.size()) {
        parsed.values[shortSpec->name] = args[++i];
      } else {
        throw UsageError(std::string(command) + ": -" + arg[1] + " needs a value (" + shortSpec->valueName + ")");
      }
      continue;
    }
    if (optionsEnded || arg.size() < 2 || arg[0] != '-' || (arg[1] != '-' && arg != "-h")) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg == "-h" ? "help" : arg.substr(2);
    std::optional<std::string> inlineValue;
    if (auto eq = name.find('='); eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& s : specs) {
      if (s.name == name) spec = &s;
    }
    if (!spec) {
      throw UsageError(std::string(command) + ": unknown option '--" + name + "'");
    }
    if (!spec->takesValue) {
      if (inlineValue) throw UsageError(std::string(command) + ": --" + name + " takes no value");
      parsed.values[name] = "";
      continue;
    }
    if (inlineValue) {
      parsed.values[name] = *inlineValue;
    } else if (i + 1 < args.size()) {
      parsed.values[name] = args[++i];
    } else {
      throw UsageError(std::string(command) + ": --" + name + " needs a value (" +
                       spec->valueName + ")");
    }
  }
  return parsed;
}

long ParseInteger(std::string_view text, long low, long high, std::string_view what) {
  std::string s(text);
  bool digits = !s.empty();
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (!(c >= '0' && c <= '9') && !(i == 0 && c == '-' && s.size() > 1)) digits = false;
  }
  errno = 0;
  long value = digits ? std::strtol(s.c_str(), nullptr, 10) : 0;
  if (!digits || errno == ERANGE || value < low || value > high) {
    throw UsageError(std::string(what) + " must be a whole number from " + std::to_string(low) +
                     " to " + std::to_string(high) + ", not '" + s + "'");
  }
  return value;
}

}  // namespace qw::cli
