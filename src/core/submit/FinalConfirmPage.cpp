#include "core/submit/FinalConfirmPage.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"
#include "core/html/BuiltinTemplates.h"
#include "core/html/HtmlTreeWriter.h"
#include "core/net/HttpUrl.h"

namespace nuvo {
namespace {

using Action = HtmlElementRewrite::Action;
using Attributes = std::vector<CHtmlNode::Attribute>;

bool HasClass(const CHtmlNode& node, std::string_view name) {
  const std::string* classes = node.FindAttribute("class");
  if (!classes) return false;
  std::string_view rest = *classes;
  while (!rest.empty()) {
    const std::size_t start = rest.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) break;
    rest = rest.substr(start);
    const std::size_t end = std::min(rest.find_first_of(" \t\r\n"), rest.size());
    if (EqualsIgnoreCase(rest.substr(0, end), name)) return true;
    rest = rest.substr(end);
  }
  return false;
}

bool HasId(const CHtmlNode& node, std::string_view id) {
  const std::string* value = node.FindAttribute("id");
  return value && EqualsIgnoreCase(*value, id);
}

bool AttributeIs(const CHtmlNode& node, std::string_view name, std::string_view value) {
  const std::string* found = node.FindAttribute(name);
  return found && EqualsIgnoreCase(*found, value);
}

// The first element under `top` (itself included) that has class `name`.
const CHtmlNode* FindByClass(const CHtmlNode* top, std::string_view tag, std::string_view name) {
  for (const CHtmlNode* node : CHtmlSubDocument(top).FindAll({tag, "class"})) {
    if (HasClass(*node, name)) return node;
  }
  return nullptr;
}

std::vector<const CHtmlNode*> FindAllByClass(const CHtmlNode* top, std::string_view name) {
  std::vector<const CHtmlNode*> found = CHtmlSubDocument(top).FindAll({"", "class"});
  std::erase_if(found, [name](const CHtmlNode* node) { return !HasClass(*node, name); });
  return found;
}

void SetAttribute(Attributes& attributes, std::string_view name, std::string value) {
  for (CHtmlNode::Attribute& attribute : attributes) {
    if (EqualsIgnoreCase(attribute.name, name)) {
      attribute.value = std::move(value);
      return;
    }
  }
  attributes.push_back({std::string(name), std::move(value)});
}

std::string Attribute(const std::string& name, std::string_view value) {
  return " " + name + "=\"" + EscapeHtmlAttribute(value) + '"';
}

// A style attribute, or nothing when there is no style to give.
std::string StyleAttribute(std::string_view style) {
  return style.empty() ? std::string() : Attribute("style", style);
}

// A pixel size from a "width" or "height" attribute, when it is a plain positive number.
std::optional<int> PixelAttribute(const CHtmlNode& image, std::string_view name) {
  const std::string* text = image.FindAttribute(name);
  if (!text) return std::nullopt;
  int value = 0;
  const char* end = text->data() + text->size();
  auto [ptr, error] = std::from_chars(text->data(), end, value);
  if (error != std::errc() || value <= 0 ||
      (ptr != end && std::string_view(ptr, end - ptr) != "px")) {
    return std::nullopt;
  }
  return value;
}

std::string SizeStyle(const CHtmlNode& image) {
  std::string style;
  if (auto width = PixelAttribute(image, "width"))
    style += "width:" + std::to_string(*width) + "px;";
  if (auto height = PixelAttribute(image, "height")) {
    style += "height:" + std::to_string(*height) + "px;";
  }
  return style;
}

std::string OpacityStyle(int percent) {
  std::string style = "filter:alpha(opacity=" + std::to_string(percent) + ");opacity:";
  style +=
      percent >= 100 ? "1" : "0." + std::to_string(percent / 10) + std::to_string(percent % 10);
  return style;
}

// The first picture with an address inside each element of class `frame` under `block`.
std::vector<const CHtmlNode*> ImagesIn(const CHtmlNode& block, std::string_view frame) {
  std::vector<const CHtmlNode*> images;
  for (const CHtmlNode* node : FindAllByClass(&block, frame)) {
    if (const CHtmlNode* image = CHtmlSubDocument(node).Find({"img", "src"})) {
      images.push_back(image);
    }
  }
  return images;
}

// One photo of the service's gallery: the large picture and its small one.
struct GalleryPhoto {
  const CHtmlNode* image;
  const CHtmlNode* thumbnail;
};

// The gallery's own layout, so that it reads as a gallery even where the service's style sheets
// cannot be fetched: the large photo, then its thumbnails in one row.
constexpr char kGalleryStyle[] =
    "<style type=\"text/css\">\n"
    ".ProductImage { margin: 8px 0; }\n"
    ".ProductImage__thumbnails { list-style: none; margin: 4px 0; padding: 0; }\n"
    ".ProductImage__thumbnail { display: inline-block; margin: 0 4px 4px 0; }\n"
    ".ProductImage__thumbnail.is-on img { outline: 2px solid #759ede; }\n"
    "</style>";

class CConfirmPageRewriter {
 public:
  CConfirmPageRewriter(const CHtmlDocument& page, std::string_view pageUrl)
      : page_(page), pageUrl_(pageUrl) {}

