#include "sandbox/SandboxPages.h"

#include <algorithm>
#include <map>

#include "core/html/HtmlTreeWriter.h"
#include "sandbox/JsonWriter.h"

namespace nuvo::sandbox {
namespace {

// The sell form's visible fields with the labels of their rows.
const std::vector<std::pair<std::string_view, std::string_view>>& SellFormRows() {
  static const std::vector<std::pair<std::string_view, std::string_view>> rows = {
      {"Title", "タイトル"},
      {"Description", "商品説明"},
      {"StartPrice", "開始価格"},
      {"BidOrBuyPrice", "即決価格"},
      {"Quantity", "数量"},
      {"Duration", "開催期間"},
      {"ClosingTime", "終了時間"},
      {"salesmode", "販売形式"},
      {"istatus", "商品の状態"},
      {"shipping", "送料負担"},
      {"shiptime", "支払いのタイミング"},
      {"loc_cd", "発送元の地域"}};
  return rows;
}

std::string Hidden(std::string_view name, std::string_view value) {
  return "<input type=\"hidden\" name=\"" + EscapeHtmlAttribute(name) + "\" value=\"" +
         EscapeHtmlAttribute(value) + "\">\n";
}

std::string Find(const Fields& fields, std::string_view name) {
  for (const auto& [key, value] : fields) {
    if (key == name) return value;
  }
  return {};
}

}  // namespace

std::string CSandboxPages::Page(std::string_view title, std::string_view body) const {
  std::string page = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n";
  page += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charsetLabel_ +
          "\">\n<title>";
  page += title;
  page += "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"" + Url(ServiceRole::Image) +
          "/sandbox/sell.css\">\n</head>\n<body>\n";
  page +=
      "<div id=\"mastHead\"><p>ヤフオク!（nuvo-sandbox：練習用の出品サービスです。"
      "ここから本物の出品はされません）</p></div>\n";
  page += body;
  page += "\n<div id=\"Footer\"><p>nuvo-sandbox</p></div>\n</body>\n</html>\n";
  return page;
}

std::string CSandboxPages::Landing(const std::string& notice) const {
  const std::string sell = Url(ServiceRole::Sell);
  std::string body = "<div class=\"wrapper\">\n<h1>出品する商品の情報を入力</h1>\n";
  if (notice == "service_message") {
    body += "<div class=\"untHead\">ただいまシステムの混雑により出品を受け付けていません。</div>\n";
  }
  if (Omitted("classic_link")) {
    body += "<div id=\"old_warning\"><p>以前の出品フォームは終了しました。</p></div>\n";
  } else {
    body += "<div id=\"old_warning\"><p>以前の出品フォームは<a href=\"" + sell +
            "/sell/jp/show/submit?category=0&amp;select=old\">こちら</a>から利用できます。"
            "</p></div>\n";
  }
  body +=
      "<div id=\"newSellForm\"><p>新しい出品フォームはスクリプトで表示されます。</p></div>\n</div>";
  return Page("出品 - ヤフオク!", body);
}

std::string CSandboxPages::CategorySelect(const std::string& crumb, bool normalListing) const {
  std::string body = "<div class=\"wrapper\">\n<h1>カテゴリの選択</h1>\n";
  if (Omitted("category_form")) {
    return Page("カテゴリの選択 - 出品 - ヤフオク!",
                body + "<p>現在カテゴリを選択できません。</p>\n</div>");
  }
  body += "<form name=\"topsubmit\" id=\"topsubmit\" action=\"" + Url(ServiceRole::Sell) +
          "/sell/jp/show/submit\" method=\"post\">\n";
  body += Hidden(".crumb", crumb);
  body += Hidden("category", "0");
  body += Hidden("fnavi", normalListing ? "0" : "1");
  body +=
      "<p>カテゴリ番号：<input type=\"text\" name=\"categoryText\" value=\"\">"
      "<input type=\"submit\" value=\"次へ\"></p>\n</form>\n</div>";
  return Page("カテゴリの選択 - 出品 - ヤフオク!", body);
}

std::string CSandboxPages::SellForm(const std::string& crumb, const std::string& draft,
                                    int category, const std::string& seller, bool easyTrade,
                                    const std::string& notice, const std::vector<PhotoView>& photos,
                                    const Fields& posted,
                                    const std::vector<FieldError>& errors) const {
  std::map<std::string, std::string, std::less<>> errorIds;
  for (const FieldError& error : errors) errorIds[error.field] = error.label;
  std::string body = "<div id=\"modLoginBar\"><p>ようこそ<b>" + EscapeHtmlAttribute(seller) +
                     "</b>さん</p></div>\n<div class=\"wrapper\">\n";
  if (!errors.empty()) {
    body +=
        "<div class=\"decErrorBox\">正しく入力されていない項目があります。"
        "赤枠の箇所を確認してください。</div>\n";
  }
  body += Notice(notice, easyTrade);
  if (Omitted("sell_form")) {
    return Page("出品 - ヤフオク!",
                body +
                    "<p>このカテゴリには出品できません。カテゴリを選び直してください。</p>\n"
                    "</div>");
  }
  body += "<form name=\"auction\" id=\"auction\" action=\"" + Url(ServiceRole::Sell) +
          "/sell/jp/show/preview\" method=\"post\">\n";
  body += Hidden(".crumb", crumb);
  body += Hidden("draft", draft);
  body += Hidden("category", std::to_string(category));
  body += Hidden("encode", kCharsetProof);
  body += Hidden("tos", "");
  body += Hidden("fnavi", easyTrade ? "1" : "0");
  if (easyTrade) {
    body += Hidden("is_other_ship", "");
    body += Hidden("shippinginput", "now");
  }
  for (const PhotoView& photo : photos) {
    const std::string n = std::to_string(photo.number);
    body += Hidden("ImageFullPath" + n, photo.url);
    body += Hidden("ImageWidth" + n, std::to_string(photo.width));
    body += Hidden("ImageHeight" + n, std::to_string(photo.height));
  }
  body += "<table class=\"decFormTable\">\n";
  for (const auto& [name, label] : SellFormRows()) {
    auto error = errorIds.find(name);
    body += "<tr><th>" + std::string(label) + "</th><td";
    if (error != errorIds.end())
      body += " class=\"decErrorPoint\" id=\"" + std::string(name) + "\"";
    body += ">";
    const std::string value = EscapeHtmlAttribute(Find(posted, name));
    if (name == "Description") {
      body += "<textarea name=\"Description\">" + value + "</textarea>";
    } else {
      body += "<input type=\"text\" name=\"" + std::string(name) + "\" value=\"" + value + "\">";
    }
    body += "</td></tr>\n";
  }
  body += "</table>\n<div id=\"auc_img_block\">\n" + PhotoButton() + "</div>\n";
  body += "<input type=\"submit\" value=\"確認する\">\n</form>\n</div>";
  return Page("出品 - ヤフオク!", body);
}

std::string CSandboxPages::Notice(const std::string& notice, bool easyTrade) const {
  const std::string open = "<div id=\"insertion_dlg\" class=\"modDlgBoxEle\">\n";
  if (notice == "closed_to_normal" && !easyTrade) {
    return open +
           "<p>このカテゴリは旧出品方法では出品できません。新出品方法をご利用いただくか、"
           "出品方法の変更をお願いします。</p>\n<form name=\"dlg\"><input type=\"button\" "
           "value=\"新出品方法\" onclick=\"document.auction.elements['fnavi'].value='1'\">"
           "</form>\n</div>\n";
  }
  if (notice == "new_method_button" && !easyTrade) {
    return open +
           "<p>出品方法を選んでください。</p>\n<form name=\"dlg\"><input type=\"button\" "
           "value=\"新出品方法\" onclick=\"document.auction.elements['fnavi'].value='1'\">"
           "</form>\n</div>\n";
  }
  // Each box but the last also carries text in div.untBody: a reader that takes any box text
  // for a refusal stops where the service lets the seller go on.
  if (notice == "open_dialog") {
    return open +
           "<div class=\"untBody\">出品の前に出品ガイドラインをご確認ください。</div>\n"
           "<form name=\"dlg\"><input type=\"button\" id=\"auc_insertion_ok\" "
           "value=\"開く\"></form>\n</div>\n";
  }
  if (notice == "seller_registration") {
    return open +
           "<div class=\"untBody\">「かんたん取引出品」で利用する出品者情報が登録されていません。"
           "</div>\n<form name=\"dlg\"><input type=\"button\" value=\"出品者情報登録\" "
           "onclick=\"location.href='" +
           Url(ServiceRole::Contact) + "/setting/user/initialedit'\"></form>\n</div>\n";
  }
  if (notice == "service_message") {
    return open +
           "<div class=\"untBody\">このカテゴリへの出品は一時的に停止しています。</div>\n</div>\n";
  }
  return {};
}

std::string CSandboxPages::PhotoButton() const {
  const std::string button =
      "<input type=\"button\" id=\"acMdBtnImageUp\" value=\"画像を登録する\" "
      "onclick=\"window.open('" +
      Url(ServiceRole::Sell) + "/sell/f/imgup/', 'imgup')\">\n";
  if (choices_.photoButton == "comment") return "<!--[if !IE]>\n" + button + "<![endif]-->\n";
  if (choices_.photoButton == "no_address") {
    return "<input type=\"button\" id=\"ImageUp\" value=\"画像を登録する\" "
           "onclick=\"openImageUpload()\">\n";
  }
  return button;
}

bool CSandboxPages::Omitted(std::string_view part) const {
  return std::find(choices_.omitted.begin(), choices_.omitted.end(), part) !=
         choices_.omitted.end();
}

std::string CSandboxPages::PhotoFields(const std::string& draft,
                                       const std::vector<PhotoView>& photos) const {
  std::string out;
  for (int n = 1; n <= 10; ++n) {
    const PhotoView* photo = nullptr;
    for (const PhotoView& view : photos) {
      if (view.number == n) photo = &view;
    }
    const std::string number = std::to_string(n);
    out += Hidden("ImageViewServer" + number, photo ? Url(ServiceRole::Image) : "");
    out += Hidden("Image" + number, photo ? "sandbox_" + draft + "_" + number : "");
    out += Hidden("ImageFullPath" + number, photo ? photo->url : "");
    out += Hidden("ImageHeight" + number, photo ? std::to_string(photo->height) : "");
    out += Hidden("ImageWidth" + number, photo ? std::to_string(photo->width) : "");
  }
  out += Hidden("thumbNail", photos.empty() ? "" : "1");
  out += Hidden("thumbnailid", draft);
  out += Hidden("thumbnailwidth", "100");
  out += Hidden("ImageDelNo", "");
  return out;
}

std::string CSandboxPages::PhotoPage(const std::string& draft,
                                     const std::vector<PhotoView>& photos) const {
  std::string body = "<div class=\"wrapper\">\n<h1>画像の登録</h1>\n";
  if (!Omitted("photo_form")) {
    body += "<div id=\"modImgUpld\">\n<form name=\"imgup\" action=\"" + Url(ServiceRole::Sell) +
            "/sell/f/imgup/upload\" method=\"post\" enctype=\"multipart/form-data\">\n";
    body += PhotoFields(draft, photos);
    for (int n = 1; n <= 10; ++n) {
      body += "<p>画像" + std::to_string(n) + "：<input type=\"file\" name=\"ImageFile" +
              std::to_string(n) + "\"></p>\n";
    }
    body += "<input type=\"submit\" value=\"アップロード\">\n</form>\n</div>\n";
  }
  if (!photos.empty() && !Omitted("photo_preview_form")) {
    body += "<div id=\"modImgPrvw\">\n<ul>\n";
    for (const PhotoView& photo : photos) {
      body += "<li><img src=\"" + EscapeHtmlAttribute(photo.url) + "\" width=\"" +
              std::to_string(photo.width) + "\" height=\"" + std::to_string(photo.height) +
              "\"></li>\n";
    }
    body += "</ul>\n<form name=\"imgdone\" action=\"" + Url(ServiceRole::Sell) +
            "/sell/f/imgup/done\" method=\"post\">\n";
    body += PhotoFields(draft, photos);
    body += "<input type=\"submit\" value=\"完了\">\n</form>\n</div>\n";
  }
  body += "</div>";
  return Page("画像の登録 - ヤフオク!", body);
}

std::string CSandboxPages::PhotoReturn(const std::string& crumb, const std::string& draft,
                                       int category, const std::vector<PhotoView>& photos) const {
  std::string body = "<div class=\"wrapper\">\n<p>画像を登録しました。</p>\n";
  if (Omitted("photo_return_form")) return Page("画像の登録 - ヤフオク!", body + "</div>");
  body += "<form name=\"imgreturn\" action=\"" + Url(ServiceRole::Sell) +
          "/sell/jp/show/submit\" method=\"post\">\n";
  body += Hidden(".crumb", crumb);
  body += Hidden("draft", draft);
  body += Hidden("category", std::to_string(category));
  body += Hidden("imgreturn", "1");
  for (const PhotoView& photo : photos) {
    body += Hidden("ImageFullPath" + std::to_string(photo.number), photo.url);
  }
  body += "<input type=\"submit\" value=\"出品フォームに戻る\">\n</form>\n</div>";
  return Page("画像の登録 - ヤフオク!", body);
}

std::string CSandboxPages::Confirmation(const std::string& token, const Fields& fields,
                                        const std::vector<PhotoView>& photos) const {
  std::string body = "<div id=\"modTitBar\"><h1>出品内容の確認</h1></div>\n";
  body += "<ul class=\"StepNavi\"><li>入力</li><li class=\"is-on\">確認</li><li>完了</li></ul>\n";
  body += "<div class=\"wrapper\">\n<div id=\"yaucSellItemCfm\">\n<div id=\"modCfmBox\">\n";
  body += "<div class=\"decSmryTable\"><table>\n";
  for (const auto& [name, label] : SellFormRows()) {
    if (name == "Description") continue;
    body += "<tr><th>" + std::string(label) + "</th><td>" +
            EscapeHtmlAttribute(Find(fields, name)) + "</td></tr>\n";
  }
  body +=
      "<tr><th>カテゴリ</th><td>" + EscapeHtmlAttribute(Find(fields, "category")) + "</td></tr>\n";
  body += "</table></div>\n</div>\n";
  if (!photos.empty()) {
    body += "<div class=\"ProductImage\">\n<div class=\"ProductImage__image\"><img src=\"" +
            EscapeHtmlAttribute(photos.front().url) +
            "\"></div>\n<ul class=\"ProductImage__thumbnails\">\n";
    for (const PhotoView& photo : photos) {
      body +=
          "<li class=\"ProductImage__thumbnail\"><a class=\"ProductImage__link\" href=\"#\">"
          "<img src=\"" +
          EscapeHtmlAttribute(photo.url) + "\" width=\"60\"></a></li>\n";
    }
    body += "</ul>\n</div>\n";
  }
  body += "<div class=\"Note__text\"><p>NOTE：出品後は内容を編集できません。</p></div>\n";
  const std::string action = Url(ServiceRole::Sell) + "/sell/jp/config/submit";
  if (Omitted("confirmation_form")) return Page("出品 - 確認 - ヤフオク!", body + "</div>\n</div>");
  body += "<form name=\"auction\" action=\"" + action + "\" method=\"post\">\n";
  for (const auto& [name, value] : fields) {
    if (name != ".crumb") body += Hidden(name, value);
  }
  body += Hidden(".crumb", token);
  if (!Omitted("confirmation_button")) {
    body +=
        "<input type=\"button\" id=\"auc_preview_submit\" class=\"btnPreviewSubmit\" "
        "value=\"出品する\" onclick=\"configSubmit('" +
        action + "', 'auction')\">\n";
  }
  body +=
      "</form>\n<script>function configSubmit(u, f) { document.forms[f].action = u; "
      "document.forms[f].submit(); }</script>\n</div>\n</div>";
  return Page("出品 - 確認 - ヤフオク!", body);
}

std::string CSandboxPages::Completion(const std::string& auctionId,
                                      const std::string& title) const {
  // Each kind but "full" keeps one sign of completion only, so that every sign is tried alone.
  const std::string& kind = choices_.completion;
  std::string body;
  if (kind == "full" || kind == "heading") {
    body += "<div id=\"modTitBar\"><h1>出品：完了</h1></div>\n";
  }
  body += kind == "full" || kind == "wrapper" ? "<div class=\"wrapper\" id=\"yaucSellItemCmplt\">\n"
                                              : "<div class=\"wrapper\">\n";
  body += "<p>「" + EscapeHtmlAttribute(title) +
          "」の出品が完了しました。</p>\n<p>オークションID：<span id=\"auctionId\">" + auctionId +
          "</span></p>\n<p><a href=\"" + Url(ServiceRole::Main) + "/jp/auction/" + auctionId +
          "\">商品ページを見る</a></p>\n</div>";
  const char* pageTitle = kind == "full"          ? "出品：完了 - ヤフオク!"
                          : kind == "ascii_title" ? "出品:完了 - ヤフオク!"
                                                  : "ヤフオク!";
  return Page(pageTitle, body);
}

std::string CSandboxPages::Error(std::string_view reason) const {
  std::string body = "<div class=\"wrapper\">\n";
  if (choices_.errorPage == "codes") {
    CJsonWriter json;
    json.BeginObject().Key("code").String("SB-100").Key("message").String(reason).EndObject();
    body += "<input type=\"hidden\" id=\"submitErrorCodes\" value=\"" +
            EscapeHtmlAttribute(json.Text()) + "\">\n<p>出品できませんでした。</p>\n";
  } else if (choices_.errorPage == "text") {
    body += "<p>エラー：" + EscapeHtmlAttribute(reason) + "</p>\n";
  } else {
    body += "<div class=\"untHead\">" + EscapeHtmlAttribute(reason) + "</div>\n<p>エラー：" +
            EscapeHtmlAttribute(reason) + "</p>\n";
  }
  return Page("エラー - ヤフオク!", body + "</div>");
}

std::string CSandboxPages::NoRight() const {
  return Page("出品するには - ヤフオク!",
              "<div class=\"wrapper\">\n<p>このYahoo! JAPAN IDでは出品できません。"
              "出品には利用登録が必要です。</p>\n</div>");
}

std::string CSandboxPages::SellerInfo() const {
  return Page("出品者情報の登録 - ヤフオク!",
              "<div class=\"wrapper\">\n<p>「かんたん取引出品」で出品するには、"
              "出品者情報を登録してください。</p>\n</div>");
}

std::string CSandboxPages::FreeMember() const {
  return Page("出品 - ヤフオク!",
              "<div class=\"wrapper\">\n<p>無料版のオークション出品です。"
              "出品できる商品には制限があります。</p>\n</div>");
}

std::string CSandboxPages::Announcement() const {
  return Page("お知らせ - ヤフオク!",
              "<div class=\"wrapper\">\n<p>アクセスが集中しています。しばらく時間を置いてから"
              "再度アクセスしてください。</p>\n</div>");
}

std::string CSandboxPages::LoginForm(const std::string& done, bool reverify,
                                     const std::string& notice) const {
  std::string body = "<div class=\"wrapper\">\n<h1>" +
                     std::string(reverify ? "パスワードの再確認" : "ログイン") + "</h1>\n";
  body +=
      "<p><strong>これは nuvo-sandbox の練習用ログインページです。本物のパスワードは"
      "入力しないでください。</strong>空でないIDと文字列なら何でもログインできます。</p>\n";
  if (!notice.empty()) body += "<p class=\"notice\">" + EscapeHtmlAttribute(notice) + "</p>\n";
  body += "<form name=\"login_form\" id=\"login_form\" action=\"" + Url(ServiceRole::Login) +
          (reverify ? "/config/login_verify2" : "/config/login") + "\" method=\"post\">\n";
  body += Hidden(".done", done);
  body += "<p>Yahoo! JAPAN ID：<input type=\"text\" name=\"login\" value=\"\"></p>\n";
  body += "<p>パスワード：<input type=\"password\" name=\"passwd\" value=\"\"></p>\n";
  body += "<p><input type=\"submit\" value=\"" + std::string(reverify ? "続ける" : "ログイン") +
          "\"></p>\n</form>\n</div>";
  return Page("ログイン - Yahoo! JAPAN（nuvo-sandbox）", body);
}

std::string CSandboxPages::Captcha(const std::string& done, const std::string& login) const {
  std::string body =
      "<div class=\"wrapper\">\n<p>練習用の画像認証です。表示されている文字"
      "（sandbox）を入力してください。</p>\n";
  body += "<form name=\"captchaForm\" id=\"captchaForm\" action=\"" + Url(ServiceRole::Login) +
          "/config/login\" method=\"post\">\n";
  body += Hidden(".done", done);
  body += Hidden("login", login);
  body +=
      "<p><input type=\"text\" name=\"captcha\" value=\"\"></p>\n"
      "<p><input type=\"submit\" value=\"送信\"></p>\n</form>\n</div>";
  return Page("画像認証 - Yahoo! JAPAN（nuvo-sandbox）", body);
}

std::string CSandboxPages::Cushion(const std::string& done) const {
  return Page("ログインしました - Yahoo! JAPAN（nuvo-sandbox）",
              "<div class=\"wrapper\">\n<p>ログインしました。</p>\n<p><a href=\"" +
                  EscapeHtmlAttribute(done) + "\">続ける</a></p>\n</div>");
}

std::string CSandboxPages::Protect(const std::string& done) const {
  return Page("セキュリティのお知らせ - Yahoo! JAPAN（nuvo-sandbox）",
              "<div class=\"wrapper\">\n<p>練習用のセキュリティのお知らせです。</p>\n"
              "<p><a href=\"" +
                  EscapeHtmlAttribute(done) + "\">確認して続ける</a></p>\n</div>");
}

std::string CSandboxPages::NoticeTop() const {
  return Page("お知らせ - ヤフオク!", "<div class=\"wrapper\">\n<p>ログインしました。</p>\n</div>");
}

std::string CSandboxPages::UpdateReply(const std::string& reply,
                                       const std::string& findType) const {
  std::string body = "<html><body>\n<!--reply=" + reply + "-->\n";
  if (!findType.empty()) body += "<!--submit_select_old_find_type=" + findType + "-->\n";
  return body + "</body></html>\n";
}

std::string CSandboxPages::Redirecting(const std::string& target) const {
  return Page("移動しています", "<p><a href=\"" + EscapeHtmlAttribute(target) + "\">移動</a></p>");
}

}  // namespace nuvo::sandbox
