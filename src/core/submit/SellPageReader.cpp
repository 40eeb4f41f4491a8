#include "core/submit/SellPageReader.h"

#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"
#include "core/net/JsonDocument.h"
#include "core/net/JsonValue.h"
#include "core/submit/ServiceUrls.h"

namespace nuvo {

namespace {

constexpr std::string_view kSpaces = " \t\r\n";

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(kSpaces) - first + 1));
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string Attribute(const CHtmlNode& node, std::string_view name) {
  const std::string* value = node.FindAttribute(name);
  return value ? *value : std::string();
}

// The first element of `tag` whose "name" or "id" is `name`.
const CHtmlNode* FindNamed(const CHtmlSubDocument& page, std::string_view tag,
                           std::string_view name) {
  if (const CHtmlNode* node = page.Find({tag, "name", name})) return node;
  return page.Find({tag, "id", name});
}

// The texts the service's old-method notices use, as the page shows them.
const std::vector<std::string>& OldMethodNotices() {
  static const std::vector<std::string> texts = {
      Cp932("旧出品方法では出品できません"), Cp932("新出品方法をご利用いただくか"),
      Cp932("以上が新出品を利用しています"), Cp932("出品方法の変更をお願い")};
  return texts;
}

const std::vector<std::string>& CompletionTitles() {
  static const std::vector<std::string> titles = {Cp932("出品：完了"), Cp932("出品:完了")};
  return titles;
}

bool HasCompletionTitle(std::string_view text) {
  for (const std::string& title : CompletionTitles())
    if (Contains(text, title)) return true;
  return false;
}

std::string MessageOfErrorCodes(const CHtmlSubDocument& page) {
  std::string json;
  if (!page.FindAttribute({"input", "id", "submitErrorCodes"}, "value", json)) return {};
  CJsonDocument document;
  if (document.Parse(json) != kJsonOk || !document.GetRoot()) return {};
  const CJsonObject* object = document.GetRoot()->As<CJsonObject>();
  const CJsonValue* message = object ? object->Find("message") : nullptr;
  const CJsonString* text = message ? message->As<CJsonString>() : nullptr;
  return text ? text->GetText(kJsonUnescapeQuotes | kJsonDecodeUnicode) : std::string();
}

std::string TextAfterErrorMark(std::string_view source) {
  for (const std::string& mark : {Cp932("エラー："), Cp932("エラー:")}) {
    const std::size_t at = source.find(mark);
    if (at == std::string_view::npos) continue;
    const std::string_view rest = source.substr(at + mark.size());
    return Trimmed(rest.substr(0, rest.find('<')));
  }
  return {};
}

// The label of a field marked in error: for a table cell the heading of its row.
std::string ErrorLabel(const CHtmlNode& node) {
  if (node.GetTag() != "td") return Trimmed(node.GetInnerText());
  for (const CHtmlNode* row = node.GetParent(); row; row = row->GetParent()) {
    if (row->GetTag() != "tr") continue;
    std::string label;
    CHtmlSubDocument(row).FindText({"th"}, label);
    return Trimmed(label);
  }
  return {};
}

// The address in a confirmation button's onclick text.
std::string AddressInOnclick(std::string_view onclick) {
  const std::size_t call = onclick.find("configSubmit(");
  if (call != std::string_view::npos) {
    std::string_view args = onclick.substr(call + 13);
    args = args.substr(0, args.find(')'));
    while (!args.empty()) {
      const std::size_t comma = args.find(',');
      std::string arg = Trimmed(args.substr(0, comma));
      if (arg.size() >= 2 && arg.front() == '\'' && arg.back() == '\'')
        arg = arg.substr(1, arg.size() - 2);
      if (!arg.empty() && arg.front() == '/') return arg;
      if (arg.starts_with("http://") || arg.starts_with("https://")) return arg;
      if (comma == std::string_view::npos) break;
      args = args.substr(comma + 1);
    }
    return {};
  }
  for (std::size_t quote = onclick.find('\''); quote != std::string_view::npos;
       quote = onclick.find('\'', quote + 1)) {
    const std::string_view rest = onclick.substr(quote + 1);
    if (rest.starts_with("http://") || rest.starts_with("https://") || rest.starts_with("/")) {
      const std::size_t end = rest.find('\'');
      if (end == std::string_view::npos) return {};
      return std::string(rest.substr(0, end));
    }
  }
  return {};
}

}  // namespace

