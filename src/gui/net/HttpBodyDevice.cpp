#include "gui/net/HttpBodyDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace nuvo {

CHttpBodyDevice::CHttpBodyDevice(HttpBody body, QObject* parent)
    : QIODevice(parent), body_(std::move(body)) {}

qint64 CHttpBodyDevice::readData(char* data, qint64 maxSize) {
  const auto& pieces = body_.Pieces();
  auto position = static_cast<std::size_t>(pos());
  // Qt reads straight on, but goes back to the start when it has to send the request again.
  if (position < pieceStart_) piece_ = pieceStart_ = 0;
  qint64 copied = 0;
  while (copied < maxSize && piece_ < pieces.size()) {
    const std::string_view piece = pieces[piece_];
    const std::size_t offset = position - pieceStart_;
    if (offset >= piece.size()) {
      pieceStart_ += piece.size();
      ++piece_;
      continue;
    }
    const std::size_t count =
        std::min(piece.size() - offset, static_cast<std::size_t>(maxSize - copied));
    std::memcpy(data + copied, piece.data() + offset, count);
    copied += static_cast<qint64>(count);
    position += count;
  }
  return copied;
}

}  // namespace nuvo
