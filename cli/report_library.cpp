// RunReport in quaywise-cli: loads the report library beside the program and runs the
// command line there (see report_command.h).
#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/report_command.h"

namespace qw::cli {

int RunReport(CliContext& context, const ParsedArgs&) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path library = (error ? std::filesystem::path() : program.parent_path()) / QW_REPORT_LIBRARY_NAME;
  // Loaded for the rest of the run: Qt keeps state in it until the program ends.
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) throw EngineFailure(std::string("the report library cannot be loaded: ") + dlerror());
  using Entry = int (*)(const std::vector<std::string>*, std::FILE*, std::FILE*);
  const auto entry = reinterpret_cast<Entry>(dlsym(handle, "quaywise_cli_report"));
  if (!entry) throw EngineFailure(library.string() + " is not quaywise-cli's report library");
  std::fflush(context.out());
  return entry(&context.arguments(), context.out(), context.err());
}

}  // namespace qw::cli
