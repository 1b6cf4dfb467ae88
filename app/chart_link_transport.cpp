#include "app/chart_link_transport.h"

#include <cstring>

#include "settings/app_paths.h"

namespace qw {

QString ChartRequestSocketPath() { return RuntimePath("quaywise-chartlink.socket"); }

QtChartSharedBlock::QtChartSharedBlock() : memory_(QString::fromLatin1(kChartSharedBlockKey)) {}

bool QtChartSharedBlock::Open(std::string& warning) {
  if (memory_.isAttached()) return true;
  if (!memory_.attach(QSharedMemory::ReadWrite)) {
    warning = "Error opening mapping";
    return false;
  }
  if (memory_.data() == nullptr || memory_.size() < static_cast<qsizetype>(kChartSharedBlockSize)) {
    memory_.detach();
    warning = "Error mapping view";
    return false;
  }
  return true;
}

bool QtChartSharedBlock::Read(ChartBlockBytes& bytes) {
  if (!memory_.isAttached()) return false;
  memory_.lock();
  std::memcpy(bytes.data(), memory_.constData(), bytes.size());
  memory_.unlock();
  return true;
}

ChartLinkServer::ChartLinkServer(ChartLinkService& service, QObject* parent)
    : QObject(parent),
      server_([&service](const LocalFrame& frame) {
        return static_cast<uint32_t>(service.Handle(frame.kind, static_cast<int32_t>(frame.first)));
      }) {}

bool ChartLinkServer::Listen(const QString& name, QString* error) { return server_.Listen(name, error); }

}  // namespace qw
