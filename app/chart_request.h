// The charting program's requests to this program: the shared block it fills and the
// result codes this program answers with.
//
// The charting program creates a 4096-byte shared memory block named "VeldaMemHandle"
// (in the user's runtime folder, see chart_link_transport.h),
// writes a request into its first bytes (little-endian) and sends one of the four
// request messages; this program reads the block, acts and answers with a code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qw {

// The name of the block's key file in the user's private runtime folder.
constexpr const char* kChartSharedBlockKey = "VeldaMemHandle";
constexpr size_t kChartSharedBlockSize = 4096;

// The request messages.
constexpr uint32_t kChartOpenLocation = 3082;   // open a tide or current window
constexpr uint32_t kChartShowRealTime = 3083;   // parameter 1 normal, 2 always on top, else toggle
constexpr uint32_t kChartAddRealTime = 3084;    // add the block's station to the real-time window
constexpr uint32_t kChartRealTimeOptions = 3085;  // bit 0 ShowChange, bit 1 clear the list first

// Result codes.
enum ChartResult : int32_t {
  kChartDone = 0,
  kChartBusy = 1,
  kChartNoSharedBlock = 6,
  kChartRealTimeDialogOpen = 10,
  kChartRealTimeListFull = 11,
  kChartInvalidDate = 12,
  kChartInvalidStation = 13,
  kChartInvalidKind = 15,
  kChartNotPredictionStation = 18,
  kChartDateOutsideData = 19,
  kChartUnknownMessage = -1,  // not one of the four messages: nothing done
};

constexpr uint16_t kChartNone16 = 65535;  // "none" in the block's 16-bit fields

// The request fields of the shared block.
struct ChartRequestBlock {
  uint16_t kindFlags = 0;          // bit 0 tide, bit 1 current
  uint16_t regionSlot = kChartNone16;
  uint16_t stationIndex = kChartNone16;
  uint16_t dayOrShow = kChartNone16;  // day of month (open) or refresh flag (real-time add)
  uint16_t month = kChartNone16;
  uint16_t year = kChartNone16;
  int32_t restoreMainWindow = 0;  // non-zero: restore and show the main window first
  bool operator==(const ChartRequestBlock&) const = default;
};

namespace chart_block_offset {
constexpr size_t kKindFlags = 0;
constexpr size_t kRegionSlot = 2;
constexpr size_t kStationIndex = 4;
constexpr size_t kDayOrShow = 6;
constexpr size_t kMonth = 8;
constexpr size_t kYear = 10;
constexpr size_t kRestore = 14;  // bytes 12-13 are unused
static_assert(kRegionSlot == kKindFlags + 2 && kStationIndex == kRegionSlot + 2);
static_assert(kDayOrShow == kStationIndex + 2 && kMonth == kDayOrShow + 2 && kYear == kMonth + 2);
static_assert(kRestore == kYear + 4 && kRestore + 4 <= kChartSharedBlockSize);
}  // namespace chart_block_offset

using ChartBlockBytes = std::array<uint8_t, kChartSharedBlockSize>;

ChartRequestBlock DecodeChartRequest(const uint8_t* block);
void EncodeChartRequest(const ChartRequestBlock& request, uint8_t* block);

}  // namespace qw
