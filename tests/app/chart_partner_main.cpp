// A stand-in for the charting program, for tests only.
//
//   chart_partner                       listen for "View on chart" (as when launched
//                                       by the program); records to $QW_PARTNER_RECORD
//   chart_partner listen RECORD         the same, recording to RECORD
//   chart_partner request SOCKET MESSAGE PARAMETER kind region index day month year restore
//                                       fills the shared block, sends one request to
//                                       SOCKET and prints the result code
//
// A listening partner answers the discovery exchange, writes one line per data block
// ("<identifier> <hex bytes>") and ends after the view block, or after 20 seconds.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSharedMemory>
#include <QTimer>
#include <cstdio>

#include "app/chart_link_transport.h"
#include "app/chart_partner_link.h"
#include "app/chart_request.h"
#include "app/local_frame.h"
#include "app/local_frame_server.h"

namespace {

int Listen(QCoreApplication& app, const QString& recordPath) {
  QDir().mkpath(qw::NavigationDirectory());
  const QString socket = qw::NavigationDirectory() + "/brantwick-" + QString::number(QCoreApplication::applicationPid());
  qw::LocalFrameServer server([&](const qw::LocalFrame& frame) -> uint32_t {
    if (frame.kind == qw::kNavigationDiscoverFrame) {
      const bool ours = frame.payload == QByteArray(qw::kNavigationInterfaceName) &&
                        frame.second == qw::kNavigationQuery;
      return ours ? qw::kNavigationAnswer : 0;
    }
    if (frame.kind == qw::kNavigationCopyDataFrame) {
      QFile record(recordPath);
      if (record.open(QIODevice::Append)) {
        record.write(QByteArray::number(frame.second) + " " + frame.payload.toHex() + "\n");
      }
      if (frame.second == qw::kChartViewBlockId) QTimer::singleShot(100, &app, [&app] { app.exit(0); });
      return 1;
    }
    return 0;
  });
  if (!server.Listen(socket)) return 4;
  QTimer::singleShot(20000, &app, [&app] { app.exit(3); });
  const int code = app.exec();
  server.Close();
  QFile::remove(socket);
  return code;
}

int Request(const QStringList& a) {
  if (a.size() < 12) return 2;
  qw::ChartRequestBlock block;
  block.kindFlags = static_cast<uint16_t>(a[5].toUInt());
  block.regionSlot = static_cast<uint16_t>(a[6].toUInt());
  block.stationIndex = static_cast<uint16_t>(a[7].toUInt());
  block.dayOrShow = static_cast<uint16_t>(a[8].toUInt());
  block.month = static_cast<uint16_t>(a[9].toUInt());
  block.year = static_cast<uint16_t>(a[10].toUInt());
  block.restoreMainWindow = a[11].toInt();

  // As the charting program does it: the native key in the user's runtime folder, the
  // block written under the lock file.
  // (A QSharedMemory with a native key does not attach after a failed create: a block
  // that exists is attached through a second one.)
  QSharedMemory created, existing;
  created.setNativeKey(qw::ChartSharedBlockKeyPath());
  existing.setNativeKey(qw::ChartSharedBlockKeyPath());
  QSharedMemory* memory = created.create(static_cast<qsizetype>(qw::kChartSharedBlockSize)) ? &created
                          : existing.attach()                                                ? &existing
                                                                                             : nullptr;
  if (!memory) return 5;
  {
    QLockFile lock(qw::ChartSharedBlockLockPath());
    if (!lock.tryLock(10000)) return 6;
    qw::EncodeChartRequest(block, static_cast<uint8_t*>(memory->data()));
  }

  qw::LocalFrame frame;
  frame.kind = a[3].toUInt();
  frame.first = static_cast<uint32_t>(a[4].toInt());
  std::optional<uint32_t> answer = qw::ExchangeLocalFrame(a[2], frame, 10000);
  if (!answer) return 2;
  std::printf("%d\n", static_cast<int32_t>(*answer));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() >= 2 && args[1] == "request") return Request(args);
  if (args.size() >= 3 && args[1] == "listen") return Listen(app, args[2]);
  return Listen(app, qEnvironmentVariable("QW_PARTNER_RECORD"));
}
