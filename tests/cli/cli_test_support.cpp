#include "tests/cli/cli_test_support.h"

#include <cstdio>
#include <cstdlib>

#include "cli/run_cli.h"

namespace qw::test {

CliResult RunCliCaptured(const std::vector<std::string>& args) {
  char* outBuffer = nullptr;
  char* errBuffer = nullptr;
  size_t outSize = 0, errSize = 0;
  std::FILE* out = open_memstream(&outBuffer, &outSize);
  std::FILE* err = open_memstream(&errBuffer, &errSize);
  CliResult result;
  result.status = cli::RunCli(args, out, err);
  std::fclose(out);
  std::fclose(err);
  result.out.assign(outBuffer, outSize);
  result.err.assign(errBuffer, errSize);
  std::free(outBuffer);
  std::free(errBuffer);
  return result;
}

}  // namespace qw::test
