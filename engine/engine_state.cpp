#include "engine/engine_state.h"

#include "engine/earth_series.h"

namespace qw {

void ResetEngine() {
  // Each engine subsystem adds its reset call here as it gains module-level state.
  ResetEarthSeries();
}

}  // namespace qw
