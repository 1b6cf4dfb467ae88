#include "engine/engine_state.h"

#include "engine/current_harmonics.h"
#include "engine/current_window.h"
#include "engine/earth_series.h"
#include "engine/extremes_cache.h"
#include "engine/held_data.h"
#include "engine/installed_catalogue.h"
#include "engine/rotary_current.h"
#include "engine/sky_day.h"
#include "engine/station_database.h"
#include "engine/tide_height.h"
#include "engine/tide_prediction.h"

namespace qw {

void ResetEngine() {
  // Each engine subsystem adds its reset call here as it gains module-level state.
  ResetHeldData();  // tables, year, harmonic record, prepared constituents, minute cache
  ResetExtremesCache();
  ResetTideHeight();
  ResetTidePrediction();
  ResetCurrentHarmonics();
  ResetCurrentEventWindow();
  ResetRotaryCurrent();
  ResetStationDatabase();
  ResetEarthSeries();
  ResetSkyDays();
  ResetInstalledCatalogue();
}

}  // namespace qw
