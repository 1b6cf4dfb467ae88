// A local-socket server that answers framed requests (local_frame.h) one by one.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <functional>

#include "app/local_frame.h"

namespace qw {

class LocalFrameServer : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<uint32_t(const LocalFrame&)>;

  explicit LocalFrameServer(Handler handler, QObject* parent = nullptr);
  ~LocalFrameServer() override;

  // Listens on `name` (a full socket path). A socket file left by a crashed copy is
  // removed first, so only call this when holding the lock that makes the name ours.
  bool Listen(const QString& name, QString* error = nullptr);
  void Close();
  QString serverName() const { return server_.fullServerName(); }

 private:
  void Accept();

  Handler handler_;
  QLocalServer server_;
};

}  // namespace qw
