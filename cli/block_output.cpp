#include "cli/block_output.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace qw::cli {
namespace {

// Two digits of 0..99 at `out`.
char* TwoDigits(char* out, unsigned value) {
  out[0] = static_cast<char>('0' + value / 10 % 10);
  out[1] = static_cast<char>('0' + value % 10);
  return out + 2;
}

}  // namespace

BlockOutput::BlockOutput(std::FILE* out, std::string* text)
    : out_(text ? nullptr : out), text_(text), block_(new char[kBlockBytes]) {}

BlockOutput::~BlockOutput() { Drain(); }

void BlockOutput::Drain() {
  if (used_ == 0) return;
  if (out_) {
    std::fwrite(block_.get(), 1, used_, out_);
  } else if (text_) {
    text_->append(block_.get(), used_);
  }
  used_ = 0;
}

void BlockOutput::AppendLong(std::string_view text) {
  while (!text.empty()) {
    if (used_ == kBlockBytes) Drain();
    const size_t n = std::min(text.size(), kBlockBytes - used_);
    std::memcpy(block_.get() + used_, text.data(), n);
    used_ += n;
    text.remove_prefix(n);
  }
}

void BlockOutput::PadRight(std::string_view text, size_t width) {
  Append(text);
  for (size_t n = text.size(); n < width; ++n) Put(' ');
}

void BlockOutput::PadLeft(std::string_view text, size_t width) {
  for (size_t n = text.size(); n < width; ++n) Put(' ');
  Append(text);
}

ShortText FixedText(double value, int decimals) {
  ShortText text;
  // to_chars with a precision rounds the exact binary value as printf does.
  const auto result = std::to_chars(text.chars, text.chars + sizeof text.chars, value, std::chars_format::fixed,
                                    decimals);
  text.size = static_cast<uint8_t>(result.ptr - text.chars);
  if (text.size > 0 && text.chars[0] == '-' &&
      std::all_of(text.chars + 1, text.chars + text.size, [](char c) { return c == '0' || c == '.'; })) {
    std::memmove(text.chars, text.chars + 1, --text.size);
  }
  return text;
}

ShortText MillionthsText(int32_t millionths) {
  const int64_t magnitude = millionths < 0 ? -int64_t{millionths} : int64_t{millionths};
  const int64_t rest = magnitude % 1000;
  // Away from a tie the double lies within a few units in the last place of the exact
  // value, far from the rounding boundary, so both round alike. On a tie (x.xxx5) the
  // result depends on which side the double fell: printf's own rounding decides.
  if (rest == 500) return FixedText(millionths / 1e6, 3);
  const int64_t thousandths = magnitude / 1000 + (rest > 500 ? 1 : 0);
  ShortText text;
  char* p = text.chars;
  if (millionths < 0 && thousandths != 0) *p++ = '-';
  p = std::to_chars(p, text.chars + sizeof text.chars, thousandths / 1000).ptr;
  *p++ = '.';
  const int fraction = static_cast<int>(thousandths % 1000);
  *p++ = static_cast<char>('0' + fraction / 100);
  p = TwoDigits(p, static_cast<unsigned>(fraction % 100));
  text.size = static_cast<uint8_t>(p - text.chars);
  return text;
}

ShortText IsoDateText(const DateRecord& date) {
  ShortText text;
  char* p = text.chars;
  p = TwoDigits(p, date.year / 100);
  p = TwoDigits(p, date.year % 100);
  *p++ = '-';
  p = TwoDigits(p, date.month);
  *p++ = '-';
  p = TwoDigits(p, date.day);
  text.size = static_cast<uint8_t>(p - text.chars);
  return text;
}

ShortText ClockText(const DateRecord& date) {
  ShortText text;
  char* p = TwoDigits(text.chars, date.hour);
  *p++ = ':';
  p = TwoDigits(p, date.minute);
  text.size = static_cast<uint8_t>(p - text.chars);
  return text;
}

ShortText OffsetText(int32_t utcOffsetMinutes) {
  ShortText text;
  const unsigned magnitude = static_cast<unsigned>(std::abs(utcOffsetMinutes));
  char* p = text.chars;
  *p++ = utcOffsetMinutes < 0 ? '-' : '+';
  // Hours past 99 do not occur in a UTC offset; they are written whole all the same.
  const auto hours = std::to_chars(p, p + 8, magnitude / 60);
  if (hours.ptr - p == 1) {
    p[1] = p[0];
    p[0] = '0';
    p += 2;
  } else {
    p = hours.ptr;
  }
  *p++ = ':';
  p = TwoDigits(p, magnitude % 60);
  text.size = static_cast<uint8_t>(p - text.chars);
  return text;
}

void RowTimeTexts::Set(const ClockReading& at) {
  date_ = &dates_.At(at.shown);
  if (date_->year != year_ || date_->dayOfYear != dayOfYear_) {
    day_ = IsoDateText(*date_);
    year_ = date_->year;
    dayOfYear_ = date_->dayOfYear;
  }
  clock_ = ClockText(*date_);
  if (!offsetSet_ || at.utcOffsetMinutes != offsetMinutes_) {
    offset_ = OffsetText(at.utcOffsetMinutes);
    offsetMinutes_ = at.utcOffsetMinutes;
    offsetSet_ = true;
  }
}

ShortText IsoDateTimeText(const ClockReading& at) {
  DateRecord date;
  MinuteToDate(at.shown, date);
  const ShortText day = IsoDateText(date), clock = ClockText(date), offset = OffsetText(at.utcOffsetMinutes);
  ShortText text;
  char* p = text.chars;
  p = std::copy(day.chars, day.chars + day.size, p);
  *p++ = 'T';
  p = std::copy(clock.chars, clock.chars + clock.size, p);
  p = std::copy_n(":00", 3, p);
  p = std::copy(offset.chars, offset.chars + offset.size, p);
  text.size = static_cast<uint8_t>(p - text.chars);
  return text;
}

void AppendEventStart(BlockOutput& out, const DateRecord& date, const ShortText& day, const ShortText& clock,
                      const ShortText& offset, std::string_view event) {
  static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  out.Append(kWeekdays[date.weekday % 7]);
  out.Put(' ');
  out.Append(day.view());
  out.Put(' ');
  out.Append(clock.view());
  out.Put(' ');
  out.Append(offset.view());
  out.Append("  ");
  out.PadRight(event, 1);
  out.Put(' ');
}

}  // namespace qw::cli
