#include "core/decorate/DecorateConverter.h"

#include <algorithm>
#include <array>

#include "core/decorate/DecorateHtmlReader.h"
#include "core/decorate/DecorateHtmlWriter.h"

namespace nuvo {
namespace {

// Sizes of the levels 1-7 at the standard size of 12 points.
constexpr std::array<int, 7> kLevelSizes = {90, 105, 120, 140, 180, 240, 320};
constexpr int kStandardSize = 120;
constexpr int kStandardLevel = 3;

}  // namespace

bool CDecorateConverter::SetBaseSize(int size) {
  if (size == baseSize_) return false;
  baseSize_ = size;
  return true;
}

int CDecorateConverter::LevelToSize(int level) const {
  int size = kLevelSizes[std::clamp(level, 1, 7) - 1];
  if (baseSize_ > 0) size += baseSize_ - kStandardSize;
  return size;
}

int CDecorateConverter::SizeToLevel(int size) const {
  if (size >= 1 && baseSize_ >= 1) size -= baseSize_ - kStandardSize;
  auto found = std::find(kLevelSizes.begin(), kLevelSizes.end(), size);
  return found == kLevelSizes.end() ? kStandardLevel
                                    : static_cast<int>(found - kLevelSizes.begin()) + 1;
}

void CDecorateConverter::WriteHtml(std::string_view text, const DecorateRangeList& ranges,
                                   int start, int end, std::string& out) const {
  CDecorateHtmlWriter(*this, text, ranges).Write(start, end, out);
}

bool CDecorateConverter::ReadHtml(std::string_view html, std::string& text,
                                  DecorateRangeList& ranges) const {
  return CDecorateHtmlReader(*this, text, ranges).Read(html);
}

bool CDecorateConverter::Normalize(std::string& html) const {
  std::string text;
  DecorateRangeList ranges;
  if (!ReadHtml(html, text, ranges)) return false;
  WriteHtml(text, ranges, 0, static_cast<int>(text.size()), html);
  return true;
}

int CDecorateConverter::TextOffsetOf(std::string_view html, std::size_t offset) const {
  const std::string_view before = html.substr(0, offset);
  const auto tag = before.rfind('<');
  if (tag != std::string_view::npos && before.find('>', tag) == std::string_view::npos) return -1;
  const auto entity = before.rfind('&');
  if (entity != std::string_view::npos && before.find(';', entity) == std::string_view::npos)
    return -1;
  std::string text;
  DecorateRangeList ranges;
  ReadHtml(before, text, ranges);
  return static_cast<int>(text.size());
}

}  // namespace nuvo
