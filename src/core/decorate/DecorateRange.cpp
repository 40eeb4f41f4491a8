#include "core/decorate/DecorateRange.h"

#include <algorithm>
#include <utility>

namespace nuvo {

void CDecorateRange::Reset() {
  start_ = -1;
  end_ = -1;
  flags_ = 0;
}

void CDecorateRange::RemoveAttribute(std::uint32_t flag) { flags_ &= ~flag; }

void CDecorateRange::MergeFrom(const CDecorateRange& other) { flags_ |= other.flags_; }

void CDecorateRange::Extend(int a, int b) {
  if (a > b) return;
  start_ = std::min(start_, a);
  end_ = std::max(end_, b);
}

CDecorateCharRange::CDecorateCharRange(int start, int end, std::uint32_t flags) {
  start_ = start;
  end_ = end;
  flags_ = flags;
}

void CDecorateCharRange::Reset() {
  CDecorateRange::Reset();
  color_ = 0;
  size_ = 0;
  link_.clear();
}

void CDecorateCharRange::RemoveAttribute(std::uint32_t flag) {
  CDecorateRange::RemoveAttribute(flag);
  if (flag & DECO_COLOR) color_ = 0;
  if (flag & DECO_SIZE) size_ = 0;
  if (flag & DECO_LINK) link_.clear();
}

void CDecorateCharRange::MergeFrom(const CDecorateRange& other) {
  const auto* from = dynamic_cast<const CDecorateCharRange*>(&other);
  if (from == nullptr) return;
  if (!HasFlag(DECO_COLOR) && from->HasFlag(DECO_COLOR)) color_ = from->color_;
  if (!HasFlag(DECO_SIZE) && from->HasFlag(DECO_SIZE)) size_ = from->size_;
  if (!HasFlag(DECO_LINK) && from->HasFlag(DECO_LINK)) link_ = from->link_;
  CDecorateRange::MergeFrom(other);
}

std::unique_ptr<CDecorateRange> CDecorateCharRange::Clone(int start, int end) const {
  auto clone = std::make_unique<CDecorateCharRange>(*this);
  clone->start_ = start;
  clone->end_ = end;
  return clone;
}

void CDecorateCharRange::SetColor(std::uint32_t color) {
  color_ = color;
  flags_ |= DECO_COLOR;
}

void CDecorateCharRange::SetSize(int size) {
  size_ = size;
  flags_ |= DECO_SIZE;
}

void CDecorateCharRange::SetLink(std::string link) {
  link_ = std::move(link);
  flags_ |= DECO_LINK;
}

CDecorateParaRange::CDecorateParaRange(int start, int end, std::uint32_t flags) {
  start_ = start;
  end_ = end;
  flags_ = flags;
}

void CDecorateParaRange::Reset() {
  CDecorateRange::Reset();
  alignment_ = 0;
}

void CDecorateParaRange::RemoveAttribute(std::uint32_t flag) {
  CDecorateRange::RemoveAttribute(flag);
  if (flag & DECO_ALIGN) alignment_ = 0;
}

void CDecorateParaRange::MergeFrom(const CDecorateRange& other) {
  const auto* from = dynamic_cast<const CDecorateParaRange*>(&other);
  if (from == nullptr) return;
  if (!HasFlag(DECO_ALIGN) && from->HasFlag(DECO_ALIGN)) alignment_ = from->alignment_;
  CDecorateRange::MergeFrom(other);
}

std::unique_ptr<CDecorateRange> CDecorateParaRange::Clone(int start, int end) const {
  auto clone = std::make_unique<CDecorateParaRange>(*this);
  clone->start_ = start;
  clone->end_ = end;
  return clone;
}

void CDecorateParaRange::SetAlignment(int alignment) {
  alignment_ = alignment;
  if (alignment != 0) {
    flags_ |= DECO_ALIGN;
  } else {
    flags_ &= ~DECO_ALIGN;
  }
}

}  // namespace nuvo
