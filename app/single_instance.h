// Makes sure only one copy of the program runs for a user.
//
// The first copy takes a lock file and listens on a local socket, both in the user's
// runtime folder. A later start finds the lock taken, hands its command line to the
// first copy over the socket and ends; the first copy brings its main window to the
// front. A lock left by a copy that crashed is recognised as stale (its process is
// gone) and taken over, and the socket file it left is removed before listening.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "app/local_frame_server.h"

namespace qw {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Role {
    First,   // this is the running copy: it listens for later starts
    Handed,  // another copy runs and has received this command line
    Failed,  // another copy holds the lock but does not answer
  };

  // `baseName` names the lock file and the socket (e.g. "quaywise").
  explicit SingleInstance(const QString& baseName, QObject* parent = nullptr);
  ~SingleInstance() override;

  // Takes the lock and listens, or hands `arguments` to the copy holding the lock. While
  // that copy does not answer the lock is tried again, so a start while the first copy
  // shuts down becomes the first copy instead of failing.
  Role Start(const QStringList& arguments);
  // Connects the handler of later starts and delivers those that arrived before it was
  // connected (the first copy listens from Start on, before its window exists).
  void ConnectActivation(QObject* context, std::function<void(const QStringList&)> handler);
  // Why Start failed, for the user.
  const QString& problem() const { return problem_; }

  QString lockPath() const;
  QString socketPath() const;

 signals:
  // A later start handed over its command line (see ConnectActivation).
  void activationRequested(const QStringList& arguments);

 private:
  // Takes the lock and listens; false when another copy holds it.
  bool TakeLock();
  void Activate(const QStringList& arguments);

  QString baseName_;
  std::vector<QStringList> pending_;  // starts handed over before a handler was connected
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<LocalFrameServer> server_;
  QString problem_;
};

}  // namespace qw
