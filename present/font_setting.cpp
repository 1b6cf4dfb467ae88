#include "present/font_setting.h"

#include <cmath>
#include <cstdlib>

namespace qw {

QFont FontFromSetting(const FontSetting& setting) {
  QFont font(QString::fromStdString(setting.faceName.empty() ? std::string("Sans Serif") : setting.faceName));
  // A negative height is the character height; a positive one the cell height, about
  // a fifth taller. 96 pixels make 72 points.
  double pixels = std::abs(setting.height);
  if (setting.height > 0) pixels /= 1.2;
  if (pixels < 6 || pixels > 200) pixels = 11;
  font.setPointSizeF(pixels * 72.0 / 96.0);
  const int weight = setting.weight <= 0 ? 400 : std::clamp(setting.weight, 100, 900);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(setting.italic != 0);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

FontSetting SettingFromFont(const QFont& font, const FontSetting& previous) {
  FontSetting setting = previous;
  setting.faceName = font.family().toStdString().substr(0, 31);
  setting.height = -static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
  setting.weight = static_cast<int>(font.weight());
  setting.italic = font.italic() ? 1 : 0;
  return setting;
}

}  // namespace qw
