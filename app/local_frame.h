// The small framed messages the program exchanges with other programs over local
// sockets: the single-instance hand-over, the charting program's requests and the
// "View on chart" exchange.
//
// A frame is four little-endian 32-bit words (kind, first parameter, second parameter,
// payload length) followed by the payload. The answer to a frame is one 32-bit word.
#pragma once

#include <QByteArray>
#include <QLocalSocket>
#include <cstdint>
#include <optional>

namespace qw {

struct LocalFrame {
  uint32_t kind = 0;
  uint32_t first = 0;
  uint32_t second = 0;
  QByteArray payload;
};

constexpr int kLocalFrameHeaderBytes = 16;
// No frame the program exchanges is larger; a peer announcing more is not one of ours.
constexpr uint32_t kLocalFrameMaxPayload = 64 * 1024;

QByteArray EncodeLocalFrame(const LocalFrame& frame);

// Takes one whole frame off the front of `buffer` when it holds one. Sets `bad` when
// the buffer cannot start a valid frame (the peer should be dropped).
std::optional<LocalFrame> TakeLocalFrame(QByteArray& buffer, bool& bad);

QByteArray EncodeAnswer(uint32_t answer);
uint32_t DecodeAnswer(const QByteArray& bytes);

// Client side, blocking with a time limit: connects to `serverName`, sends the frame
// and waits for the answer. Nothing when there is no server or it does not answer in
// time.
std::optional<uint32_t> ExchangeLocalFrame(const QString& serverName, const LocalFrame& frame,
                                           int timeoutMs);

}  // namespace qw
