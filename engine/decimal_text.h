// Decimal numbers in the program's files and on its command line, read and written with
// a full stop as the decimal point whatever the user's locale: the C library's strtod and
// printf follow LC_NUMERIC, which the desktop program sets from the environment, so under
// German settings they would read "0.35" as 0 and write "0,4" into the settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qw {

// The whole text (blanks around it allowed, an optional leading '+') as a finite decimal
// number; false when any other character is left over or there is no number.
bool ParseDecimal(std::string_view text, double& value_out);

// The leading decimal number of the text, like the C library's strtod in the C locale
// (blanks first are skipped); nothing when the text does not start with one.
std::optional<double> LeadingDecimal(std::string_view text);

// The value with exactly `decimals` digits after the point ("%.*f" in the C locale).
std::string FixedDecimal(double value, int decimals);

}  // namespace qw
