#include "core/html/TemplateText.h"

#include <algorithm>
#include <utility>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

// `pos` clamped to the text and moved back to the start of the character it falls in.
std::size_t CharStartAtOrBefore(std::string_view text, std::size_t pos) {
  pos = std::min(pos, text.size());
  std::size_t start = 0;
  while (start < pos) {
    std::size_t next = start + CharWidthAt(text, start);
    if (next > pos) break;
    start = next;
  }
  return start;
}

}  // namespace

CTemplateText::CTemplateText(std::string text, bool decorated)
    : CTemplateNode(ENodeKind::Text), text_(std::move(text)), decorated_(decorated) {}

void CTemplateText::SetText(std::string_view text) {
  if (IsEnabled()) text_ = text;
}

std::string CTemplateText::GetTextPart(std::size_t start, std::size_t count) const {
  std::size_t first = CharStartAtOrBefore(text_, start);
  std::size_t last = CharStartAtOrBefore(text_, first + std::min(count, text_.size() - first));
  return text_.substr(first, last - first);
}

void CTemplateText::InsertText(std::size_t pos, std::string_view text) {
  if (IsEnabled()) text_.insert(CharStartAtOrBefore(text_, pos), text);
}

void CTemplateText::DeleteText(std::size_t start, std::size_t count) {
  if (!IsEnabled()) return;
  std::size_t first = CharStartAtOrBefore(text_, start);
  std::size_t last = CharStartAtOrBefore(text_, first + std::min(count, text_.size() - first));
  text_.erase(first, last - first);
}

std::unique_ptr<CTemplateNode> CTemplateText::CloneSelf() const {
  return std::unique_ptr<CTemplateNode>(new CTemplateText(*this));
}

std::unique_ptr<CTemplateNode> CTemplateText::CreateEmpty() const {
  return std::make_unique<CTemplateText>(std::string(), decorated_);
}

}  // namespace nuvo
