#include "engine/engine_state.h"

namespace qw {

void ResetEngine() {
  // Each engine subsystem adds its reset call here as it gains module-level state.
}

}  // namespace qw
