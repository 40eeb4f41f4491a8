#include "core/html/Charset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

// Detection weighs three validators against each other. Each walks a chunk as its encoding would
// and either rejects it or scores it by how Japanese it looks: two points a byte for characters of
// everyday text (kana, common kanji, full-width punctuation) and one point a byte for other valid
// characters. Half-width katakana count as the latter, since EUC-JP text read as Shift_JIS looks
// like a run of them. Well-formed UTF-8 beyond ASCII almost never arises by chance, so its points
// count double; that settles UTF-8 text that happens to parse as Shift_JIS too. Ties go to
// Shift_JIS, the program's own encoding, then to EUC-JP.
namespace nuvo {
namespace {

constexpr std::size_t kChunkSize = 1023;

// A validator's verdict: kInvalid when the chunk is not in its encoding, else the score.
using Score = std::int64_t;
constexpr Score kInvalid = -1;

bool InRange(std::uint8_t byte, std::uint8_t low, std::uint8_t high) {
  return byte >= low && byte <= high;
}

std::uint8_t ByteAt(std::string_view chunk, std::size_t pos) {
  return static_cast<std::uint8_t>(chunk[pos]);
}

bool HasIso2022JpEscape(std::string_view chunk) {
  static constexpr std::array<std::string_view, 6> kEscapes{"\x1B$@", "\x1B$B", "\x1B$(D",
                                                            "\x1B(B", "\x1B(J", "\x1B(I"};
  for (std::string_view escape : kEscapes) {
    if (chunk.find(escape) != std::string_view::npos) return true;
  }
  return false;
}

// A sequence cut by the end of the text is forgiven in the last chunk: the text may be the first
// part of a longer page.
Score ScoreShiftJis(std::string_view chunk, bool last) {
  Score score = 0;
  for (std::size_t pos = 0; pos < chunk.size();) {
    const std::uint8_t lead = ByteAt(chunk, pos);
    if (lead < 0x80) {
      ++pos;
    } else if (InRange(lead, 0xA1, 0xDF)) {
      score += 1;
      ++pos;
    } else if (InRange(lead, 0x81, 0x9F) || InRange(lead, 0xE0, 0xFC)) {
      if (pos + 1 == chunk.size()) return last ? score : kInvalid;
      const std::uint8_t trail = ByteAt(chunk, pos + 1);
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return kInvalid;
      const bool common =
          InRange(lead, 0x81, 0x83) || InRange(lead, 0x88, 0x9F) || InRange(lead, 0xE0, 0xEA);
      score += common ? 4 : 2;
      pos += 2;
    } else {
      return kInvalid;
    }
  }
  return score;
}

Score ScoreEucJp(std::string_view chunk, bool last) {
  Score score = 0;
  for (std::size_t pos = 0; pos < chunk.size();) {
    const std::uint8_t lead = ByteAt(chunk, pos);
    if (lead < 0x80) {
      ++pos;
      continue;
    }
    // 0x8E brings one half-width katakana, 0x8F a two-byte character of JIS X 0212.
    const std::size_t length = lead == 0x8F ? 3 : 2;
    if (lead != 0x8E && lead != 0x8F && !InRange(lead, 0xA1, 0xFE)) return kInvalid;
    if (pos + length > chunk.size()) return last ? score : kInvalid;
    for (std::size_t i = 1; i < length; ++i) {
      const std::uint8_t trail = ByteAt(chunk, pos + i);
      if (!InRange(trail, 0xA1, lead == 0x8E ? 0xDF : 0xFE)) return kInvalid;
    }
    if (lead == 0x8E) {
      score += 2;
    } else if (lead == 0x8F) {
      score += 3;
    } else {
      const bool common = InRange(lead, 0xA1, 0xA5) || InRange(lead, 0xB0, 0xF4);
      score += common ? 4 : 2;
    }
    pos += length;
  }
  return score;
}

Score ScoreUtf8(std::string_view chunk, bool last) {
  Score score = 0;
  for (std::size_t pos = 0; pos < chunk.size();) {
    const std::uint8_t lead = ByteAt(chunk, pos);
    if (lead < 0x80) {
      ++pos;
      continue;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (InRange(lead, 0xC2, 0xDF)) {
      length = 2;
    } else if (InRange(lead, 0xE0, 0xEF)) {
      length = 3;
      // No overlong forms and no surrogates.
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (InRange(lead, 0xF0, 0xF4)) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return kInvalid;
    }
    if (pos + length > chunk.size()) return last ? score : kInvalid;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const std::uint8_t trail = ByteAt(chunk, pos + i);
      if (!InRange(trail, i == 1 ? low : 0x80, i == 1 ? high : 0xBF)) return kInvalid;
      code = (code << 6) | (trail & 0x3F);
    }
    const bool common = (code >= 0x3000 && code <= 0x30FF) || (code >= 0x4E00 && code <= 0x9FFF) ||
                        (code >= 0xFF00 && code <= 0xFFEF);
    score += static_cast<Score>(length) * (common ? 4 : 2);
    pos += length;
  }
  return score;
}

Charset DetectChunk(std::string_view chunk, bool last) {
  if (HasIso2022JpEscape(chunk)) return Charset::kIso2022Jp;
  const std::array<std::pair<Charset, Score>, 3> scores{{
      {Charset::kShiftJis, ScoreShiftJis(chunk, last)},
      {Charset::kEucJp, ScoreEucJp(chunk, last)},
      {Charset::kUtf8, ScoreUtf8(chunk, last)},
  }};
  Charset best = Charset::kNone;
  Score bestScore = 0;
  for (const auto& [charset, score] : scores) {
    if (score > bestScore) {
      best = charset;
      bestScore = score;
    }
  }
  return best;
}

}  // namespace

Charset DetectCharset(std::string_view text) {
  for (std::size_t start = 0; start < text.size();) {
    // A chunk runs on to the next control byte so that no line, character or escape sequence is
    // cut; the control byte starts the next chunk.
    std::size_t end = start + kChunkSize;
    while (end < text.size() && ByteAt(text, end) >= 0x20) ++end;
    end = std::min(end, text.size());
    const Charset charset = DetectChunk(text.substr(start, end - start), end == text.size());
    if (charset != Charset::kNone) return charset;
    start = end;
  }
  return Charset::kNone;
}

}  // namespace nuvo
