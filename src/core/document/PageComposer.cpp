#include "core/document/PageComposer.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/common/Encoding.h"
#include "core/document/AlignNode.h"
#include "core/document/DocumentNodes.h"
#include "core/document/NuvoDoc.h"
#include "core/html/AmountText.h"
#include "core/html/HtmlElement.h"
#include "core/html/HtmlEscape.h"
#include "core/html/HtmlParser.h"

namespace nuvo {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string Escaped(std::string text) {
  EscapeHtml(text);
  return text;
}

// An address placed in an attribute: the characters that would end the value or start markup
// become entities. A space becomes "%20" rather than "&nbsp;", which would name another
// character and so another address.
std::string EscapedUrl(std::string_view url) {
  std::string out;
  out.reserve(url.size());
  for (char c : url) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case ' ':
        out += "%20";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// An attribute value read back from markup (entities decoded), made safe to quote again.
std::string RequotedValue(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

const CTemplateNode* NearestAncestor(const CTemplateNode& node, ENodeKind kind) {
  for (const CTemplateNode* up = node.Parent(); up; up = up->Parent()) {
    if (up->Kind() == kind) return up;
  }
  return nullptr;
}

// The shipping method whose fee column `detail` is, or null for any other Detail.
const CShipMethod* ShipMethodOf(const CTemplateNode& detail) {
  if (detail.ListMode() != kShipMethodListMode) return nullptr;
  const CTemplateNode* block = NearestAncestor(detail, ENodeKind::Block);
  if (!block || block->ListMode() != kShipMethodListMode) return nullptr;
  auto* row = dynamic_cast<const CShipMethodRow*>(block);
  return row ? &row->value : nullptr;
}

bool InShipMethodRow(const CTemplateNode& node) {
  const CTemplateNode* block = NearestAncestor(node, ENodeKind::Block);
  return block && block->ListMode() == kShipMethodListMode;
}

std::string FeeLine(std::string_view label, std::int64_t yen) {
  static const std::string taxIncluded = Cp932("（税込）");
  std::string line(label);
  line += AmountText(yen);
  line += taxIncluded;
  return line;
}

// The flat fee's line; a fee the seller has not entered yet is never shown as an amount.
std::string FlatFeeLine(std::int64_t yen) {
  static const std::string flat = Cp932("全国一律 ");
  static const std::string later = Cp932("送料は落札後にお知らせします");
  return CShipMethod::IsEntered(yen) ? FeeLine(flat, yen) : later;
}

std::string RenderShipFee(const CShipMethod& method) {
  switch (method.feeType) {
    case CShipMethod::kFlatFee:
      return FlatFeeLine(method.fee);
    case CShipMethod::kFlatFeeAndRegions: {
      std::string text = FlatFeeLine(method.fee);
      if (!method.HasRegionalFees()) return text;
      static const std::array<std::string, 3> regions = {Cp932("北海道 "), Cp932("沖縄 "),
                                                         Cp932("離島 ")};
      static const std::string comma = Cp932("、");
      const std::array<std::int64_t, 3> fees = {method.hokkaidoFee, method.okinawaFee,
                                                method.islandsFee};
      std::string regional = Cp932("（");
      bool first = true;
      for (std::size_t i = 0; i < fees.size(); ++i) {
        if (!CShipMethod::IsEntered(fees[i])) continue;
        if (!first) regional += comma;
        regional += FeeLine(regions[i], fees[i]);
        first = false;
      }
      regional += Cp932("）");
      CHtmlElement font("font");
      font.SetAttribute("size", "-1").SetAttribute("color", "#505050").AddText(regional);
      return text + "<br>" + font.ToString();
    }
    case CShipMethod::kFeeTable: {
      CHtmlElement link("a");
      link.SetAttribute("href", EscapedUrl(method.feeTableUrl)).AddText(Cp932("料金表ページ"));
      return link.ToString();
    }
    case CShipMethod::kCashOnDelivery:
      return Cp932("着払い");
    default:
      return {};
  }
}

std::string RenderSizeWeight(const CSizeWeight& sizeWeight) {
  if (sizeWeight.size.amount <= 0 && sizeWeight.weight.amount <= 0) return {};
  auto orDash = [](std::string text) { return text.empty() ? std::string("-") : text; };
  CHtmlElement center("center");
  CHtmlElement& table = center.AddElement("table");
  table.SetAttribute("border", 0)
      .SetAttribute("cellpadding", 3)
      .SetAttribute("cellspacing", 1)
      .SetAttribute("width", "95%")
      .SetAttribute("bgcolor", "#C0C0C0");
  CHtmlElement& row = table.AddElement("tr");
  row.AddElement("td")
      .SetAttribute("rowspan", 2)
      .SetAttribute("width", "20%")
      .SetAttribute("align", "center")
      .SetAttribute("bgcolor", "#E0E0E0")
      .AddText(Cp932("サイズと重さ"));
  CHtmlElement& inner = row.AddElement("td")
                            .SetAttribute("width", "80%")
                            .SetAttribute("align", "left")
                            .SetAttribute("bgcolor", "#FFFFFF")
                            .AddElement("table")
                            .SetAttribute("border", 0);
  const std::pair<std::string, std::string> lines[] = {
      {Cp932("3辺の合計サイズ"), orDash(sizeWeight.SizeText())},
      {Cp932("重さ"), orDash(sizeWeight.WeightText())}};
  for (const auto& [label, value] : lines) {
    CHtmlElement& line = inner.AddElement("tr");
    line.AddElement("td").SetAttribute("width", 155).AddText(label);
    line.AddElement("td").AddText(Cp932("："));
    line.AddElement("td").AddText(value);
  }
  return CHtmlElement("p").ToString() + center.ToString() + std::string(kLineBreak);
}

// The Align section's text with its one tag's alignment set, when the text is exactly one
// empty element that has an "align" attribute; otherwise the text as it stands.
std::string Realigned(std::string text, std::int32_t alignment) {
  if (text.find("</") != std::string::npos) return text;
  auto parsed = ParseHtml(text);
  if (parsed->GetChildren().size() != 1) return text;
  const CHtmlNode& tag = *parsed->GetChildren().front();
  if (!tag.IsElement() || !tag.GetChildren().empty() || !tag.HasAttribute("align")) return text;
  CHtmlElement element(tag.GetTag());
  for (const CHtmlNode::Attribute& attribute : tag.GetAttributes()) {
    element.SetAttribute(attribute.name, RequotedValue(attribute.value));
  }
  element.SetAttribute("align", alignment == 0 ? "left" : "right");
  return element.ToString();
}

// The service's own carrier services the listing offers, one row per group: the group's name
// and its chosen services (with the group's package size when one is set).
std::vector<std::pair<std::string, std::string>> ServiceRows(const CShipSettings& shipping) {
  struct Service {
    std::uint32_t flag;
    const char* name;
  };
  struct Group {
    const char* name;
    std::vector<Service> services;
    const CSizeWeight* size;
  };
  const Group groups[] = {
      {"ヤフネコ!パック",
       {{CShipSettings::kNekoposu, "ネコポス"},
        {CShipSettings::kTakkyubin, "宅急便"},
        {CShipSettings::kTakkyubinCompact, "宅急便コンパクト"}},
       &shipping.groupASize},
      {"はこBOON",
       {{CShipSettings::kHakoboon, "はこBOON"}, {CShipSettings::kHakoboonMini, "はこBOON mini"}},
       &shipping.groupBSize},
      {"ゆうパック・ゆうパケット（おてがる版）",
       {{CShipSettings::kYuPack, "ゆうパック（おてがる版）"},
        {CShipSettings::kYuPacket, "ゆうパケット（おてがる版）"}},
       &shipping.groupCSize},
  };
  std::vector<std::pair<std::string, std::string>> rows;
  for (const Group& group : groups) {
    std::string services;
    for (const Service& service : group.services) {
      if (!(shipping.GetServiceFlags() & service.flag)) continue;
      if (!services.empty()) services += Cp932("、");
      services += Cp932(service.name);
    }
    if (services.empty()) continue;
    if (group.size->IsSet()) services += Cp932("（") + group.size->Text() + Cp932("）");
    rows.emplace_back(Escaped(Cp932(group.name)), Escaped(services));
  }
  return rows;
}

// Walks a tree and writes each node's rendering. Recursion follows the tree's depth, which the
// template parser bounds.
class CPageRenderer {
 public:
  CPageRenderer(const CTemplateNode& root, const CPageOptions& options) : options_(options) {
    const auto photos = root.FindDescendants(ENodeKind::Photo);
    for (std::size_t i = 0; i < photos.size(); ++i) photoIndex_.emplace(photos[i], i);
    const auto banners = root.FindDescendants(ENodeKind::Banner);
    for (std::size_t i = 0; i < banners.size(); ++i) bannerIndex_.emplace(banners[i], i);
  }

  void Render(const CTemplateNode& node, std::string& out) {
    if (!node.IsEnabled()) return;
    switch (node.Kind()) {
      case ENodeKind::Text:
        out += node.GetText();
        return;
      case ENodeKind::Unvisible:
      case ENodeKind::ChargeOption:
      case ENodeKind::ShipMethod:
        return;
      case ENodeKind::Title:
        RenderTitle(node, out);
        return;
      case ENodeKind::Delimiter:
        CHtmlElement("hr").SetAttribute("noshade", "").Write(out);
        out += kLineBreak;
        return;
      case ENodeKind::Align: {
        std::string text;
        RenderChildren(node, text);
        auto* align = dynamic_cast<const CAlignNode*>(&node);
        out += Realigned(std::move(text), align ? align->value : 0);
        return;
      }
      case ENodeKind::Item:
        if (serviceRow_) {
          out += serviceRow_->first;
        } else if (InShipMethodRow(node)) {
          // A method's name is plain text the seller typed.
          out += Escaped(node.GetText());
        } else {
          RenderChildren(node, out);
        }
        return;
      case ENodeKind::Detail:
        if (serviceRow_) {
          out += serviceRow_->second;
        } else if (const CShipMethod* method = ShipMethodOf(node)) {
          out += RenderShipFee(*method);
        } else {
          RenderChildren(node, out);
        }
        return;
      case ENodeKind::SizeAndWeight:
        if (auto* sizeWeight = dynamic_cast<const CSizeAndWeightNode*>(&node)) {
          out += RenderSizeWeight(sizeWeight->value);
        }
        return;
      case ENodeKind::InternetImage:
        RenderNetImage(node, out);
        return;
      case ENodeKind::Photo:
        RenderPhoto(node, out);
        return;
      case ENodeKind::Banner:
        RenderBanner(node, out);
        return;
      case ENodeKind::Caption:
        RenderCaption(node, out);
        return;
      case ENodeKind::ShipMethodYahooSpecific:
        if (auto* services = dynamic_cast<const CShipServiceNode*>(&node)) {
          RenderServices(*services, out);
        } else {
          RenderChildren(node, out);
        }
        return;
      default:
        RenderChildren(node, out);
    }
  }

 private:
  void RenderChildren(const CTemplateNode& node, std::string& out) {
    for (const auto& child : node.Children()) Render(*child, out);
  }

  void RenderTitle(const CTemplateNode& node, std::string& out) {
    std::string title = node.GetText();
    title = title.empty() ? "&nbsp;" : Escaped(std::move(title));
    CHtmlElement font("font");
    font.SetAttribute("size", "+1").AddElement("b").AddText(std::move(title));
    out += kLineBreak;
    font.Write(out);
    out += kLineBreak;
  }

  void RenderNetImage(const CTemplateNode& node, std::string& out) {
    auto* image = dynamic_cast<const CInternetImageNode*>(&node);
    if (!image) return;
    const CTemplateNode* item = node.FindChild(ENodeKind::Item);
    CImageRecord record;
    record.imageUrl = item ? item->GetText() : std::string();
    record.linkUrl = image->value.linkUrl;
    record.altText = image->value.altText;
    record.size = image->value.size;
    record.border = image->value.border;
    record.extraText = image->value.extraText;
    out += RenderInternetImage(record, true);
  }

  // A photo of the preview: its work file, shown at most as wide as the page, with its text
  // below it. The submitted page has no photo files and shows none.
  void RenderPhoto(const CTemplateNode& node, std::string& out) {
    auto found = photoIndex_.find(&node);
    if (found == photoIndex_.end() || found->second >= options_.photoFiles.size()) return;
    const std::string& file = options_.photoFiles[found->second];
    if (file.empty()) return;
    CHtmlElement paragraph("p");
    CHtmlElement& img = paragraph.AddElement("img");
    img.SetAttribute("src", EscapedUrl(file));
    if (auto* photo = dynamic_cast<const CPhotoNode*>(&node);
        photo && photo->value.width > 0 && photo->value.height > 0) {
      img.SetAttribute("width", photo->value.width).SetAttribute("height", photo->value.height);
    }
    img.SetAttribute("style", "max-width:100%;height:auto").SetAttribute("border", 0);
    paragraph.Write(out);
    if (const CTemplateNode* detail = node.FindChild(ENodeKind::Detail)) {
      std::string text;
      RenderChildren(*detail, text);
      if (!text.empty()) CHtmlElement("div").AddText(std::move(text)).Write(out);
    }
  }

  void RenderBanner(const CTemplateNode& node, std::string& out) {
    auto found = bannerIndex_.find(&node);
    if (found == bannerIndex_.end() || found->second >= options_.banners.size()) return;
    const BannerEntry& banner = options_.banners[found->second];
    CImageRecord record;
    record.imageUrl = banner.image;
    record.linkUrl = banner.link;
    record.altText = banner.alt;
    record.size = {banner.width, banner.height};
    record.border = banner.border;
    out += RenderInternetImage(record, true);
  }

  // Inside a description block a Caption shows the seller's caption for that kind of block;
  // elsewhere it keeps the template's text.
  void RenderCaption(const CTemplateNode& node, std::string& out) {
    for (const CTemplateNode* up = node.Parent(); up; up = up->Parent()) {
      const std::string* caption = nullptr;
      switch (up->Kind()) {
        case ENodeKind::Description:
          caption = &options_.captionDescription;
          break;
        case ENodeKind::Post:
          caption = &options_.captionPost;
          break;
        case ENodeKind::Pay:
          caption = &options_.captionPay;
          break;
        case ENodeKind::Other:
          caption = &options_.captionOther;
          break;
        default:
          break;
      }
      if (caption) {
        out += Escaped(*caption);
        return;
      }
    }
    RenderChildren(node, out);
  }

  // The template's row is written once per service group the listing offers, and the section
  // shows nothing when it offers none.
  void RenderServices(const CShipServiceNode& node, std::string& out) {
    const auto rows = ServiceRows(node.value);
    if (rows.empty()) return;
    for (const auto& child : node.Children()) {
      if (child->Kind() != ENodeKind::Block) {
        Render(*child, out);
        continue;
      }
      if (!child->IsEnabled()) continue;
      for (const auto& row : rows) {
        serviceRow_ = &row;
        RenderChildren(*child, out);
      }
      serviceRow_ = nullptr;
    }
  }

  const CPageOptions& options_;
  std::unordered_map<const CTemplateNode*, std::size_t> photoIndex_;
  std::unordered_map<const CTemplateNode*, std::size_t> bannerIndex_;
  // While a service row is written: its texts for the row's Item and Detail.
  const std::pair<std::string, std::string>* serviceRow_ = nullptr;
};

}  // namespace

CPageOptions CPageOptions::FromAppOptions(const CAppOptions& options) {
  CPageOptions page;
  page.banners = options.banners;
  page.captionDescription = options.hcCaptionDescription;
  page.captionPost = options.hcCaptionPost;
  page.captionPay = options.hcCaptionPay;
  page.captionOther = options.hcCaptionOther;
  return page;
}

std::string RenderInternetImage(const CImageRecord& image, bool paragraph) {
  if (image.imageUrl.empty()) return {};
  CHtmlElement table("table");
  table.SetAttribute("cellpadding", 5).SetAttribute("cellspacing", 0);
  CHtmlElement& cell = table.AddElement("tr").AddElement("td");
  CHtmlElement& holder = image.linkUrl.empty()
                             ? cell
                             : cell.AddElement("a").SetAttribute("href", EscapedUrl(image.linkUrl));
  CHtmlElement& img = holder.AddElement("img");
  img.SetAttribute("src", EscapedUrl(image.imageUrl));
  if (image.size.width > 0 && image.size.height > 0) {
    img.SetAttribute("width", image.size.width).SetAttribute("height", image.size.height);
  }
  if (image.hspace > 0) img.SetAttribute("hspace", image.hspace);
  if (image.vspace > 0) img.SetAttribute("vspace", image.vspace);
  if (!image.align.empty()) img.SetAttribute("align", Escaped(image.align));
  if (image.border >= 0) img.SetAttribute("border", image.border);
  if (!image.altText.empty()) img.SetAttribute("alt", Escaped(image.altText));
  if (!image.extraText.empty()) {
    table.AddElement("tr")
        .AddElement("td")
        .AddElement("font")
        .SetAttribute("color", "#333333")
        .AddText(Escaped(image.extraText));
  }
  std::string out = table.ToString();
  if (paragraph) CHtmlElement("p").Write(out);
  return out;
}

std::string RenderPage(const CTemplateNode& root, const CPageOptions& options) {
  std::string page;
  CPageRenderer(root, options).Render(root, page);
  return page;
}

std::string GetPageHtml(const CNuvoDoc& doc, const CPageOptions& options) {
  return RenderPage(doc.Current().Root(), options);
}

}  // namespace nuvo
