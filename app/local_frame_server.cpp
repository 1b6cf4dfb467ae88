#include "app/local_frame_server.h"

#include <QLocalSocket>
#include <QPointer>

namespace qw {

LocalFrameServer::LocalFrameServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
  connect(&server_, &QLocalServer::newConnection, this, &LocalFrameServer::Accept);
}

LocalFrameServer::~LocalFrameServer() { Close(); }

bool LocalFrameServer::Listen(const QString& name, QString* error) {
  QLocalServer::removeServer(name);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (server_.listen(name)) return true;
  if (error) *error = server_.errorString();
  return false;
}

void LocalFrameServer::Close() {
  if (server_.isListening()) server_.close();
}

void LocalFrameServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
      QPointer<QLocalSocket> guard(socket);
      buffer->append(socket->readAll());
      for (;;) {
        bool bad = false;
        std::optional<LocalFrame> frame = TakeLocalFrame(*buffer, bad);
        if (bad) {
          socket->abort();
          return;
        }
        if (!frame) return;
        // The handler may run a nested event loop (a message box); the peer may be
        // gone when it returns.
        const uint32_t answer = handler_(*frame);
        if (!guard) return;
        socket->write(EncodeAnswer(answer));
        socket->flush();
      }
    });
  }
}

}  // namespace qw
