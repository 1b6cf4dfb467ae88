#include "app/chart_link_transport.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <QFile>
#include <QLockFile>
#include <cstring>

#include "settings/app_paths.h"

namespace qw {

QString ChartRequestSocketPath() { return RuntimePath("quaywise-chartlink.socket"); }

QString ChartSharedBlockKeyPath() { return RuntimePath(QString::fromLatin1(kChartSharedBlockKey)); }

QString ChartSharedBlockLockPath() { return RuntimePath(QString::fromLatin1(kChartSharedBlockKey) + ".lock"); }

std::string SharedBlockOwnerProblem(const QString& nativeKey) {
  // The System V key QSharedMemory derives from a native key.
  const key_t key = ftok(QFile::encodeName(nativeKey).constData(), 'Q');
  const int id = key == -1 ? -1 : shmget(key, 0, 0);
  shmid_ds info{};
  if (id < 0 || shmctl(id, IPC_STAT, &info) != 0) return "the shared block cannot be examined";
  if (info.shm_perm.uid != ::getuid() || info.shm_perm.cuid != ::getuid()) return "the shared block belongs to another user";
  if ((info.shm_perm.mode & 077) != 0) return "the shared block is open to other users";
  return std::string();
}

QtChartSharedBlock::QtChartSharedBlock() {}

bool QtChartSharedBlock::Open(std::string& warning) {
  if (memory_ && memory_->isAttached()) return true;
  const QString key = ChartSharedBlockKeyPath();
  if (key.isEmpty()) {
    warning = "Error opening mapping";
    return false;
  }
  memory_ = std::make_unique<QSharedMemory>();
  memory_->setNativeKey(key);
  if (!memory_->attach(QSharedMemory::ReadWrite)) {
    memory_.reset();
    warning = "Error opening mapping";
    return false;
  }
  if (const std::string problem = SharedBlockOwnerProblem(key); !problem.empty()) {
    memory_.reset();
    warning = "Error opening mapping: " + problem;
    return false;
  }
  if (memory_->data() == nullptr || memory_->size() < static_cast<qsizetype>(kChartSharedBlockSize)) {
    memory_.reset();
    warning = "Error mapping view";
    return false;
  }
  return true;
}

bool QtChartSharedBlock::Read(ChartBlockBytes& bytes) {
  if (!memory_ || !memory_->isAttached()) return false;
  QLockFile lock(ChartSharedBlockLockPath());
  lock.setStaleLockTime(0);  // stale only when its holder is gone
  if (!lock.tryLock(kChartBlockLockMs)) return false;
  std::memcpy(bytes.data(), memory_->constData(), bytes.size());
  return true;
}

ChartLinkServer::ChartLinkServer(ChartLinkService& service, QObject* parent)
    : QObject(parent),
      server_([&service](const LocalFrame& frame) {
        return static_cast<uint32_t>(service.Handle(frame.kind, static_cast<int32_t>(frame.first)));
      }) {}

bool ChartLinkServer::Listen(const QString& name, QString* error) { return server_.Listen(name, error); }

}  // namespace qw
