#include "app/chart_request.h"

#include "engine/byte_order.h"

namespace qw {

ChartRequestBlock DecodeChartRequest(const uint8_t* block) {
  namespace o = chart_block_offset;
  ChartRequestBlock r;
  r.kindFlags = ReadU16(block + o::kKindFlags);
  r.regionSlot = ReadU16(block + o::kRegionSlot);
  r.stationIndex = ReadU16(block + o::kStationIndex);
  r.dayOrShow = ReadU16(block + o::kDayOrShow);
  r.month = ReadU16(block + o::kMonth);
  r.year = ReadU16(block + o::kYear);
  r.restoreMainWindow = ReadI32(block + o::kRestore);
  return r;
}

void EncodeChartRequest(const ChartRequestBlock& r, uint8_t* block) {
  namespace o = chart_block_offset;
  WriteU16(block + o::kKindFlags, r.kindFlags);
  WriteU16(block + o::kRegionSlot, r.regionSlot);
  WriteU16(block + o::kStationIndex, r.stationIndex);
  WriteU16(block + o::kDayOrShow, r.dayOrShow);
  WriteU16(block + o::kMonth, r.month);
  WriteU16(block + o::kYear, r.year);
  WriteI32(block + o::kRestore, r.restoreMainWindow);
}

}  // namespace qw
