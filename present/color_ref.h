// Colours as the settings file stores them (0x00BBGGRR, red in the low byte).
#pragma once

#include <QColor>

#include "settings/app_settings.h"

namespace qw {

inline QColor ToQColor(ColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

inline ColorRef ToColorRef(const QColor& c) {
  return static_cast<ColorRef>(c.red()) | (static_cast<ColorRef>(c.green()) << 8) |
         (static_cast<ColorRef>(c.blue()) << 16);
}

}  // namespace qw
