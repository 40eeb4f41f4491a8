#include "core/decorate/DecorateHtmlReader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>

#include "core/html/CharClass.h"
#include "core/html/HtmlColor.h"

namespace nuvo {
namespace {

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = ToLowerAscii(c);
  return lowered;
}

bool StartsWithName(const std::string& tag, std::string_view name) {
  return tag.size() > name.size() && Lowered(tag.substr(0, name.size())) == name;
}

// Splits "name=value name=value" at spaces. A value keeps any quotes around it; a pair without a
// name or a value is no pair, and its bytes go on into the next one.
std::vector<std::pair<std::string, std::string>> AttributePairs(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string name;
  std::string value;
  bool inValue = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ' ') {
      if (!name.empty() && !value.empty()) {
        pairs.emplace_back(Lowered(name), std::move(value));
        name.clear();
        value.clear();
        inValue = false;
      }
    } else if (!inValue && text[i] == '=') {
      inValue = true;
    } else {
      (inValue ? value : name) += text[i];
    }
  }
  return pairs;
}

int HexDigit(char c) {
  return IsHexDigitChar(c) ? (IsDigitChar(c) ? c - '0' : (c | 0x20) - 'a' + 10) : 0;
}

// "#RRGGBB" (a byte that is no hexadecimal digit counts as 0) or one of the sixteen colour names;
// anything else is black.
std::uint32_t ReadColor(std::string_view text) {
  if (text.size() == 7 && text[0] == '#') {
    std::uint32_t color = 0;
    for (int channel = 0; channel < 3; ++channel) {
      const int value = HexDigit(text[1 + channel * 2]) * 16 + HexDigit(text[2 + channel * 2]);
      color |= static_cast<std::uint32_t>(value) << (channel * 8);
    }
    return color;
  }
  const std::int32_t named = HtmlToColor(text);
  return named == kNoColor ? 0 : static_cast<std::uint32_t>(named);
}

// The number at the start of an attribute value, as atoi reads it; 0 when there is none.
int ReadNumber(const std::string& text) {
  const long number = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

// The flags an end tag closes; 0 for a name the reader does not know.
std::uint32_t EndTagFlags(const std::string& name) {
  static const std::array<std::pair<std::string_view, std::uint32_t>, 8> kEndTags = {{
      {"b", DECO_BOLD},
      {"i", DECO_ITALIC},
      {"u", DECO_UNDERLINE},
      {"s", DECO_STRIKE},
      {"center", DECO_ALIGN},
      {"div", DECO_ALIGN},
      {"font", DECO_COLOR | DECO_SIZE},
      {"a", DECO_LINK},
  }};
  for (const auto& [tag, flags] : kEndTags) {
    if (name == tag) return flags;
  }
  return 0;
}

struct Entity {
  std::string_view name;
  char decoded;
};
constexpr std::array<Entity, 5> kEntities = {{
    {"&amp;", '&'},
    {"&lt;", '<'},
    {"&gt;", '>'},
    {"&quot;", '"'},
    {"&nbsp;", ' '},
}};

}  // namespace

CDecorateHtmlReader::Prepared CDecorateHtmlReader::Prepare(std::string_view html) {
  // Line breaks in the source mean nothing; tabs are four spaces; "<br>" is the line break.
  std::string flat;
  for (char c : html) {
    if (c == '\r' || c == '\n') continue;
    if (c == '\t') {
      flat += "    ";
    } else {
      flat += c;
    }
  }
  std::string broken;
  for (std::size_t i = 0; i < flat.size(); ++i) {
    if (flat.compare(i, 4, "<br>") == 0) {
      broken += '\n';
      i += 3;
    } else {
      broken += flat[i];
    }
  }
  // One pass, so that "&amp;lt;" gives the text "&lt;".
  Prepared prepared;
  for (std::size_t i = 0; i < broken.size(); ++i) {
    bool decoded = false;
    if (broken[i] == '&') {
      for (const Entity& entity : kEntities) {
        if (broken.compare(i, entity.name.size(), entity.name) == 0) {
          prepared.bytes += entity.decoded;
          prepared.literal.push_back(true);
          i += entity.name.size() - 1;
          decoded = true;
          break;
        }
      }
    }
    if (!decoded) {
      prepared.bytes += broken[i];
      prepared.literal.push_back(false);
    }
  }
  return prepared;
}

