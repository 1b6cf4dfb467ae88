#include "settings/color_schemes.h"

#include <cctype>

namespace qw {
namespace {

constexpr size_t kSchemeNameBuffer = 50;
constexpr size_t kSchemeNameMaxChars = 40;

struct ColorKey {
  const char* key;
  ColorRef ColorScheme::*field;
};

constexpr ColorKey kColorKeys[] = {
    {"DayLightColor", &ColorScheme::dayLight},
    {"NightTimeColor", &ColorScheme::nightTime},
    {"NormalBarColor", &ColorScheme::normalBar},
    {"AboveHighRangeColor", &ColorScheme::aboveHighRange},
    {"BelowLowRangeColor", &ColorScheme::belowLowRange},
    {"GridColor", &ColorScheme::grid},
    {"RangeLineColor", &ColorScheme::rangeLine},
};

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

void WriteSchemeCounters(ProfileFile& file, const AppSettings& settings) {
  file.WriteInt("Options", "NumColorSchemes", settings.numColorSchemes);
  file.WriteInt("Options", "SelectedSchemeIndex", settings.selectedSchemeIndex);
}

}  // namespace

std::string ColorSchemeSection(int number) { return "Color Scheme " + std::to_string(number); }

ColorScheme ReadColorScheme(const ProfileFile& file, int number) {
  const std::string section = ColorSchemeSection(number);
  ColorScheme scheme;
  scheme.name = file.ReadString(section, "SchemeName", "", kSchemeNameBuffer);
  for (const ColorKey& key : kColorKeys) {
    // The default applies to a missing key and to an empty value alike.
    const ColorRef fallback = scheme.*key.field;
    scheme.*key.field = static_cast<ColorRef>(file.ReadInt(section, key.key, static_cast<int32_t>(fallback)));
  }
  return scheme;
}

void WriteColorScheme(ProfileFile& file, int number, const ColorScheme& scheme) {
  const std::string section = ColorSchemeSection(number);
  file.WriteString(section, "SchemeName", scheme.name);
  for (const ColorKey& key : kColorKeys) {
    file.WriteInt(section, key.key, static_cast<int64_t>(scheme.*key.field & 0xFFFFFFu));
  }
}

ColorScheme BuiltInColorScheme() {
  ColorScheme scheme;
  scheme.name = "Quaywise Default";
  scheme.dayLight = 0x80FFFF;
  scheme.nightTime = 0x808080;
  scheme.normalBar = 0xFF0000;
  scheme.aboveHighRange = 0x0000FF;
  scheme.belowLowRange = 0x0000FF;
  scheme.grid = 0xC0C0C0;
  scheme.rangeLine = 0xFF0000;
  return scheme;
}

void MakeBuiltInColorScheme(ProfileFile& file, AppSettings& settings) {
  WriteColorScheme(file, 1, BuiltInColorScheme());
  settings.numColorSchemes = 1;
  settings.selectedSchemeIndex = 1;
  WriteSchemeCounters(file, settings);
}

std::vector<std::string> ColorSchemeNames(const ProfileFile& file, const AppSettings& settings) {
  std::vector<std::string> names;
  for (int n = 1; n <= settings.numColorSchemes; ++n) {
    names.push_back(file.ReadString(ColorSchemeSection(n), "SchemeName", "", kSchemeNameBuffer));
  }
  return names;
}

SchemeEditResult SaveColorSchemeAs(ProfileFile& file, AppSettings& settings,
                                   const ColorScheme& scheme, int* number) {
  ColorScheme named = scheme;
  named.name = Trimmed(named.name).substr(0, kSchemeNameMaxChars);
  if (named.name.empty()) return SchemeEditResult::BlankName;

  int target = 0;
  const std::vector<std::string> names = ColorSchemeNames(file, settings);
  for (size_t i = 0; i < names.size() && target == 0; ++i) {
    if (SameNameIgnoringCase(Trimmed(names[i]), named.name)) target = static_cast<int>(i) + 1;
  }
  if (target == 0) {
    target = settings.numColorSchemes + 1;
    settings.numColorSchemes = target;
  }
  WriteColorScheme(file, target, named);
  WriteSchemeCounters(file, settings);
  if (number) *number = target;
  return SchemeEditResult::Saved;
}

SchemeEditResult DeleteColorScheme(ProfileFile& file, AppSettings& settings, int number) {
  if (number < 1 || number > settings.numColorSchemes) return SchemeEditResult::NoSuchScheme;
  if (settings.numColorSchemes <= 1) return SchemeEditResult::LastScheme;
  for (int n = number; n < settings.numColorSchemes; ++n) {
    ColorScheme next = ReadColorScheme(file, n + 1);
    file.RemoveSection(ColorSchemeSection(n));
    WriteColorScheme(file, n, next);
  }
  file.RemoveSection(ColorSchemeSection(settings.numColorSchemes));
  settings.numColorSchemes -= 1;
  settings.selectedSchemeIndex = 0;
  WriteSchemeCounters(file, settings);
  return SchemeEditResult::Deleted;
}

}  // namespace qw