  std::string Build(const CHtmlNode& content, const CHtmlNode* wrapper) {
    std::string out =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">";
    std::string title;
    page_.GetTitle(title);
    out += "<title>" + EscapeHtmlText(title) + "</title>";
    WriteStyleSheets(out);
    out += *BuiltinTemplateText(kTemplateConfirmStyle);
    out += kGalleryStyle;
    out += "</head><body>";
    out += *BuiltinTemplateText(kTemplateConfirmNote);
    if (wrapper) out += "<div" + Attribute("class", "wrapper") + ">";
    out += WriteHtmlTree(content, [this](const CHtmlNode& node, HtmlElementRewrite& rewrite) {
      Rewrite(node, rewrite);
    });
    if (wrapper) out += "</div>";
    out += "</body></html>";
    return out;
  }

 private:
  void WriteStyleSheets(std::string& out) const {
    const CHtmlNode* head = page_.Find({"head"});
    if (!head) return;
    for (const CHtmlNode* link : CHtmlSubDocument(head).FindAll({"link", "rel", "stylesheet"})) {
      const std::string* href = link->FindAttribute("href");
      if (!AttributeIs(*link, "type", "text/css") || !href) continue;
      out += "<link" + Attribute("rel", "stylesheet") + Attribute("type", "text/css") +
             Attribute("href", Absolute(*href)) + ">";
    }
  }

  std::string Absolute(const std::string& url) const {
    if (pageUrl_.empty() || url.empty() || url.front() == '#') return url;
    return ResolveUrl(pageUrl_, url);
  }

  void Rewrite(const CHtmlNode& node, HtmlElementRewrite& rewrite) const {
    rewrite.action = Decide(node, rewrite.afterDropped);
    if (rewrite.action == Action::kReplace) {
      rewrite.markup = Gallery(node);
      if (rewrite.markup.empty()) rewrite.action = Action::kDrop;
    }
    if (rewrite.action != Action::kKeep) return;
    if (node.GetTag() == "div" && (HasClass(node, "decSmryTable") || HasClass(node, "ExCharge"))) {
      SetAttribute(rewrite.attributes, "class", "decSmryTableZS");
    }
    if (HasId(node, "modCfmBox")) SetAttribute(rewrite.attributes, "id", "modCfmBoxZS");
    CleanAttributes(rewrite.attributes);
  }

  static Action Decide(const CHtmlNode& node, bool afterDropped) {
    const std::string& tag = node.GetTag();
    if (tag == "script" || tag == "noscript" || tag == "iframe") return Action::kDrop;
    if (tag == "input") {
      for (std::string_view type : {"button", "checkbox", "submit"}) {
        if (AttributeIs(node, "type", type)) return Action::kDrop;
      }
      return Action::kKeep;
    }
    // Nothing in the shown page may send the listing: the form's contents stay, the form goes.
    if (tag == "form") return Action::kUnwrap;
    if (tag == "br") return afterDropped ? Action::kDrop : Action::kKeep;
    if (tag == "table" && HasClass(node, "decDrftSave")) return Action::kDrop;
    if ((tag == "ul" || tag == "ol") && HasClass(node, "StepNavi")) return Action::kDrop;
    if (tag == "div") {
      for (std::string_view id : {"mastHead", "modLoginBar", "modTitBar", "Footer"}) {
        if (HasId(node, id)) return Action::kDrop;
      }
      // Of the service's note boxes only its notice is kept.
      if (HasClass(node, "Note__text") && node.GetInnerText().find("NOTE") == std::string::npos) {
        return Action::kDrop;
      }
    }
    if (HasClass(node, "ProductImage")) return Action::kReplace;
    return Action::kKeep;
  }

