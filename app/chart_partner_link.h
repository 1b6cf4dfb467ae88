// "View on chart": hands a station's position to the charting program.
//
// Programs that accept navigation data listen on a local socket in the folder
// NavigationDirectory(). Finding the partner is the discovery exchange: each socket
// there is sent the registered request "I Support A Navigation CopyData Interface"
// with this program's id and the value 0x35476124; the first that answers 0x93749667
// is the partner. The partner is then sent two data blocks: the position (identifier
// 36) and the view (identifier 42).
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/local_frame.h"
#include "settings/station_directory.h"

namespace qw {

constexpr const char* kNavigationInterfaceName = "I Support A Navigation CopyData Interface";
constexpr uint32_t kNavigationQuery = 0x35476124;
constexpr uint32_t kNavigationAnswer = 0x93749667;

// Frame kinds of the exchange.
constexpr uint32_t kNavigationDiscoverFrame = 1;  // payload: the interface name
constexpr uint32_t kNavigationCopyDataFrame = 2;  // second: the block identifier; payload: the block

constexpr uint32_t kChartPositionBlockId = 36;
constexpr size_t kChartPositionBlockSize = 55;
constexpr size_t kChartLatitudeOffset = 35;   // IEEE 754 double, little-endian
constexpr size_t kChartLongitudeOffset = 43;
constexpr uint32_t kChartViewBlockId = 42;
constexpr size_t kChartViewBlockSize = 12;
static_assert(kChartLongitudeOffset == kChartLatitudeOffset + 8);
static_assert(kChartLongitudeOffset + 8 <= kChartPositionBlockSize);

// Degrees, negative south and west.
QByteArray ChartPositionBlock(double latitude, double longitude);
// Three 32-bit integers: 200, 0, and 105 for a tide window or 106 for a current window.
QByteArray ChartViewBlock(StationKind kind);

// The folder of the partners' sockets, private to the user ($XDG_RUNTIME_DIR, or a
// per-user folder in the temporary folder).
QString NavigationDirectory();

enum class ViewOnChartResult {
  Sent,
  LaunchFailed,   // "Unable to launch Brantwick charting application"
  NoPartner,      // "Unable to communicate with Brantwick charting application"
};

struct ViewOnChartRequest {
  double latitude = 0, longitude = 0;
  StationKind kind = StationKind::Tide;
  QString chartProgram;  // the charting program's executable; empty when not installed
  uint32_t senderId = 0;  // this program's id (its process id)
};

// The socket of the first program that answers the discovery exchange.
std::optional<QString> FindChartPartner(uint32_t senderId);

// Runs the whole exchange: find the partner; if there is none, start the charting
// program once and look again while it starts (up to `startWaitMs`, letting the
// program's events run); then send the two blocks.
ViewOnChartResult ViewOnChart(const ViewOnChartRequest& request, int startWaitMs = 3000);

}  // namespace qw
