#include "core/net/CategoryQuery.h"

#include <string.h>

#include <algorithm>

#include "core/net/SearchFold.h"

namespace nuvo {
namespace {

// glibc's memmem skips through the text far faster than a search that stops at every byte equal
// to the word's first one, which in Japanese UTF-8 is nearly every third byte.
bool Contains(std::string_view text, const std::string& word) {
  return memmem(text.data(), text.size(), word.data(), word.size()) != nullptr;
}

}  // namespace

CCategoryQuery::CCategoryQuery(std::string_view utf8) {
  // Folding turns the full-width space into an ASCII one, so splitting comes after it.
  const std::string folded = FoldForSearch(utf8);
  std::size_t pos = 0;
  while (pos < folded.size()) {
    const std::size_t start = folded.find_first_not_of(" \t\r\n", pos);
    if (start == std::string::npos) break;
    const std::size_t end = std::min(folded.find_first_of(" \t\r\n", start), folded.size());
    std::string word = folded.substr(start, end - start);
    if (std::find(words_.begin(), words_.end(), word) == words_.end()) {
      words_.push_back(std::move(word));
    }
    pos = end;
  }
}

bool CCategoryQuery::Matches(std::string_view key) const {
  return std::all_of(words_.begin(), words_.end(),
                     [key](const std::string& word) { return Contains(key, word); });
}

int CCategoryQuery::CountIn(std::string_view text) const {
  return static_cast<int>(std::count_if(words_.begin(), words_.end(),
                                        [text](const auto& word) { return Contains(text, word); }));
}

}  // namespace nuvo
