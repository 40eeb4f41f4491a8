#include "core/net/JsonDocument.h"

#include <vector>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

constexpr bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One comma-separated item of an array or object (or the whole text at the top), with what the
// scan saw at its own level: the first ":" and the first bracketed range.
struct Item {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t colon = kNone;
  std::size_t open = kNone;   // the opening bracket
  std::size_t close = kNone;  // its partner
};

// Reads one JSON text after its comments are gone. Nested ranges are read by recursion, bounded
// by kJsonMaxDepth.
class CJsonReader {
 public:
  CJsonReader(std::string_view text, unsigned options) : text_(text), options_(options) {}

  int Read(std::unique_ptr<CJsonValue>& root) {
    std::vector<Item> items;
    if (int result = Scan(0, text_.size(), false, items); result != kJsonOk) return result;
    return ReadItem(items.front(), 0, false, root);
  }

 private:
  bool OpensString(char c) const {
    return c == '"' || (c == '\'' && (options_ & kJsonSingleQuotes));
  }

  // Splits [begin, end) into items at the commas of its own level (when `split`), checking that
  // the brackets pair up. Quoted text is passed over: a quote closes its string unless a
  // backslash escapes it (a backslash escaped by another one escapes nothing).
  int Scan(std::size_t begin, std::size_t end, bool split, std::vector<Item>& items) const {
    std::vector<char> closers;
    char quote = 0;
    bool afterBackslash = false;
    Item item{begin, end};
    for (std::size_t pos = begin; pos < end;) {
      std::size_t width = CharWidthAt(text_, pos);
      char c = text_[pos];
      pos += width;
      bool escaped = afterBackslash;
      afterBackslash = width == 1 && c == '\\' && !escaped;
      if (width == 2) continue;
      if (quote) {
        if (c == quote && !escaped) quote = 0;
        continue;
      }
      if (OpensString(c)) {
        quote = c;
      } else if (c == '[' || c == '{') {
        if (closers.empty() && item.open == kNone) item.open = pos - 1;
        closers.push_back(c == '[' ? ']' : '}');
      } else if (c == ']' || c == '}') {
        if (closers.empty() || closers.back() != c) return kJsonUnbalanced;
        closers.pop_back();
        if (closers.empty() && item.close == kNone) item.close = pos - 1;
      } else if (closers.empty()) {
        if (c == ',' && split) {
          item.end = pos - 1;
          items.push_back(item);
          item = Item{pos, end};
        } else if (c == ':' && item.colon == kNone) {
          item.colon = pos - 1;
        }
      }
    }
    if (!closers.empty()) return kJsonUnbalanced;
    items.push_back(item);
    return kJsonOk;
  }

  void Trim(std::size_t& begin, std::size_t& end) const {
    while (begin < end && IsSpace(text_[begin])) ++begin;
    while (end > begin && IsSpace(text_[end - 1])) --end;
  }

  // Reads one item into `value`; an empty item leaves it null. A ":" at the item's own level
  // makes a key/value, and so does every member of an object (a member without ":" holds null).
  int ReadItem(const Item& item, int depth, bool member, std::unique_ptr<CJsonValue>& value) {
    std::size_t begin = item.begin;
    std::size_t end = item.end;
    Trim(begin, end);
    if (begin == end) return kJsonOk;
    if (item.colon == kNone) {
      if (!member) return ReadValue(begin, end, item, depth, value);
      value = std::make_unique<CJsonKeyValue>(StringText(text_.substr(begin, end - begin)),
                                              std::make_unique<CJsonNull>());
      return kJsonOk;
    }
    std::size_t keyEnd = item.colon;
    Trim(begin, keyEnd);
    std::size_t valueBegin = item.colon + 1;
    Trim(valueBegin, end);
    std::unique_ptr<CJsonValue> inner;
    if (int result = ReadValue(valueBegin, end, item, depth, inner); result != kJsonOk) {
      return result;
    }
    value = std::make_unique<CJsonKeyValue>(StringText(text_.substr(begin, keyEnd - begin)),
                                            std::move(inner));
    return kJsonOk;
  }

