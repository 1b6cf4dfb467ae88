#include "cli/run_cli.h"

#include <algorithm>
#include <filesystem>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/command_table.h"
#include "engine/data_dir.h"
#include "engine/engine_settings.h"
#include "engine/engine_state.h"
#include "engine/report.h"

namespace qw::cli {
namespace {

constexpr const char* kProgram = "quaywise-cli";

void PrintOptions(std::FILE* out, const std::vector<OptionSpec>& options) {
  for (const OptionSpec& o : options) {
    std::string left = (o.shortName ? std::string("-") + o.shortName + ", " : std::string()) + "--" + o.name +
                       (o.takesValue ? " " + o.valueName : "");
    std::fprintf(out, "  %-24s %s\n", left.c_str(), o.description.c_str());
  }
}

void PrintOverview(std::FILE* out) {
  std::fprintf(out,
               "usage: %s [COMMAND] [ARGUMENTS] [--data DIR]\n\n"
               "Tide predictions by the harmonic method from the installed station data.\n"
               "Without a command, prints today's high and low waters at the default station.\n\n"
               "Commands:\n",
               kProgram);
  for (const Command& c : Commands()) std::fprintf(out, "  %-9s %s\n", c.name.c_str(), c.summary.c_str());
  std::fprintf(out,
               "\nSTATION is SLOT:INDEX (region slot and station index, see 'regions' and\n"
               "'stations'), id:N (station id), src:SOURCEID (the id at the station's public\n"
               "source, e.g. src:9414290) or part of a station's name that matches one station.\n\n"
               "Options of every command:\n");
  PrintOptions(out, GlobalOptions());
  std::fprintf(out,
               "\nExit status: 0 done; 1 the engine could not compute; 2 bad arguments, unknown or\n"
               "ambiguous station, date outside 1901-01-01..2099-12-31, station without predictions.\n"
               "'%s help COMMAND' shows a command's options.\n",
               kProgram);
}

void PrintCommandHelp(std::FILE* out, const Command& c) {
  std::fprintf(out, "usage: %s %s\n\n%s\n", kProgram, c.synopsis.c_str(), c.summary.c_str());
  if (!c.details.empty()) std::fprintf(out, "\n%s\n", c.details.c_str());
  if (!c.options.empty()) {
    std::fprintf(out, "\nOptions:\n");
    PrintOptions(out, c.options);
  }
  std::fprintf(out, "\nOptions of every command:\n");
  PrintOptions(out, GlobalOptions());
}

// Prints engine reports as one line each and remembers that one was made.
class CliReporter {
 public:
  explicit CliReporter(std::FILE* err) {
    previous_ = SetEngineReporter([this, err](const EngineReport& report) {
      std::string text = report.text;
      std::replace(text.begin(), text.end(), '\n', ' ');
      std::fprintf(err, "%s: %s: %s\n", kProgram, report.caption.c_str(), text.c_str());
      reported_ = true;
    });
  }
  ~CliReporter() { SetEngineReporter(std::move(previous_)); }
  CliReporter(const CliReporter&) = delete;
  CliReporter& operator=(const CliReporter&) = delete;
  bool reported() const { return reported_; }

 private:
  EngineReporter previous_;
  bool reported_ = false;
};

void ApplyGlobalOptions(const ParsedArgs& args) {
  if (auto dir = args.Value("data")) {
    if (!std::filesystem::is_directory(*dir)) {
      throw UsageError("--data " + *dir + " is not a directory");
    }
    SetDataDirectory(*dir);
  }
  if (args.Has("no-daylight-saving")) Settings().daylightSavings = false;
  if (auto math = args.Value("math")) {
    if (*math != "f" && *math != "i") throw UsageError("--math must be f or i, not '" + *math + "'");
    Settings().mathType = (*math)[0];
  }
}

int Dispatch(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  // The command is the first word that is not an option (or an option's value).
  std::string name = "today";
  std::vector<std::string> rest = args;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) == 0 || a == "-h") {
      const bool takesValue = std::any_of(GlobalOptions().begin(), GlobalOptions().end(),
                                          [&](const OptionSpec& o) { return o.takesValue && a == "--" + o.name; });
      if (takesValue) ++i;
      continue;
    }
    name = a;
    rest.erase(rest.begin() + static_cast<long>(i));
    break;
  }
  const bool explicitCommand = rest.size() != args.size();

  if (!explicitCommand && std::any_of(args.begin(), args.end(),
                                      [](const std::string& a) { return a == "--help" || a == "-h"; })) {
    PrintOverview(out);
    return kExitOk;
  }
  if (name == "help") {
    ParsedArgs parsed = ParseArgs(rest, GlobalOptions(), "help");
    if (parsed.positional.empty()) {
      PrintOverview(out);
      return kExitOk;
    }
    const Command* command = FindCommand(parsed.positional[0]);
    if (!command) throw UsageError("unknown command '" + parsed.positional[0] + "'");
    PrintCommandHelp(out, *command);
    return kExitOk;
  }
  const Command* command = FindCommand(name);
  if (!command) throw UsageError("unknown command '" + name + "' (see '" + kProgram + " --help')");

  std::vector<OptionSpec> specs = GlobalOptions();
  specs.insert(specs.end(), command->options.begin(), command->options.end());
  ParsedArgs parsed = ParseArgs(rest, specs, name);
  if (parsed.Has("help")) {
    PrintCommandHelp(out, *command);
    return kExitOk;
  }
  ApplyGlobalOptions(parsed);
  CliContext context(out, err, args);
  return command->run(context, parsed);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  // Options change engine-wide settings for this run only.
  const EngineSettings settings = Settings();
  const std::filesystem::path dataDirectory = DataDirectory();
  CliReporter reporter(err);
  int status = kExitOk;
  try {
    status = Dispatch(args, out, err);
  } catch (const UsageError& e) {
    std::fprintf(err, "%s: %s\n", kProgram, e.what());
    status = kExitUsage;
  } catch (const EngineFailure& e) {
    std::fprintf(err, "%s: %s\n", kProgram, e.what());
    status = kExitEngineFailure;
  }
  std::fflush(out);
  if (status == kExitOk && reporter.reported()) status = kExitEngineFailure;
  ResetEngine();
  Settings() = settings;
  SetDataDirectory(dataDirectory);
  return status;
}

}  // namespace qw::cli
