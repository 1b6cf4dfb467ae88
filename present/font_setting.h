// Fonts as the settings file describes them (a logical-font height in pixels at 96 dpi,
// negative for the character height, a weight from 100 to 900) and as Qt draws them.
#pragma once

#include <QFont>

#include "settings/app_settings.h"

namespace qw {

QFont FontFromSetting(const FontSetting& setting);
FontSetting SettingFromFont(const QFont& font, const FontSetting& previous);

}  // namespace qw
