#include "core/html/HtmlElement.h"

#include <algorithm>

namespace nuvo {

CHtmlElement& CHtmlElement::SetAttribute(std::string_view name, std::string value) {
  auto it = std::find_if(attributes_.begin(), attributes_.end(),
                         [&](const Attribute& attribute) { return attribute.name == name; });
  if (it != attributes_.end()) {
    it->value = std::move(value);
  } else {
    attributes_.push_back({std::string(name), std::move(value)});
  }
  return *this;
}

CHtmlElement& CHtmlElement::SetAttribute(std::string_view name, std::int64_t value) {
  return SetAttribute(name, std::to_string(value));
}

bool CHtmlElement::HasAttribute(std::string_view name) const {
  return std::any_of(attributes_.begin(), attributes_.end(),
                     [&](const Attribute& attribute) { return attribute.name == name; });
}

CHtmlElement& CHtmlElement::AddElement(std::string tag) {
  auto element = std::make_unique<CHtmlElement>(std::move(tag));
  CHtmlElement& added = *element;
  children_.push_back(std::move(element));
  return added;
}

CHtmlElement& CHtmlElement::AddText(std::string text) {
  children_.push_back(std::make_unique<CHtmlText>(std::move(text)));
  return *this;
}

CHtmlElement& CHtmlElement::AddChild(std::unique_ptr<CHtmlContent> child) {
  children_.push_back(std::move(child));
  return *this;
}

void CHtmlElement::Write(std::string& out) const {
  out += '<';
  out += tag_;
  for (const Attribute& attribute : attributes_) {
    out += ' ';
    out += attribute.name;
    if (!attribute.value.empty()) {
      out += "=\"";
      out += attribute.value;
      out += '"';
    }
  }
  out += '>';
  for (const auto& child : children_) child->Write(out);
  out += "</";
  out += tag_;
  out += '>';
}

std::string CHtmlElement::ToString() const {
  std::string out;
  Write(out);
  return out;
}

}  // namespace nuvo
