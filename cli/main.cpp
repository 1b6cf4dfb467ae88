// quaywise-cli: the command-line front end over the prediction engine.
#include <string>
#include <vector>

#include "cli/run_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return qw::cli::RunCli(args, stdout, stderr);
}
