#include "core/html/TemplateParser.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "core/common/Encoding.h"
#include "core/html/BuiltinTemplates.h"
#include "core/html/TemplateText.h"

namespace nuvo {
namespace {

constexpr std::string_view kDirectiveOpen = "<!--#";
constexpr std::string_view kDirectiveClose = "-->";

// A template file larger than this is not a page template; refusing it keeps a stray file from
// being read into memory whole.
constexpr std::uintmax_t kMaxTemplateFileSize = 64u << 20;

bool EndsWith(std::string_view text, std::size_t end, std::string_view tail) {
  return end >= tail.size() && text.substr(end - tail.size(), tail.size()) == tail;
}

// The walk over one template text: the current section, how deep it is, and how many sections
// above the depth limit are open (their directives are being kept as text).
class CTemplateReader {
 public:
  CTemplateReader(CTemplateNode& root, const CNodeFactory& factory)
      : current_(&root), factory_(factory) {}

  void Read(std::string_view text) {
    // Pending text runs from textStart; inside a directive, its name starts at nameStart.
    std::size_t textStart = 0;
    std::size_t nameStart = 0;
    bool inDirective = false;
    for (std::size_t pos = 0; pos < text.size(); pos += CharWidthAt(text, pos)) {
      const char byte = text[pos];
      if (!inDirective && byte == '#' && EndsWith(text, pos + 1, kDirectiveOpen)) {
        inDirective = true;
        nameStart = pos + 1;
      } else if (inDirective && byte == '>' && pos + 1 - nameStart >= kDirectiveClose.size() &&
                 EndsWith(text, pos + 1, kDirectiveClose)) {
        inDirective = false;
        const std::size_t textEnd = nameStart - kDirectiveOpen.size();
        const std::string_view name =
            text.substr(nameStart, pos + 1 - kDirectiveClose.size() - nameStart);
        if (KeepsAsText(name)) continue;
        AddText(text.substr(textStart, textEnd - textStart), HoldsDecoratedText(*current_));
        Apply(name);
        textStart = pos + 1;
      }
    }
    if (inDirective) {
      const std::size_t textEnd = nameStart - kDirectiveOpen.size();
      AddText(text.substr(textStart, textEnd - textStart), HoldsDecoratedText(*current_));
      textStart = nameStart;
    }
    AddText(text.substr(textStart), false);
  }

 private:
  static bool IsEnd(std::string_view name) { return name.find('@', 1) != std::string_view::npos; }

  // Directives of sections beyond the depth limit stay in the text, opens and closes alike.
  bool KeepsAsText(std::string_view name) {
    if (IsEnd(name)) {
      if (overflow_ == 0) return false;
      --overflow_;
      return true;
    }
    if (depth_ < kMaxSectionDepth && overflow_ == 0) return false;
    ++overflow_;
    return true;
  }

  void AddText(std::string_view text, bool decorated) {
    if (!text.empty())
      current_->AddChild(std::make_unique<CTemplateText>(std::string(text), decorated));
  }

  void Apply(std::string_view name) {
    if (IsEnd(name)) {
      // An end with no open section has nothing to close.
      if (depth_ > 0) {
        current_ = current_->Parent();
        --depth_;
      }
      return;
    }
    const ENodeKind kind = KindFromName(name);
    std::unique_ptr<CTemplateNode> node;
    if (factory_) node = factory_(kind, name);
    if (!node) node = std::make_unique<CTemplateNode>(kind, std::string(name));
    if (kind == ENodeKind::Block && current_->Kind() == ENodeKind::ShipMethodGeneral &&
        node->ListMode() == 0) {
      node->SetListMode(kShipMethodListMode);
    }
    if (kind == ENodeKind::Detail && current_->Kind() == ENodeKind::Block &&
        current_->ListMode() == kShipMethodListMode && node->ListMode() == 0) {
      node->SetListMode(kShipMethodListMode);
    }
    current_ = current_->AddChild(std::move(node));
    ++depth_;
  }

  CTemplateNode* current_;
  const CNodeFactory& factory_;
  std::size_t depth_ = 0;
  std::size_t overflow_ = 0;
};

}  // namespace

bool ParseTemplate(CTemplateNode* root, std::string_view text, const CNodeFactory& factory) {
  if (!root) return false;
  root->Clear();
  CTemplateReader(*root, factory).Read(text);
  return true;
}

bool ParseTemplateFile(CTemplateNode* root, const std::filesystem::path& path,
                       const CNodeFactory& factory) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxTemplateFileSize) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return false;
  return ParseTemplate(root, text, factory);
}

bool ParseTemplateResource(CTemplateNode* root, int resourceId, int resourceType,
                           const CNodeFactory& factory) {
  const std::string* text =
      resourceType == kHtmlResourceType ? BuiltinTemplateText(resourceId) : nullptr;
  return text && ParseTemplate(root, *text, factory);
}

}  // namespace nuvo