SellPageNotice AnalyseSellPage(const CHtmlSubDocument& page, bool easyTrade) {
  SellPageNotice notice;
  const CHtmlNode* box = page.Find({"div", "id", "insertion_dlg"});
  if (!box) box = page.Find({"div", "class", "modDlgBoxEle", HtmlValueMatch::Contains});
  if (!box) return notice;

  const std::string boxText = box->GetInnerText();
  if (!easyTrade) {
    for (const std::string& text : OldMethodNotices())
      if (Contains(boxText, text)) notice.flags |= kSellPageClosedToNormal;
  }
  const CHtmlNode* form = CHtmlSubDocument(box).Find({"form"});
  const CHtmlSubDocument inBox(form ? form : box);
  const std::string open = Cp932("開く");
  for (const CHtmlNode* input : inBox.FindAll({"input"})) {
    const std::string value = Attribute(*input, "value");
    if (Attribute(*input, "id") == "auc_insertion_ok" && value == open)
      notice.flags |= kSellPageKnownDialog;
    if (!easyTrade && value == Cp932("新出品方法") &&
        Attribute(*input, "onclick") == "document.auction.elements['fnavi'].value='1'")
      notice.flags |= kSellPageClosedToNormal;
  }
  if (!(notice.flags & kSellPageClosedToNormal)) {
    for (const CHtmlNode* input : inBox.FindAll({"input"})) {
      const std::string value = Attribute(*input, "value");
      if ((value == Cp932("出品者情報登録") || value == Cp932("出品者情報の登録")) &&
          Contains(Attribute(*input, "onclick"), "/initialedit"))
        notice.flags |= kSellPageSellerInfoNeeded | kSellPageKnownDialog;
    }
  }
  if (!(notice.flags & (kSellPageKnownDialog | kSellPageClosedToNormal))) {
    std::string body;
    if (page.FindText({"div", "class", "untBody", HtmlValueMatch::Contains}, body)) {
      body = Trimmed(body);
      if (!body.empty()) notice.message = body + "\r\n\r\n";
    }
  }
  return notice;
}

std::string ErrorText(const CHtmlDocument& page) {
  std::string text;
  if (page.FindText({"div", "class", "decErrorBox", HtmlValueMatch::Contains}, text) &&
      !Trimmed(text).empty())
    return Trimmed(text);
  text.clear();
  if (page.FindText({"div", "class", "untHead", HtmlValueMatch::Contains}, text) &&
      !Trimmed(text).empty())
    return Trimmed(text);
  text = MessageOfErrorCodes(page);
  if (!text.empty()) return text;
  return TextAfterErrorMark(page.GetSource());
}

std::vector<std::string> ErrorItems(const CHtmlSubDocument& page) {
  std::vector<std::string> items;
  const CHtmlNode* form = FindNamed(page, "form", "auction");
  if (!form) return items;
  for (const CHtmlNode* node :
       CHtmlSubDocument(form).FindAll({"", "class", "decErrorPoint", HtmlValueMatch::Contains})) {
    std::string item = ErrorLabel(*node);
    const std::string id = Attribute(*node, "id");
    if (!id.empty()) item += Cp932("（") + id + Cp932("）");
    items.push_back(std::move(item));
  }
  return items;
}

std::string ErrorReport(const CHtmlDocument& page, std::string_view itemsNote) {
  std::string text = ErrorText(page);
  if (Contains(text, Cp932("正しく入力されていない項目")) ||
      Contains(text, Cp932("未入力の項目")) || Contains(text, Cp932("箇所"))) {
    const std::vector<std::string> items = ErrorItems(page);
    if (!items.empty()) {
      text += itemsNote;
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) text += ',';
        text += items[i];
      }
    }
  }
  return text;
}

bool IsAccessRefused(std::string_view finalUrl, const CServiceProfile& profile) {
  return EqualsIgnoreCase(finalUrl,
                          ServiceUrl(profile, ServiceRole::Announcement, "/trs/announcement.html"));
}

bool IsCompleted(const CHtmlDocument& page) {
  std::string title;
  if (page.GetTitle(title) && HasCompletionTitle(title)) return true;
  for (const CHtmlNode* wrapper :
       page.FindAll({"div", "class", "wrapper", HtmlValueMatch::Contains}))
    if (Contains(Attribute(*wrapper, "id"), "yaucSellItemCmplt")) return true;
  if (const CHtmlNode* bar = page.Find({"div", "id", "modTitBar"})) {
    std::string heading;
    if (CHtmlSubDocument(bar).FindText({"h1"}, heading) && HasCompletionTitle(heading)) return true;
  }
  return false;
}

std::string FinalPostAddress(const CHtmlSubDocument& page, const CServiceProfile& profile) {
  const std::string label = Cp932("出品する");
  for (const CHtmlNode* input : page.FindAll({"input", "type", "button"})) {
    if (!Contains(Attribute(*input, "id"), "auc_preview_submit") &&
        !Contains(Attribute(*input, "class"), "btnPreviewSubmit") &&
        !Contains(Attribute(*input, "value"), label))
      continue;
    std::string address = AddressInOnclick(Attribute(*input, "onclick"));
    if (address.empty()) return {};
    if (address.front() == '/' && !address.starts_with("//"))
      address = profile.BaseUrl(ServiceRole::Sell) + address;
    const bool onSellHost =
        UrlHost(address) == ServiceHost(profile, ServiceRole::Sell) ||
        Contains(AsciiLower(address), "//" + ServiceHost(profile, ServiceRole::Main) + "/sell");
    return onSellHost ? address : std::string();
  }
  return {};
}

}  // namespace nuvo
