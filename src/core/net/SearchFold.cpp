#include "core/net/SearchFold.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace nuvo {
namespace {

// Katakana ァ..ヶ and the iteration marks ヽヾ sit 0x60 above their hiragana; ヷ..ヺ have none.
char16_t HiraganaOf(char16_t c) {
  if ((c >= u'\u30A1' && c <= u'\u30F6') || c == u'\u30FD' || c == u'\u30FE') return c - 0x60;
  return c;
}

}  // namespace

std::string FoldForSearch(std::string_view utf8) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfkcCasefold = icu::Normalizer2::getNFKCCasefoldInstance(status);
  icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), utf8.size()));
  icu::UnicodeString folded = U_SUCCESS(status) ? nfkcCasefold->normalize(text, status) : text;
  if (U_FAILURE(status)) folded = text.foldCase();
  for (int32_t i = 0; i < folded.length(); ++i) folded.setCharAt(i, HiraganaOf(folded.charAt(i)));
  std::string out;
  folded.toUTF8String(out);
  return out;
}

}  // namespace nuvo
