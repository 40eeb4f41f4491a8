#include "core/html/HtmlTreeWriter.h"

#include "core/html/HtmlTagTable.h"

namespace nuvo {
namespace {

// No trail byte of a two-byte character is below 0x40, so the characters escaped here are never
// half of one.
void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      default:
        out += c;
    }
  }
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Script and style sheet contents were kept as they stood, so they are written back that way.
bool HoldsRawText(const CHtmlNode& node) {
  return node.GetTag() == "script" || node.GetTag() == "style";
}

struct Frame {
  const CHtmlNode* node;
  std::size_t next = 0;
  bool writeEndTag = false;
  bool lastDropped = false;
};

class CTreeWriter {
 public:
  explicit CTreeWriter(const HtmlElementFilter& filter) : filter_(filter) {}

  std::string Write(const CHtmlNode& top) {
    if (top.IsElement()) {
      Frame root{nullptr};
      Visit(top, root);
    } else {
      frames_.push_back({&top});
    }
    while (!frames_.empty()) {
      Frame& frame = frames_.back();
      const auto& children = frame.node->GetChildren();
      if (frame.next < children.size()) {
        Visit(*children[frame.next++], frame);
        continue;
      }
      Frame done = frame;
      frames_.pop_back();
      if (done.writeEndTag) {
        out_ += "</";
        out_ += done.node->GetTag();
        out_ += '>';
      } else if (!frames_.empty()) {
        // An unwrapped element's last child stands next to what follows it.
        frames_.back().lastDropped = done.lastDropped;
      }
    }
    return std::move(out_);
  }

 private:
  // `parent` may move when a frame is pushed, so it is not used after that.
  void Visit(const CHtmlNode& node, Frame& parent) {
    switch (node.GetKind()) {
      case CHtmlNode::Kind::Text:
        if (parent.node && HoldsRawText(*parent.node)) {
          out_ += node.GetText();
        } else {
          AppendEscaped(out_, node.GetText(), false);
        }
        if (!IsBlank(node.GetText())) parent.lastDropped = false;
        return;
      case CHtmlNode::Kind::Comment:
        out_ += "<!--";
        out_ += node.GetText();
        out_ += "-->";
        return;
      case CHtmlNode::Kind::Document:
        frames_.push_back({&node, 0, false, parent.lastDropped});
        return;
      case CHtmlNode::Kind::Element:
        break;
    }
    HtmlElementRewrite rewrite;
    rewrite.attributes = node.GetAttributes();
    rewrite.afterDropped = parent.lastDropped;
    if (filter_) filter_(node, rewrite);
    using Action = HtmlElementRewrite::Action;
    switch (rewrite.action) {
      case Action::kDrop:
        parent.lastDropped = true;
        return;
      case Action::kReplace:
        out_ += rewrite.markup;
        parent.lastDropped = false;
        return;
      case Action::kUnwrap:
        frames_.push_back({&node, 0, false, parent.lastDropped});
        return;
      case Action::kKeep:
        break;
    }
    parent.lastDropped = false;
    out_ += '<';
    out_ += node.GetTag();
    for (const CHtmlNode::Attribute& attribute : rewrite.attributes) {
      out_ += ' ';
      out_ += attribute.name;
      out_ += "=\"";
      AppendEscaped(out_, attribute.value, true);
      out_ += '"';
    }
    out_ += '>';
    if (!IsEmptyTag(node.GetTag())) frames_.push_back({&node, 0, true, false});
  }

  const HtmlElementFilter& filter_;
  std::vector<Frame> frames_;
  std::string out_;
};

}  // namespace

std::string WriteHtmlTree(const CHtmlNode& top, const HtmlElementFilter& filter) {
  return CTreeWriter(filter).Write(top);
}

std::string EscapeHtmlText(std::string_view text) {
  std::string out;
  AppendEscaped(out, text, false);
  return out;
}

std::string EscapeHtmlAttribute(std::string_view value) {
  std::string out;
  AppendEscaped(out, value, true);
  return out;
}

}  // namespace nuvo
