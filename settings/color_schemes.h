// The named colour schemes of the day graph, kept as sections "Color Scheme <n>"
// (n from 1) of the settings file, with "Options" NumColorSchemes counting them and
// SelectedSchemeIndex (1-based) naming the one in use.
//
// Every operation writes the file in memory at once, as the Colors page confirms it;
// the caller saves the file.
#pragma once

#include <string>
#include <vector>

#include "settings/app_settings.h"
#include "settings/profile_file.h"

namespace qw {

// "Color Scheme <n>".
std::string ColorSchemeSection(int number);

// Scheme n; a missing or empty colour reads as its default (ColorScheme{}).
ColorScheme ReadColorScheme(const ProfileFile& file, int number);
void WriteColorScheme(ProfileFile& file, int number, const ColorScheme& scheme);

// The scheme written when none exists: "Quaywise Default".
ColorScheme BuiltInColorScheme();
// Writes the built-in scheme as scheme 1 and sets NumColorSchemes and
// SelectedSchemeIndex to 1 (in `file` and in `settings`).
void MakeBuiltInColorScheme(ProfileFile& file, AppSettings& settings);

// The names of schemes 1..NumColorSchemes, in order.
std::vector<std::string> ColorSchemeNames(const ProfileFile& file, const AppSettings& settings);

enum class SchemeEditResult {
  Saved,      // written (overwritten or appended)
  Deleted,
  BlankName,  // "Invalid scheme name.  You can not the leave the name blank."
  LastScheme, // message 2801: the only scheme cannot be deleted
  NoSuchScheme,
};

// Saves under scheme.name: a scheme of the same name (case-insensitive) is
// overwritten, otherwise the scheme is appended as NumColorSchemes + 1. The name is
// trimmed and cut to 40 characters first. `number` receives the scheme's number.
SchemeEditResult SaveColorSchemeAs(ProfileFile& file, AppSettings& settings,
                                   const ColorScheme& scheme, int* number = nullptr);

// Deletes scheme n (the caller has asked "Are you sure ..."): later schemes move down
// one number, SelectedSchemeIndex becomes 0 (the next load selects scheme 1) and
// NumColorSchemes drops by one.
SchemeEditResult DeleteColorScheme(ProfileFile& file, AppSettings& settings, int number);

}  // namespace qw
