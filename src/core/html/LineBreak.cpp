#include "core/html/LineBreak.h"

#include <string>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

// One rule's characters, one-byte and two-byte ones apart so that a two-byte character is only
// ever compared with whole two-byte characters.
struct CharSet {
  std::string single;
  std::string dual;

  bool Holds(std::string_view text, std::size_t pos, std::size_t width) const {
    if (pos >= text.size()) return false;
    if (width == 0) width = CharWidthAt(text, pos);
    if (width == 1) return single.find(text[pos]) != std::string::npos;
    if (width != 2 || pos + 2 > text.size()) return false;
    const std::string_view ch = text.substr(pos, 2);
    for (std::size_t i = 0; i < dual.size(); i += 2) {
      if (dual.compare(i, 2, ch) == 0) return true;
    }
    return false;
  }
};

const CharSet& NoLineStart() {
  static const CharSet set{Cp932("!),.:;?]}｡､｣･ｰﾞﾟ"), Cp932("。、，．？！゛゜ー」』）］｝")};
  return set;
}

const CharSet& NoLineEnd() {
  static const CharSet set{Cp932("([{｢"), Cp932("（［｛「『")};
  return set;
}

}  // namespace

bool IsNoLineStartChar(std::string_view text, std::size_t pos, std::size_t width) {
  return NoLineStart().Holds(text, pos, width);
}

bool IsNoLineEndChar(std::string_view text, std::size_t pos, std::size_t width) {
  return NoLineEnd().Holds(text, pos, width);
}

}  // namespace nuvo
