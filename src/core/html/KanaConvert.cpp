#include "core/html/KanaConvert.h"

#include <array>

#include "core/common/Encoding.h"
#include "core/html/CharClass.h"

namespace nuvo {
namespace {

constexpr unsigned char kFirstKana = 0xA1;
constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;
constexpr std::size_t kKanaCount = 0xDF - kFirstKana + 1;

// Full-width forms of 0xA1..0xDF, and of the kana with each mark; empty where there is none.
struct KanaTables {
  std::array<std::string, kKanaCount> plain;
  std::array<std::string, kKanaCount> voiced;
  std::array<std::string, kKanaCount> semiVoiced;
};

// Fills `table` for each half-width kana of `half` with the full-width character at the same
// place in `full`.
void Fill(std::array<std::string, kKanaCount>& table, std::string_view half,
          std::string_view full) {
  const std::string halfBytes = Cp932(half);
  const std::string fullBytes = Cp932(full);
  for (std::size_t i = 0; i < halfBytes.size(); ++i) {
    table[static_cast<unsigned char>(halfBytes[i]) - kFirstKana] = fullBytes.substr(i * 2, 2);
  }
}

const KanaTables& Tables() {
  static const KanaTables tables = [] {
    KanaTables built;
    Fill(built.plain, "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ",
         "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
         "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
    Fill(built.voiced, "ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ", "ヴガギグゲゴザジズゼゾダヂヅデドバビブベボ");
    Fill(built.semiVoiced, "ﾊﾋﾌﾍﾎ", "パピプペポ");
    return built;
  }();
  return tables;
}

}  // namespace

std::string HalfToFullKana(std::string_view text) {
  const KanaTables& tables = Tables();
  std::string converted;
  converted.reserve(text.size() * 2);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t width = CharWidthAt(text, pos);
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (width == 2 || !IsHalfWidthKana(text[pos])) {
      converted.append(text, pos, width);
      pos += width;
      continue;
    }
    if (byte < kFirstKana) {
      converted += '.';
      ++pos;
      continue;
    }
    const std::size_t index = byte - kFirstKana;
    const auto mark = pos + 1 < text.size() ? static_cast<unsigned char>(text[pos + 1]) : 0;
    const std::string* combined = nullptr;
    if (mark == kVoicedMark) combined = &tables.voiced[index];
    if (mark == kSemiVoicedMark) combined = &tables.semiVoiced[index];
    if (combined && !combined->empty()) {
      converted += *combined;
      pos += 2;
    } else {
      converted += tables.plain[index];
      ++pos;
    }
  }
  return converted;
}

}  // namespace nuvo
