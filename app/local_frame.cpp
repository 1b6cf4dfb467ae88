#include "app/local_frame.h"

#include <QElapsedTimer>

#include "engine/byte_order.h"

namespace qw {

QByteArray EncodeLocalFrame(const LocalFrame& frame) {
  QByteArray bytes(kLocalFrameHeaderBytes, '\0');
  auto* p = reinterpret_cast<uint8_t*>(bytes.data());
  WriteU32(p, frame.kind);
  WriteU32(p + 4, frame.first);
  WriteU32(p + 8, frame.second);
  WriteU32(p + 12, static_cast<uint32_t>(frame.payload.size()));
  bytes.append(frame.payload);
  return bytes;
}

std::optional<LocalFrame> TakeLocalFrame(QByteArray& buffer, bool& bad) {
  bad = false;
  if (buffer.size() < kLocalFrameHeaderBytes) return std::nullopt;
  const auto* p = reinterpret_cast<const uint8_t*>(buffer.constData());
  const uint32_t length = ReadU32(p + 12);
  if (length > kLocalFrameMaxPayload) {
    bad = true;
    return std::nullopt;
  }
  if (buffer.size() < kLocalFrameHeaderBytes + static_cast<qsizetype>(length)) return std::nullopt;
  LocalFrame frame;
  frame.kind = ReadU32(p);
  frame.first = ReadU32(p + 4);
  frame.second = ReadU32(p + 8);
  frame.payload = buffer.mid(kLocalFrameHeaderBytes, length);
  buffer.remove(0, kLocalFrameHeaderBytes + length);
  return frame;
}

QByteArray EncodeAnswer(uint32_t answer) {
  QByteArray bytes(4, '\0');
  WriteU32(reinterpret_cast<uint8_t*>(bytes.data()), answer);
  return bytes;
}

uint32_t DecodeAnswer(const QByteArray& bytes) {
  return bytes.size() < 4 ? 0 : ReadU32(reinterpret_cast<const uint8_t*>(bytes.constData()));
}

std::optional<uint32_t> ExchangeLocalFrame(const QString& serverName, const LocalFrame& frame,
                                           int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  auto left = [&] { return std::max(1, timeoutMs - static_cast<int>(clock.elapsed())); };
  QLocalSocket socket;
  socket.connectToServer(serverName);
  if (!socket.waitForConnected(left())) return std::nullopt;
  socket.write(EncodeLocalFrame(frame));
  if (!socket.waitForBytesWritten(left())) return std::nullopt;
  QByteArray answer;
  while (answer.size() < 4) {
    if (!socket.waitForReadyRead(left())) return std::nullopt;
    answer.append(socket.readAll());
  }
  socket.disconnectFromServer();
  return DecodeAnswer(answer);
}

}  // namespace qw
