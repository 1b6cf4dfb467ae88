// The delimiter list of the export and the table save, and the escape notation their
// values are kept in.
//
// Positions: 0 "(cr/lf)", 1 "(cr)", 2 "(lf)", 3 "(tab)", 4 "(comma)", 5 "(space)", 6..15
// the single characters ~ # ^ * | / { } [ ], 16 "(none)".
#pragma once

#include <string>
#include <string_view>

namespace qw {

constexpr int kDelimiterCount = 17;
constexpr int kDelimiterCrLf = 0;
constexpr int kDelimiterTab = 3;
constexpr int kDelimiterComma = 4;
constexpr int kDelimiterNone = 16;

// The list text ("(tab)", "~"); "" outside the list.
const char* DelimiterName(int position);
// The value in escape notation ("\x0D\x0A", "\x09", ","); "" outside the list.
const char* DelimiterEscaped(int position);
// The value as bytes.
std::string DelimiterText(int position);

// Escape notation to bytes: a backslash followed by n t v b r f a gives line feed, tab,
// vertical tab, backspace, carriage return, form feed, bell; by \ ? ' " that character;
// by d or D and up to three decimal digits the character of that code; by x or X the
// character of the next two characters read as hexadecimal digits (anything else in
// them counts as 0). A backslash before any other character is dropped. The text ends
// at a character of code 0, as the delimiter buffers it fills always did.
std::string ConvertEscapes(std::string_view text);

}  // namespace qw
