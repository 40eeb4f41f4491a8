#pragma once

#include <string>
#include <string_view>

#include "core/html/TemplateNode.h"

// A text node of a description tree: one string of code page 932, either plain template HTML
// or, directly inside an Item or a Detail, decorated-editor HTML. It has no children.
namespace nuvo {

class CTemplateText : public CTemplateNode {
 public:
  explicit CTemplateText(std::string text = {}, bool decorated = false);

  std::string GetText() const override { return text_; }
  void SetText(std::string_view text) override;
  std::string GetTextPart(std::size_t start, std::size_t count) const override;
  void InsertText(std::size_t pos, std::string_view text) override;
  void DeleteText(std::size_t start, std::size_t count) override;

  // The string itself, without a copy.
  const std::string& Text() const { return text_; }
  bool IsDecorated() const { return decorated_; }

  std::unique_ptr<CTemplateNode> CloneSelf() const override;
  std::unique_ptr<CTemplateNode> CreateEmpty() const override;

 protected:
  CTemplateText(const CTemplateText& other) = default;

 private:
  std::string text_;
  bool decorated_;
};

}  // namespace nuvo
