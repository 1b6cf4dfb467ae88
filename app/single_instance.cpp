#include "app/single_instance.h"

#include <QElapsedTimer>
#include <QThread>

#include "settings/app_paths.h"

namespace qw {
namespace {

constexpr uint32_t kActivateFrame = 0x51574131;  // "QWA1"
constexpr uint32_t kActivated = 1;
// A first copy that is still starting may not listen yet: a later start keeps trying
// this long before giving up.
constexpr int kHandOverMs = 5000;

}  // namespace

SingleInstance::SingleInstance(const QString& baseName, QObject* parent)
    : QObject(parent), baseName_(baseName) {}

SingleInstance::~SingleInstance() {
  server_.reset();
  if (lock_) lock_->unlock();
}

QString SingleInstance::lockPath() const { return RuntimePath(baseName_ + ".lock"); }
QString SingleInstance::socketPath() const { return RuntimePath(baseName_ + ".socket"); }

SingleInstance::Role SingleInstance::Start(const QStringList& arguments) {
  lock_ = std::make_unique<QLockFile>(lockPath());
  // Stale only when the holder's process is gone, never by age.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) {
    server_ = std::make_unique<LocalFrameServer>([this](const LocalFrame& frame) -> uint32_t {
      if (frame.kind != kActivateFrame) return 0;
      QStringList handed = QString::fromUtf8(frame.payload).split('\n', Qt::SkipEmptyParts);
      emit activationRequested(handed);
      return kActivated;
    });
    QString error;
    if (!server_->Listen(socketPath(), &error)) {
      // Still the only copy; later starts will fail to hand over and say so.
      problem_ = error;
    }
    return Role::First;
  }
  lock_.reset();

  LocalFrame frame;
  frame.kind = kActivateFrame;
  frame.payload = arguments.join('\n').toUtf8();
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kHandOverMs) {
    std::optional<uint32_t> answer = ExchangeLocalFrame(socketPath(), frame, 1000);
    if (answer && *answer == kActivated) return Role::Handed;
    QThread::msleep(100);
  }
  problem_ = "Another copy of Quaywise is running but does not answer.";
  return Role::Failed;
}

}  // namespace qw
