// Output written in large blocks. A command formats its rows into one buffer that goes to
// the stream only when it is full, so a year of minute rows costs a few dozen writes
// instead of half a million formatted prints, and no row allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "engine/calendar.h"
#include "engine/station_clock.h"

namespace qw::cli {

class BlockOutput {
 public:
  // RapidJSON's output stream concept: the JSON writer puts its characters here.
  using Ch = char;

  static constexpr size_t kBlockBytes = 256 * 1024;

  // Writes to `out`, or appends to `text` when that is given.
  explicit BlockOutput(std::FILE* out, std::string* text = nullptr);
  ~BlockOutput();  // writes what is left
  BlockOutput(const BlockOutput&) = delete;
  BlockOutput& operator=(const BlockOutput&) = delete;

  void Put(char c) {
    if (used_ == kBlockBytes) Drain();
    block_[used_++] = c;
  }
  void Append(std::string_view text) {
    if (text.empty()) return;  // an empty view may hold no pointer, which memcpy must not get
    if (text.size() <= kBlockBytes - used_) {
      std::memcpy(block_.get() + used_, text.data(), text.size());
      used_ += text.size();
      return;
    }
    AppendLong(text);
  }
  // Room for `bytes` characters written straight into the block (a whole row at once), or
  // nullptr when that many never fit in one block; Commit(end) then takes what was written.
  char* Room(size_t bytes) {
    if (bytes > kBlockBytes) return nullptr;
    if (kBlockBytes - used_ < bytes) Drain();
    return block_.get() + used_;
  }
  void Commit(const char* end) { used_ = static_cast<size_t>(end - block_.get()); }
  // `text` then blanks up to `width` characters (printf "%-Ns"); width counts bytes.
  void PadRight(std::string_view text, size_t width);
  // Blanks up to `width` characters, then `text` (printf "%Ns").
  void PadLeft(std::string_view text, size_t width);
  // Writes the block to the stream (the JSON writer calls it at the end of a document).
  void Flush() { Drain(); }

 private:
  void Drain();
  void AppendLong(std::string_view text);

  std::FILE* out_ = nullptr;
  std::string* text_ = nullptr;
  std::unique_ptr<char[]> block_;
  size_t used_ = 0;
};

// Fixed-size texts of the row formatters: every one fits, with room to spare.
struct ShortText {
  char chars[40];
  uint8_t size = 0;
  std::string_view view() const { return {chars, size}; }
  bool empty() const { return size == 0; }
};

// `value` with `decimals` decimals, exactly as printf("%.Nf") writes it, but without a
// minus sign on a value that rounds to zero.
ShortText FixedText(double value, int decimals);

// `millionths` / 1e6 with three decimals, exactly as FixedText(millionths / 1e6, 3)
// writes it, from integer arithmetic where the result does not hang on how the double
// lies against a tie.
ShortText MillionthsText(int32_t millionths);

// "2026-07-01", "06:44" and "+02:00" (as IsoDate, ClockTime and FormatUtcOffset write them).
ShortText IsoDateText(const DateRecord& date);
ShortText ClockText(const DateRecord& date);
ShortText OffsetText(int32_t utcOffsetMinutes);
// "2026-07-01T06:44:00+02:00": the reading's shown time with its offset, ISO 8601.
ShortText IsoDateTimeText(const ClockReading& at);

// The date, clock and offset texts of rows that come in time order (a table of minutes):
// the date is worked out once a day and the offset's text once per offset; the clock comes
// from the minute of the day. The texts are those of MinuteToDate, IsoDateText, ClockText
// and OffsetText for any reading, in any order.
class RowTimeTexts {
 public:
  void Set(const ClockReading& at);
  const DateRecord& date() const { return *date_; }
  const ShortText& day() const { return day_; }
  const ShortText& clock() const { return clock_; }
  const ShortText& offset() const { return offset_; }

 private:
  MinuteDates dates_;
  const DateRecord* date_ = nullptr;
  uint16_t year_ = 0, dayOfYear_ = 0;  // the date day_ holds
  int32_t offsetMinutes_ = 0;
  bool offsetSet_ = false;
  ShortText day_, clock_, offset_;
};

// The start of an event row of the text tables: "Wed 2026-07-01 06:44 -07:00  H " (weekday,
// date, time, offset and the event's letter).
void AppendEventStart(BlockOutput& out, const DateRecord& date, const ShortText& day, const ShortText& clock,
                      const ShortText& offset, std::string_view event);

}  // namespace qw::cli
