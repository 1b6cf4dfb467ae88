// The block output and the allocation-free row texts of quaywise-cli: the texts must be
// byte for byte what printf wrote before (scripts compare them), and nothing may be lost
// or reordered where a row crosses from one block into the next.
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/block_output.h"
#include "engine/calendar.h"
#include "engine/station_clock.h"

namespace qw::cli {
namespace {

std::string PrintfFixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  if (out == "-0.000" || out == "-0.0") out.erase(0, 1);
  return out;
}

TEST(BlockOutputTest, FixedTextsArePrintfsTextsWithoutANegativeZero) {
  // Heights and speeds in millionths, converted as the commands convert them; halfway
  // cases and values that round to zero from below among them.
  std::mt19937 random(20260101);
  std::uniform_int_distribution<int32_t> raw(-60000000, 60000000);
  for (int32_t micro : {0, -1, -499, -500, -501, 500, 1500, 2500, -2500, 125, -49999, 123456789}) {
    const double feet = micro / 1e6;
    EXPECT_EQ(FixedText(feet, 3).view(), PrintfFixed(feet, 3)) << micro;
    EXPECT_EQ(FixedText(feet * 0.3048, 3).view(), PrintfFixed(feet * 0.3048, 3)) << micro;
    EXPECT_EQ(FixedText(feet * 30.48, 1).view(), PrintfFixed(feet * 30.48, 1)) << micro;
  }
  for (int32_t micro : {0, -1, -500, 500, -1500, 1500, 2500, -2500, 999500, -999500, 1000, -1000, 2147483647,
                        -2147483647}) {
    EXPECT_EQ(MillionthsText(micro).view(), PrintfFixed(micro / 1e6, 3)) << micro;
  }
  for (int i = 0; i < 200000; ++i) {
    const int32_t micro = raw(random);
    ASSERT_EQ(MillionthsText(micro).view(), PrintfFixed(micro / 1e6, 3)) << micro;
    // Ties, where the double's side of the boundary decides.
    ASSERT_EQ(MillionthsText(micro / 1000 * 1000 + 500).view(), PrintfFixed((micro / 1000 * 1000 + 500) / 1e6, 3));
    const double feet = micro / 1e6;
    ASSERT_EQ(FixedText(feet, 3).view(), PrintfFixed(feet, 3)) << feet;
    ASSERT_EQ(FixedText(feet * 30.48, 1).view(), PrintfFixed(feet * 30.48, 1)) << feet;
    ASSERT_EQ(FixedText(feet * 1852.0 / 3600.0, 3).view(), PrintfFixed(feet * 1852.0 / 3600.0, 3)) << feet;
  }
}

TEST(BlockOutputTest, DateClockAndOffsetTextsAreTheIsoForms) {
  DateRecord date;
  MinuteToDate(MinuteOf(1901, 1, 1) + 9 * 60 + 5, date);
  EXPECT_EQ(IsoDateText(date).view(), "1901-01-01");
  EXPECT_EQ(ClockText(date).view(), "09:05");
  MinuteToDate(MinuteOf(2099, 12, 31) + 23 * 60 + 59, date);
  EXPECT_EQ(IsoDateText(date).view(), "2099-12-31");
  EXPECT_EQ(ClockText(date).view(), "23:59");
  // Half-hour zones west of UTC by less than an hour keep their minus sign.
  for (int32_t offset : {0, -30, 30, -210, 345, -720, 840, 60 * 100}) {
    EXPECT_EQ(OffsetText(offset).view(), FormatUtcOffset(offset)) << offset;
  }
  const ClockReading at{0, MinuteOf(2026, 3, 8) + 3 * 60 + 1, -7 * 60};
  EXPECT_EQ(IsoDateTimeText(at).view(), "2026-03-08T03:01:00-07:00");

  // The texts kept from row to row are the ones worked out afresh, in time order across a
  // clock change and a New Year and in jumps back and forth.
  RowTimeTexts times;
  std::vector<ClockReading> readings;
  for (EngineMinute m = MinuteOf(2026, 12, 31) + 22 * 60; m < MinuteOf(2027, 1, 1) + 120; m += 7) {
    readings.push_back({0, m, m < MinuteOf(2027, 1, 1) + 30 ? 60 : 120});
  }
  readings.push_back({0, MinuteOf(2026, 3, 8) + 59, -8 * 60});
  readings.push_back({0, MinuteOf(2027, 1, 1), 60});
  for (const ClockReading& r : readings) {
    times.Set(r);
    DateRecord fresh;
    MinuteToDate(r.shown, fresh);
    ASSERT_EQ(times.day().view(), IsoDateText(fresh).view()) << r.shown;
    ASSERT_EQ(times.clock().view(), ClockText(fresh).view()) << r.shown;
    ASSERT_EQ(times.offset().view(), OffsetText(r.utcOffsetMinutes).view()) << r.shown;
    ASSERT_EQ(times.date().weekday, fresh.weekday) << r.shown;
  }
}

TEST(BlockOutputTest, PiecesCrossingBlockBoundariesArriveWholeAndInOrder) {
  std::string written, expected;
  {
    BlockOutput out(nullptr, &written);
    const std::string longPiece(BlockOutput::kBlockBytes / 3 + 7, 'x');
    for (int i = 0; expected.size() < 3 * BlockOutput::kBlockBytes; ++i) {
      const std::string piece = i % 97 == 0 ? longPiece : std::to_string(i) + ",";
      if (i % 5 == 0) {  // a whole row written into the block's room
        char* p = out.Room(piece.size());
        ASSERT_NE(p, nullptr);
        out.Commit(std::copy(piece.begin(), piece.end(), p));
      } else {
        out.Append(piece);
      }
      out.PadLeft("7", 3);
      out.Put('\n');
      expected += piece + "  7\n";
    }
  }  // the destructor writes the last block
  EXPECT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected);
  BlockOutput out(nullptr, &written);
  EXPECT_EQ(out.Room(BlockOutput::kBlockBytes + 1), nullptr);  // never fits: the caller appends instead
}

}  // namespace
}  // namespace qw::cli
