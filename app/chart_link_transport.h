// How the charting program's requests reach this program on Linux: the request
// message and its parameter arrive as a frame (local_frame.h) on the socket
// ChartRequestSocketPath(), the answer is the result code; the request's details are
// in the shared memory block keyed "VeldaMemHandle" that the charting program created.
#pragma once

#include <QSharedMemory>
#include <memory>

#include "app/chart_link_service.h"
#include "app/local_frame_server.h"

namespace qw {

// The socket the charting program sends its requests to.
QString ChartRequestSocketPath();

// The shared block through QSharedMemory, attached read-write on first use.
class QtChartSharedBlock : public ChartSharedBlock {
 public:
  QtChartSharedBlock();
  bool Open(std::string& warning) override;
  bool Read(ChartBlockBytes& bytes) override;

 private:
  QSharedMemory memory_;
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
