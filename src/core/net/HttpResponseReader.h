#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nuvo {

// Reads one HTTP/1.1 response from the bytes a connection delivers, in whatever pieces they
// come: the status line and headers first (interim 1xx responses are passed over), then the body
// by its declared length, in chunks, or up to the end of the connection.
class CHttpResponseReader {
 public:
  // A response to HEAD has no body, whatever its headers say.
  explicit CHttpResponseReader(bool toHead = false) : toHead_(toHead) {}

  // Takes the next bytes from the connection and appends what they carry of the body to `body`.
  // False once the bytes cannot be an HTTP response; later calls stay false.
  bool Feed(std::string_view bytes, std::string& body);

  // The connection has ended. True when that ends the response properly: a body that runs to
  // the end of the connection; false when the response was cut short.
  bool End();

  bool HasHead() const { return state_ > State::kHead; }
  bool Done() const { return state_ == State::kDone; }

  unsigned Status() const { return status_; }
  // The value of header `name` (any letter case); several lines of one name are joined with
  // ", ", except Set-Cookie, whose values are joined with line feeds.
  std::optional<std::string> Header(std::string_view name) const;
  // Whether the connection may carry another request once this response is read.
  bool KeepsConnection() const { return Done() && keepAlive_ && leftover_ == 0; }

 private:
  enum class State {
    kHead,
    kLength,
    kChunkSize,
    kChunkData,
    kChunkEnd,
    kTrailer,
    kToEnd,
    kDone,
    kBroken
  };

  bool ParseHead(std::string_view head);
  bool TakeLine(std::string_view& bytes, std::string& line);
  bool Broken() {
    state_ = State::kBroken;
    return false;
  }

  bool toHead_;
  State state_ = State::kHead;
  std::string pending_;  // an unfinished head or chunk line
  unsigned status_ = 0;
  std::vector<std::pair<std::string, std::string>> headers_;
  bool keepAlive_ = true;
  unsigned long long remaining_ = 0;  // body or chunk bytes still to come
  std::size_t leftover_ = 0;          // bytes after the end of the response
};

}  // namespace nuvo
