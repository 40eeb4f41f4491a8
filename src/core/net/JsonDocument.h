#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/net/JsonValue.h"

// A JSON text read into a tree of values. The reader is tolerant: it takes what the service
// writes, with comments and single quotes where the options allow them, and never throws.
namespace nuvo {

// Reader options.
inline constexpr unsigned kJsonSlashComments = 1;  // "//" to the end of the line
inline constexpr unsigned kJsonBlockComments = 2;  // "/*" to "*/"
inline constexpr unsigned kJsonHashComments = 4;   // "#" to the end of the line
inline constexpr unsigned kJsonSingleQuotes = 8;   // strings in '...' as well as "..."

// Results of Parse; callers treat anything but kJsonOk as failure.
enum JsonResult : int {
  kJsonOk = 0,
  kJsonUnbalanced = 1,  // a bracket without its partner
  kJsonTooDeep = 2,     // brackets nested deeper than kJsonMaxDepth
  kJsonMissing = 4,     // there was no text at all
};

// Brackets nest at most this deep.
inline constexpr int kJsonMaxDepth = 64;

// Owns the root value of one JSON text and the options the text is read with.
class CJsonDocument {
 public:
  explicit CJsonDocument(unsigned options = 0) : options_(options) {}

  unsigned GetOptions() const { return options_; }
  void SetOptions(unsigned options) { options_ = options; }

  // Reads `text` (code page 932), replacing the previous root. An empty text gives no root and
  // success; on failure there is no root either.
  int Parse(std::string_view text);
  // As above; null stands for a text that is missing.
  int Parse(const std::string* text) { return text ? Parse(std::string_view(*text)) : Fail(); }

  const CJsonValue* GetRoot() const { return root_.get(); }
  CJsonValue* GetRoot() { return root_.get(); }

 private:
  int Fail() {
    root_.reset();
    return kJsonMissing;
  }

  unsigned options_;
  std::unique_ptr<CJsonValue> root_;
};

}  // namespace nuvo
