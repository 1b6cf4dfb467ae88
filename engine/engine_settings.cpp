#include "engine/engine_settings.h"

namespace qw {

EngineSettings& Settings() {
  static EngineSettings settings;
  return settings;
}

}  // namespace qw