  // A value from trimmed text: the bracketed range it starts with, or a scalar.
  int ReadValue(std::size_t begin, std::size_t end, const Item& item, int depth,
                std::unique_ptr<CJsonValue>& value) {
    if (item.open != begin || begin == end) {
      value = Scalar(text_.substr(begin, end - begin));
      return kJsonOk;
    }
    if (depth >= kJsonMaxDepth) return kJsonTooDeep;
    std::vector<Item> items;
    if (int result = Scan(item.open + 1, item.close, true, items); result != kJsonOk) return result;
    bool isObject = text_[item.open] == '{';
    std::unique_ptr<CJsonArray> array;
    std::unique_ptr<CJsonObject> object;
    if (isObject) {
      object = std::make_unique<CJsonObject>();
    } else {
      array = std::make_unique<CJsonArray>();
    }
    for (const Item& child : items) {
      std::unique_ptr<CJsonValue> element;
      if (int result = ReadItem(child, depth + 1, isObject, element); result != kJsonOk) {
        return result;
      }
      if (!element) continue;
      if (isObject) {
        object->Add(std::unique_ptr<CJsonKeyValue>(static_cast<CJsonKeyValue*>(element.release())));
      } else {
        array->Add(std::move(element));
      }
    }
    if (isObject) {
      value = std::move(object);
    } else {
      value = std::move(array);
    }
    return kJsonOk;
  }

  std::unique_ptr<CJsonValue> Scalar(std::string_view text) const {
    if (text == "null") return std::make_unique<CJsonNull>();
    if (text == "true") return std::make_unique<CJsonBoolean>(true);
    if (text == "false") return std::make_unique<CJsonBoolean>(false);
    std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos) {
      return std::make_unique<CJsonInteger>(ClampedInt32(text));
    }
    return std::make_unique<CJsonString>(StringText(text));
  }

  // The stored text of a string or key: the quotes around it removed, then any quotes left at
  // either end, except a closing quote that a backslash escapes. Escapes stay as they are.
  std::string StringText(std::string_view text) const {
    char quote = '"';
    if ((options_ & kJsonSingleQuotes) && text.size() >= 2 && text.front() == '\'' &&
        text.back() == '\'') {
      quote = '\'';
    }
    if (text.size() >= 2 && text.front() == quote && text.back() == quote) {
      text = text.substr(1, text.size() - 2);
    }
    while (text.starts_with(quote)) text.remove_prefix(1);
    // Of a run of closing quotes only the first can be escaped; the rest all go.
    std::size_t run = text.size();
    while (run > 0 && text[run - 1] == quote) --run;
    if (run < text.size()) text = text.substr(0, FollowsLoneBackslash(text, run) ? run + 1 : run);
    return std::string(text);
  }

  // Whether the character at `pos` is the second half of an escape: a backslash takes the
  // character after it, so "\\\\" escapes nothing beyond itself, and the trail byte of a two-byte
  // character is never a backslash.
  static bool FollowsLoneBackslash(std::string_view text, std::size_t pos) {
    for (std::size_t at = 0; at < pos;) {
      if (text[at] == '\\') {
        if (at + 1 == pos) return true;
        at += 1 + CharWidthAt(text, at + 1);
      } else {
        at += CharWidthAt(text, at);
      }
    }
    return false;
  }

  std::string_view text_;
  unsigned options_;
};

// `text` without the comments that `options` allow; quoted text is left alone.
std::string StripComments(std::string_view text, unsigned options) {
  std::string out;
  out.reserve(text.size());
  char quote = 0;
  bool afterBackslash = false;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t width = CharWidthAt(text, pos);
    char c = text[pos];
    if (width == 1 && !quote) {
      std::string_view rest = text.substr(pos);
      std::size_t skip = 0;
      if (((options & kJsonSlashComments) && rest.starts_with("//")) ||
          ((options & kJsonHashComments) && c == '#')) {
        skip = std::min(rest.find('\n'), rest.size());
      } else if ((options & kJsonBlockComments) && rest.starts_with("/*")) {
        std::size_t close = rest.find("*/", 2);
        skip = close == kNone ? rest.size() : close + 2;
      }
      if (skip) {
        out += ' ';
        pos += skip;
        afterBackslash = false;
        continue;
      }
    }
    bool escaped = afterBackslash;
    afterBackslash = width == 1 && c == '\\' && !escaped;
    if (width == 1) {
      if (quote && c == quote && !escaped) {
        quote = 0;
      } else if (!quote && (c == '"' || (c == '\'' && (options & kJsonSingleQuotes)))) {
        quote = c;
      }
    }
    out.append(text, pos, width);
    pos += width;
  }
  return out;
}

}  // namespace

int CJsonDocument::Parse(std::string_view text) {
  root_.reset();
  std::string plain = StripComments(text, options_);
  std::unique_ptr<CJsonValue> root;
  int result = CJsonReader(plain, options_).Read(root);
  if (result == kJsonOk) root_ = std::move(root);
  return result;
}

}  // namespace nuvo
