// How the charting program's requests reach this program on Linux: the request
// message and its parameter arrive as a frame (local_frame.h) on the socket
// ChartRequestSocketPath(), the answer is the result code; the request's details are
// in the shared memory block the charting program created.
//
// The block belongs to the user: its QSharedMemory native key is the file
// ChartSharedBlockKeyPath(), "VeldaMemHandle" in the user's private runtime folder (the
// System V key is ftok(that file, 'Q'), as QSharedMemory makes it), so each user's link
// has its own block. Both sides hold the QLockFile ChartSharedBlockLockPath() while they
// write or read the block (QSharedMemory has no lock for native keys); this program
// waits at most kChartBlockLockMs for it. A block not created by this user, or open to
// others, is refused.
#pragma once

#include <QSharedMemory>
#include <memory>
#include <string>

#include "app/chart_link_service.h"
#include "app/local_frame_server.h"

namespace qw {

// The socket the charting program sends its requests to.
QString ChartRequestSocketPath();
// The shared block's native key file and its lock file; empty without a private folder.
QString ChartSharedBlockKeyPath();
QString ChartSharedBlockLockPath();
// The longest wait for the block's lock: a partner that holds it longer is busy, and the
// user interface must not freeze on it.
constexpr int kChartBlockLockMs = 250;

// Why the attached segment with this native key is not the user's own (created and
// owned by this user, no access for others), or an empty string when it is.
std::string SharedBlockOwnerProblem(const QString& nativeKey);

// The shared block through QSharedMemory, attached read-write on first use.
class QtChartSharedBlock : public ChartSharedBlock {
 public:
  QtChartSharedBlock();
  bool Open(std::string& warning) override;
  bool Read(ChartBlockBytes& bytes) override;

 private:
  // Made anew for each attempt to attach: a QSharedMemory with a native key does not
  // attach again after a failed call.
  std::unique_ptr<QSharedMemory> memory_;
};

// Listens for the charting program's requests and serves them with `service`.
class ChartLinkServer : public QObject {
  Q_OBJECT

 public:
  explicit ChartLinkServer(ChartLinkService& service, QObject* parent = nullptr);
  bool Listen(const QString& name, QString* error = nullptr);

 private:
  LocalFrameServer server_;
};

}  // namespace qw