bool CDecorateHtmlReader::Read(std::string_view html) {
  ok_ = true;
  // Positions are 32-bit; a fragment this large is no description.
  if (html.size() + text_.size() >= static_cast<std::size_t>(INT_MAX / 4)) return false;
  const Prepared prepared = Prepare(html);
  const std::string& bytes = prepared.bytes;
  for (auto& stack : openByBit_) stack.clear();
  opened_ = 0;
  for (const auto& range : ranges_) {
    if (range->End() == -1) OpenRange(range.get());
  }
  bool inTag = false;
  bool isEnd = false;
  std::string tag;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const bool markup = !prepared.literal[i];
    if (markup && c == '<') {
      inTag = true;
      if (i + 1 < bytes.size() && bytes[i + 1] == '/') {
        isEnd = true;
        ++i;
      }
    } else if (markup && c == '>') {
      // A ">" outside a tag ends an empty tag, which nobody knows.
      const int pos = static_cast<int>(text_.size());
      if (isEnd) {
        EndTag(tag, pos);
      } else {
        StartTag(tag, pos);
      }
      inTag = false;
      isEnd = false;
      tag.clear();
    } else if (inTag) {
      tag += c;
    } else {
      text_ += c;
    }
  }
  // A tag cut off by the end of the fragment is not understood either.
  if (inTag) ok_ = false;
  // Merging destroys ranges, so nothing may point at them afterwards.
  for (auto& stack : openByBit_) stack.clear();
  MergeEqualRanges();
  return ok_;
}

void CDecorateHtmlReader::StartTag(const std::string& tag, int pos) {
  const std::string name = Lowered(tag);
  std::unique_ptr<CDecorateRange> range;
  if (name == "b" || name == "i" || name == "u" || name == "s") {
    const std::uint32_t flag = name == "b"   ? DECO_BOLD
                               : name == "i" ? DECO_ITALIC
                               : name == "u" ? DECO_UNDERLINE
                                             : DECO_STRIKE;
    range = std::make_unique<CDecorateCharRange>(pos, -1, flag);
  } else if (name == "center") {
    auto line = std::make_unique<CDecorateParaRange>(pos, -1);
    line->SetAlignment(kAlignCentre);
    range = std::move(line);
  } else if (StartsWithName(tag, "font ")) {
    auto chars = std::make_unique<CDecorateCharRange>(pos, -1);
    for (const auto& [attribute, value] : AttributePairs(std::string_view(tag).substr(5))) {
      if (attribute == "color") chars->SetColor(ReadColor(value));
      if (attribute == "size") chars->SetSize(converter_.LevelToSize(ReadNumber(value)));
    }
    range = std::move(chars);
  } else if (StartsWithName(tag, "a ")) {
    auto chars = std::make_unique<CDecorateCharRange>(pos, -1);
    for (const auto& [attribute, value] : AttributePairs(std::string_view(tag).substr(2))) {
      if (attribute == "href") chars->SetLink(value);
    }
    range = std::move(chars);
  } else if (StartsWithName(tag, "div ")) {
    // Understood, but the writer never makes it: the fragment is not in the program's own form.
    ok_ = false;
    auto line = std::make_unique<CDecorateParaRange>(pos, -1);
    for (const auto& [attribute, value] : AttributePairs(std::string_view(tag).substr(4))) {
      if (attribute == "align") line->SetAlignment(Lowered(value) == "center" ? kAlignCentre : 0);
    }
    range = std::move(line);
  } else {
    ok_ = false;
    return;
  }
  // A font tag with only a face, say, decorates nothing.
  if (range->Flags() != 0) {
    ranges_.push_back(std::move(range));
    OpenRange(ranges_.back().get());
  }
}

void CDecorateHtmlReader::OpenRange(CDecorateRange* range) {
  const std::size_t order = opened_++;
  for (std::size_t bit = 0; bit < openByBit_.size(); ++bit) {
    if (range->HasFlag(std::uint32_t{1} << bit)) openByBit_[bit].push_back({order, range});
  }
}

void CDecorateHtmlReader::EndTag(const std::string& tag, int pos) {
  // The latest open range holding any of the tag's attributes: the latest of the stacks' tops.
  const std::uint32_t flags = EndTagFlags(Lowered(tag));
  const OpenEntry* latest = nullptr;
  for (std::size_t bit = 0; bit < openByBit_.size(); ++bit) {
    if ((flags & (std::uint32_t{1} << bit)) == 0) continue;
    auto& stack = openByBit_[bit];
    while (!stack.empty() && stack.back().range->End() != -1) stack.pop_back();
    if (!stack.empty() && (!latest || stack.back().order > latest->order)) latest = &stack.back();
  }
  if (latest) {
    latest->range->SetEnd(pos);
  } else {
    ok_ = false;
  }
}

void CDecorateHtmlReader::MergeEqualRanges() {
  // Tags opened together at the same text and closed together make one range.
  CDecorateRange* kept = nullptr;
  for (auto& slot : ranges_) {
    CDecorateRange& range = *slot;
    if (range.IsParagraph() || !range.IsValid() || range.IsEmpty()) continue;
    if (kept != nullptr && kept->Start() == range.Start() && kept->End() == range.End()) {
      kept->MergeFrom(range);
      slot.reset();
    } else {
      kept = &range;
    }
  }
  std::erase(ranges_, nullptr);
}

}  // namespace nuvo
