// How quaywise-cli ends: the exit statuses and the two kinds of failure a command throws.
#pragma once

#include <stdexcept>

namespace qw::cli {

constexpr int kExitOk = 0;
constexpr int kExitEngineFailure = 1;  // the engine could not compute (it has said why)
constexpr int kExitUsage = 2;          // the user asked for something that cannot be

// Bad arguments, an unknown or ambiguous station, a date outside the supported range, a
// station without predictions: printed as one line, exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The engine failed; its report has been printed. Exit status 1.
class EngineFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace qw::cli
