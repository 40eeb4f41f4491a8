#include "core/net/HttpResponseReader.h"

#include <algorithm>
#include <charconv>

#include "core/common/AsciiCase.h"

namespace nuvo {
namespace {

// A head or a chunk line longer than this is no response the program is talking to.
constexpr std::size_t kMaxLine = 64 * 1024;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The next line of `text` (without its CR LF or LF) and what follows it.
std::pair<std::string_view, std::string_view> SplitLine(std::string_view text) {
  const auto end = text.find('\n');
  std::string_view line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return {line, end == std::string_view::npos ? std::string_view() : text.substr(end + 1)};
}

bool ParseNumber(std::string_view text, unsigned long long& value, int base) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

bool CHttpResponseReader::Feed(std::string_view bytes, std::string& body) {
  while (!bytes.empty()) {
    switch (state_) {
      case State::kHead: {
        // The head ends at its first empty line, which may straddle two deliveries.
        const std::size_t before = pending_.size();
        pending_.append(bytes);
        std::size_t end = pending_.find("\r\n\r\n", before >= 3 ? before - 3 : 0);
        std::size_t endLength = 4;
        if (const std::size_t bare = pending_.find("\n\n", before >= 1 ? before - 1 : 0);
            bare < end) {
          end = bare;
          endLength = 2;
        }
        if (end == std::string::npos) {
          return pending_.size() <= kMaxLine || Broken();
        }
        if (end > kMaxLine) return Broken();
        const std::string head = pending_.substr(0, end);
        bytes = bytes.substr(end + endLength - before);
        pending_.clear();
        if (!ParseHead(head)) return Broken();
        break;
      }
      case State::kLength:
      case State::kChunkData:
      case State::kToEnd: {
        const std::size_t take =
            state_ == State::kToEnd
                ? bytes.size()
                : static_cast<std::size_t>(std::min<unsigned long long>(remaining_, bytes.size()));
        body.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (state_ == State::kToEnd) break;
        remaining_ -= take;
        if (remaining_ == 0) state_ = state_ == State::kLength ? State::kDone : State::kChunkEnd;
        break;
      }
      case State::kChunkSize: {
        std::string line;
        if (!TakeLine(bytes, line)) return state_ != State::kBroken;
        // A size may carry extensions after a semicolon, which say nothing the program needs.
        const std::string_view size = Trimmed(std::string_view(line).substr(0, line.find(';')));
        if (!ParseNumber(size, remaining_, 16)) return Broken();
        state_ = remaining_ == 0 ? State::kTrailer : State::kChunkData;
        break;
      }
      case State::kChunkEnd: {
        std::string line;
        if (!TakeLine(bytes, line)) return state_ != State::kBroken;
        if (!line.empty()) return Broken();
        state_ = State::kChunkSize;
        break;
      }
      case State::kTrailer: {
        std::string line;
        if (!TakeLine(bytes, line)) return state_ != State::kBroken;
        if (line.empty()) state_ = State::kDone;
        break;
      }
      case State::kDone:
        leftover_ += bytes.size();
        return true;
      case State::kBroken:
        return false;
    }
  }
  return state_ != State::kBroken;
}

bool CHttpResponseReader::End() {
  if (state_ == State::kToEnd) state_ = State::kDone;
  return state_ == State::kDone;
}

std::optional<std::string> CHttpResponseReader::Header(std::string_view name) const {
  std::optional<std::string> value;
  const char* separator = EqualsIgnoreCase(name, "Set-Cookie") ? "\n" : ", ";
  for (const auto& [key, text] : headers_) {
    if (!EqualsIgnoreCase(key, name)) continue;
    value = value ? *value + separator + text : text;
  }
  return value;
}

bool CHttpResponseReader::TakeLine(std::string_view& bytes, std::string& line) {
  const auto end = bytes.find('\n');
  pending_.append(bytes.substr(0, end));
  if (end == std::string_view::npos) {
    bytes = {};
    if (pending_.size() > kMaxLine) Broken();
    return false;
  }
  bytes.remove_prefix(end + 1);
  line = std::move(pending_);
  pending_.clear();
  if (line.size() > kMaxLine) return Broken();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool CHttpResponseReader::ParseHead(std::string_view head) {
  auto [statusLine, rest] = SplitLine(head);
  // "HTTP/1.1 200 OK": the version, a three-digit status and a reason that may be empty.
  if (!statusLine.starts_with("HTTP/1.") || statusLine.size() < 12 || statusLine[8] != ' ') {
    return false;
  }
  unsigned long long status = 0;
  if (!ParseNumber(statusLine.substr(9, 3), status, 10) || status < 100) return false;
  const bool http10 = statusLine[7] == '0';
  headers_.clear();
  while (!rest.empty()) {
    auto [line, next] = SplitLine(rest);
    rest = next;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    headers_.emplace_back(std::string(line.substr(0, colon)),
                          std::string(Trimmed(line.substr(colon + 1))));
  }
  status_ = static_cast<unsigned>(status);
  // An interim response (100 Continue and its kind) comes before the real one.
  if (status_ < 200) {
    headers_.clear();
    return true;
  }
  const std::string connection = AsciiLower(Header("Connection").value_or(std::string()));
  keepAlive_ = http10 ? connection.find("keep-alive") != std::string::npos
                      : connection.find("close") == std::string::npos;
  if (toHead_ || status_ == 204 || status_ == 304) {
    state_ = State::kDone;
  } else if (ContainsIgnoreCase(Header("Transfer-Encoding").value_or(std::string()), "chunked")) {
    state_ = State::kChunkSize;
  } else if (const auto length = Header("Content-Length")) {
    if (!ParseNumber(Trimmed(*length), remaining_, 10)) return false;
    state_ = remaining_ == 0 ? State::kDone : State::kLength;
  } else {
    state_ = State::kToEnd;
    keepAlive_ = false;
  }
  return true;
}

}  // namespace nuvo
