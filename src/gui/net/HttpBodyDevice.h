#pragma once

#include <QIODevice>
#include <cstddef>

#include "core/net/HttpTransport.h"

namespace nuvo {

// A request body of several pieces as one read-only device for Qt's network access, which reads
// it a block at a time; the pieces are read where they lie and never joined. Links to the
// pieces' bytes, which outlive the reply that reads them.
class CHttpBodyDevice : public QIODevice {
 public:
  explicit CHttpBodyDevice(HttpBody body, QObject* parent = nullptr);

  bool isSequential() const override { return false; }
  qint64 size() const override { return static_cast<qint64>(body_.size()); }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  HttpBody body_;
  // Where the last read ended: the piece and the body position at which that piece starts.
  std::size_t piece_ = 0;
  std::size_t pieceStart_ = 0;
};

}  // namespace nuvo