  void CleanAttributes(Attributes& attributes) const {
    std::erase_if(attributes, [](const CHtmlNode::Attribute& attribute) {
      // Every script is gone, so every handler that would call one goes too.
      if (attribute.name.size() > 2 && attribute.name.starts_with("on")) return true;
      return attribute.name == "href" && AsciiLower(attribute.value).starts_with("javascript:");
    });
    for (CHtmlNode::Attribute& attribute : attributes) {
      if (attribute.name == "href" || attribute.name == "src") {
        attribute.value = Absolute(attribute.value);
      }
    }
  }

  // The photo gallery in place of the service's one; nothing when the listing has no photos.
  std::string Gallery(const CHtmlNode& block) const {
    // The service shows either one large picture per photo or only the first one large; the
    // thumbnails then name the rest.
    const std::vector<const CHtmlNode*> large = ImagesIn(block, "ProductImage__image");
    const std::vector<const CHtmlNode*> small = ImagesIn(block, "ProductImage__thumbnail");
    std::vector<GalleryPhoto> photos(std::max(large.size(), small.size()));
    if (photos.empty()) return {};
    for (std::size_t i = 0; i < photos.size(); ++i) {
      photos[i].image = i < large.size() ? large[i] : small[i];
      photos[i].thumbnail = i < small.size() ? small[i] : large[i];
    }

    const CHtmlNode& first = *photos.front().image;
    std::string out = "<div" + Attribute("class", "ProductImage") + ">";
    out += "<div" + Attribute("class", "ProductImage__image") + "><img" +
           Attribute("name", "__zs_product_image_first") +
           Attribute("src", Absolute(*first.FindAttribute("src"))) + Attribute("alt", "") +
           StyleAttribute(SizeStyle(first)) + "></div>";
    out += CaptionBlock();
    out += "<ul" + Attribute("class", "ProductImage__thumbnails") + ">";
    for (std::size_t i = 0; i < photos.size(); ++i) {
      const bool selected = i == 0;
      const CHtmlNode& thumbnail = *photos[i].thumbnail;
      out += "<li" +
             Attribute("class",
                       selected ? "ProductImage__thumbnail is-on" : "ProductImage__thumbnail") +
             ">";
      // The link carries the large picture's address, for the view that swaps it in.
      out += "<a" + Attribute("class", "ProductImage__link") +
             Attribute("href", kThumbnailLinkPrefix + std::to_string(i + 1)) +
             Attribute("data-image", Absolute(*photos[i].image->FindAttribute("src"))) + ">";
      out += "<img" + Attribute("name", "__zs_product_image_thumbnail_item") +
             Attribute("src", Absolute(*thumbnail.FindAttribute("src"))) + Attribute("alt", "") +
             Attribute("style", SizeStyle(thumbnail) +
                                    OpacityStyle(selected ? 100 : kDimmedThumbnailOpacity)) +
             "></a></li>";
    }
    out += "</ul></div>";
    return out;
  }

  // The caption block, hidden until the view shows it.
  static std::string CaptionBlock() {
    const CHtmlDocument caption(*BuiltinTemplateText(kTemplateImageCaption));
    return WriteHtmlTree(*caption.GetTop(), [](const CHtmlNode& node, HtmlElementRewrite& rewrite) {
      if (AttributeIs(node, "name", "__zs_product_image_caption_first")) {
        SetAttribute(rewrite.attributes, "style", "display:none");
      }
    });
  }

  const CHtmlDocument& page_;
  std::string pageUrl_;
};

const CHtmlNode* FindConfirmForm(const CHtmlDocument& page) {
  if (const CHtmlNode* form = page.Find({"form", "name", "auction"})) return form;
  return page.Find({"form", "id", "auction"});
}

}  // namespace

bool IsFinalConfirmPage(const CHtmlDocument& page) {
  static const std::string kConfirm = Cp932("確認");
  std::string title;
  return page.GetTitle(title) && title.find(kConfirm) != std::string::npos &&
         page.Find({"div", "id", "yaucSellItemCfm"}) && FindConfirmForm(page);
}

std::optional<std::string> BuildFinalConfirmPage(const CHtmlDocument& page,
                                                 std::string_view pageUrl) {
  if (!IsFinalConfirmPage(page)) return std::nullopt;
  const CHtmlNode* wrapper = FindByClass(page.GetTop(), "div", "wrapper");
  const CHtmlNode* content = nullptr;
  if (wrapper) content = CHtmlSubDocument(wrapper).Find({"div", "id", "yaucSellItemCfm"});
  if (!content) {
    wrapper = nullptr;
    content = page.Find({"div", "id", "yaucSellItemCfm"});
  }
  return CConfirmPageRewriter(page, pageUrl).Build(*content, wrapper);
}

}  // namespace nuvo
