#include "app/single_instance.h"

#include <QElapsedTimer>
#include <QMetaMethod>
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

bool SingleInstance::TakeLock() {
  lock_ = std::make_unique<QLockFile>(lockPath());
  // Stale only when the holder's process is gone, never by age.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    lock_.reset();
    return false;
  }
  server_ = std::make_unique<LocalFrameServer>([this](const LocalFrame& frame) -> uint32_t {
    if (frame.kind != kActivateFrame) return 0;
    Activate(QString::fromUtf8(frame.payload).split('\n', Qt::SkipEmptyParts));
    return kActivated;
  });
  QString error;
  if (!server_->Listen(socketPath(), &error)) {
    // Still the only copy; later starts will fail to hand over and say so.
    problem_ = error;
  }
  return true;
}

void SingleInstance::Activate(const QStringList& arguments) {
  // A start accepted before the program could act on it (during a warning box at start,
  // say) is kept and delivered when the handler is set, not lost.
  if (isSignalConnected(QMetaMethod::fromSignal(&SingleInstance::activationRequested))) {
    emit activationRequested(arguments);
  } else {
    pending_.push_back(arguments);
  }
}

void SingleInstance::ConnectActivation(QObject* context, std::function<void(const QStringList&)> handler) {
  connect(this, &SingleInstance::activationRequested, context, std::move(handler));
  std::vector<QStringList> pending;
  pending.swap(pending_);
  for (const QStringList& arguments : pending) emit activationRequested(arguments);
}

SingleInstance::Role SingleInstance::Start(const QStringList& arguments) {
  if (TakeLock()) return Role::First;

  LocalFrame frame;
  frame.kind = kActivateFrame;
  frame.payload = arguments.join('\n').toUtf8();
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kHandOverMs) {
    std::optional<uint32_t> answer = ExchangeLocalFrame(socketPath(), frame, 1000);
    if (answer && *answer == kActivated) return Role::Handed;
    // The copy holding the lock may be shutting down: once it has let go, this start is
    // the first.
    if (TakeLock()) return Role::First;
    QThread::msleep(100);
  }
  problem_ = "Another copy of Quaywise is running but does not answer.";
  return Role::Failed;
}

}  // namespace qw
