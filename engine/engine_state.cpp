#include "engine/engine_state.h"

#include "engine/station_database.h"

namespace qw {

void ResetEngine() {
  // Each engine subsystem adds its reset call here as it gains module-level state.
  ResetStationDatabase();
}

}  // namespace qw
