// Numbers typed into dialog boxes. A box accepts the number the way the user's system
// locale writes it ("5,5" under German or Norwegian settings) and, as every user also
// types it, with a full stop as the decimal point; group separators are refused, so
// "1.500" is never read as fifteen hundred. The validator of a box and the reading of
// its text use the same rule, so what the box lets through is what the program reads.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace qw {

// The locale the number boxes validate with: the system locale, group separators refused.
QLocale TypedNumberLocale();

// The number of a box's text (blanks around it ignored), or nothing when the text is
// empty or not a number in either form.
std::optional<double> ReadTypedNumber(const QString& text);

}  // namespace qw
