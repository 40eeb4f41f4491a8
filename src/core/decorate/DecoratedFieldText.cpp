#include "core/decorate/DecoratedFieldText.h"

#include <algorithm>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

// The bytes `before` and `after` share at their start and at their end, cut between characters.
struct Shared {
  std::size_t head = 0;
  std::size_t tail = 0;
};

bool StartsCharacter(std::string_view text, std::size_t pos) {
  std::size_t at = 0;
  while (at < pos) at += CharWidthAt(text, at);
  return at == pos;
}

Shared SharedEnds(std::string_view before, std::string_view after) {
  Shared shared;
  while (shared.head < before.size() && shared.head < after.size()) {
    std::size_t width = CharWidthAt(before, shared.head);
    if (before.substr(shared.head, width) != after.substr(shared.head, width)) break;
    shared.head += width;
  }
  std::size_t limit = std::min(before.size(), after.size()) - shared.head;
  while (shared.tail < limit &&
         before[before.size() - 1 - shared.tail] == after[after.size() - 1 - shared.tail]) {
    ++shared.tail;
  }
  // A trail byte may look like a single-byte character: shrink until both cuts fall between
  // characters.
  while (shared.tail > 0 && !(StartsCharacter(before, before.size() - shared.tail) &&
                              StartsCharacter(after, after.size() - shared.tail))) {
    --shared.tail;
  }
  return shared;
}

}  // namespace

void CDecoratedFieldText::Load(std::string_view fragment) {
  raw_ = fragment;
  understood_ = doc_.SetHtml(fragment);
}

std::string CDecoratedFieldText::PlainText() const { return understood_ ? doc_.GetText() : raw_; }

std::string CDecoratedFieldText::Edit(std::string_view text) {
  if (!understood_) {
    raw_ = text;
    return raw_;
  }
  std::string before = doc_.GetText();
  Shared shared = SharedEnds(before, text);
  const auto removed = static_cast<int>(before.size() - shared.head - shared.tail);
  doc_.DeleteText(static_cast<int>(shared.head), removed, true);
  std::string_view inserted = text.substr(shared.head, text.size() - shared.head - shared.tail);
  // Typed text continues the decoration it is typed into, as in the decorated editor.
  doc_.InsertText(static_cast<int>(shared.head), inserted, kDecorateInsert, true, true, true);
  doc_.GetHtml(raw_);
  return raw_;
}

}  // namespace nuvo
