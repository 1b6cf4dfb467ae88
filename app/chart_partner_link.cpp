#include "app/chart_partner_link.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include "engine/byte_order.h"
#include "settings/app_paths.h"

namespace qw {
namespace {

constexpr int kExchangeMs = 500;

bool SendBlock(const QString& partner, uint32_t senderId, uint32_t identifier, const QByteArray& block) {
  LocalFrame frame;
  frame.kind = kNavigationCopyDataFrame;
  frame.first = senderId;
  frame.second = identifier;
  frame.payload = block;
  std::optional<uint32_t> answer = ExchangeLocalFrame(partner, frame, kExchangeMs);
  return answer && *answer != 0;
}

}  // namespace

QByteArray ChartPositionBlock(double latitude, double longitude) {
  QByteArray block(kChartPositionBlockSize, '\0');
  auto* p = reinterpret_cast<uint8_t*>(block.data());
  WriteF64(p + kChartLatitudeOffset, latitude);
  WriteF64(p + kChartLongitudeOffset, longitude);
  return block;
}

QByteArray ChartViewBlock(StationKind kind) {
  QByteArray block(kChartViewBlockSize, '\0');
  auto* p = reinterpret_cast<uint8_t*>(block.data());
  WriteI32(p, 200);
  WriteI32(p + 4, 0);
  WriteI32(p + 8, kind == StationKind::Tide ? 105 : 106);
  return block;
}

QString NavigationDirectory() { return RuntimePath("navigation-copydata"); }

std::optional<QString> FindChartPartner(uint32_t senderId) {
  // No private folder: never look for partners anywhere else (QDir("") is the current one).
  const QString folder = NavigationDirectory();
  if (folder.isEmpty()) return std::nullopt;
  QDir directory(folder);
  if (!directory.exists()) return std::nullopt;
  LocalFrame query;
  query.kind = kNavigationDiscoverFrame;
  query.first = senderId;
  query.second = kNavigationQuery;
  query.payload = QByteArray(kNavigationInterfaceName);
  const QStringList entries = directory.entryList(QDir::System | QDir::Files, QDir::Name);
  for (const QString& entry : entries) {
    const QString path = directory.filePath(entry);
    std::optional<uint32_t> answer = ExchangeLocalFrame(path, query, kExchangeMs);
    if (answer && *answer == kNavigationAnswer) return path;
  }
  return std::nullopt;
}

ViewOnChartResult ViewOnChart(const ViewOnChartRequest& request, int startWaitMs) {
  std::optional<QString> partner = FindChartPartner(request.senderId);
  if (!partner) {
    if (request.chartProgram.isEmpty() || !QProcess::startDetached(request.chartProgram, {})) {
      return ViewOnChartResult::LaunchFailed;
    }
    QElapsedTimer clock;
    clock.start();
    // Give it a moment to start before the first look.
    do {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
      QThread::msleep(100);
      partner = FindChartPartner(request.senderId);
    } while (!partner && clock.elapsed() < startWaitMs);
    if (!partner) return ViewOnChartResult::NoPartner;
  }
  if (!SendBlock(*partner, request.senderId, kChartPositionBlockId,
                 ChartPositionBlock(request.latitude, request.longitude)) ||
      !SendBlock(*partner, request.senderId, kChartViewBlockId, ChartViewBlock(request.kind))) {
    return ViewOnChartResult::NoPartner;
  }
  return ViewOnChartResult::Sent;
}

}  // namespace qw
