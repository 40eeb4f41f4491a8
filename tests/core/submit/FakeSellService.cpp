#include "FakeSellService.h"

#include <strings.h>

#include "core/common/AsciiCase.h"
#include "core/html/HtmlTreeWriter.h"

using namespace nuvo;

namespace submit_test {

namespace {

class Exchange : public IHttpExchange {
 public:
  explicit Exchange(Reply reply) : reply_(std::move(reply)) {}
  unsigned StatusCode() const override { return reply_.status; }
  std::optional<std::string> Header(const std::string& name) const override {
    if (strcasecmp(name.c_str(), "Content-Type") == 0) return "text/html; charset=Shift_JIS";
    if (strcasecmp(name.c_str(), "Location") == 0 && !reply_.location.empty())
      return reply_.location;
    return std::nullopt;
  }
  bool Read(std::string& out, std::size_t max, const std::atomic<bool>& cancel,
            NetError& error) override {
    if (cancel) return false;
    if (offset_ >= reply_.body.size()) {
      if (reply_.error.code) error = reply_.error;
      return false;
    }
    out.append(reply_.body, offset_, max);
    offset_ += max;
    return true;
  }

 private:
  Reply reply_;
  std::size_t offset_ = 0;
};

std::string Hidden(const std::string& name, const std::string& value) {
  return "<input type=\"hidden\" name=\"" + name + "\" value=\"" + EscapeHtmlAttribute(value) +
         "\">\n";
}

std::string Page(const std::string& title, const std::string& body) {
  return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
         "<title>" +
         title + "</title></head><body>\n" + body + "\n</body></html>";
}

std::string PhotoPage(std::size_t received) {
  std::string upload =
      "<div id=\"modImgUpld\"><form action=\"/sell/f/imgup/upload\" method=\"post\">\n";
  for (int n = 1; n <= 10; ++n) {
    upload += Hidden("ImageViewServer" + std::to_string(n), "img.test");
    upload += Hidden("ImageFullPath" + std::to_string(n),
                     n <= static_cast<int>(received) ? "photo" + std::to_string(n) : "");
  }
  upload += Hidden("thumbNail", "1") + Hidden("crumbOfPhotoPage", "never sent") + "</form></div>\n";
  return Page("写真",
              upload +
                  "<div id=\"modImgPrvw\"><form action=\"/sell/f/imgup/done\" method=\"post\">" +
                  Hidden("Image1", "done") + Hidden("unrelated", "x") + "</form></div>");
}

// Reads the parts of a multipart body.
void ReadMultipart(const std::string& body, const std::string& boundary,
                   std::vector<PostedFile>& files, int& count) {
  const std::string delimiter = "--" + boundary + "\r\n";
  std::size_t at = body.find(delimiter);
  while (at != std::string::npos) {
    const std::size_t headStart = at + delimiter.size();
    const std::size_t headEnd = body.find("\r\n\r\n", headStart);
    if (headEnd == std::string::npos) return;
    const std::string head = body.substr(headStart, headEnd - headStart);
    const std::size_t next = body.find("\r\n--" + boundary, headEnd + 4);
    if (next == std::string::npos) return;
    const std::size_t fileName = head.find("filename=\"");
    if (fileName != std::string::npos) {
      PostedFile file;
      const std::size_t name = head.find("name=\"") + 6;
      file.field = head.substr(name, head.find('"', name) - name);
      const std::size_t nameStart = fileName + 10;
      file.fileName = head.substr(nameStart, head.find('"', nameStart) - nameStart);
      const std::size_t type = head.find("Content-Type: ");
      file.contentType = head.substr(type + 14);
      file.bytes = body.substr(headEnd + 4, next - headEnd - 4);
      files.push_back(std::move(file));
      ++count;
    }
    at = body.find(delimiter, next);
  }
}

}  // namespace

CServiceProfile TestProfile(bool withUpdate) {
  return CServiceProfile::FromUrls(
      "test", {kSell, kLogin, "https://protect.login.test", kContact, "http://image.test",
               "http://notice.test", kSell, kSell, withUpdate ? kUpdate : "", "https://help.test"});
}

std::map<std::string, std::string> FakeSellService::DecodeForm(const std::string& body) {
  std::map<std::string, std::string> fields;
  auto decode = [](std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '+') {
        out += ' ';
      } else if (text[i] == '%' && i + 2 < text.size()) {
        out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
        i += 2;
      } else {
        out += text[i];
      }
    }
    return out;
  };
  std::string_view rest = body;
  while (!rest.empty()) {
    const std::size_t end = rest.find('&');
    const std::string_view pair = rest.substr(0, end);
    const std::size_t equals = pair.find('=');
    fields[decode(pair.substr(0, equals))] =
        equals == std::string_view::npos ? "" : decode(pair.substr(equals + 1));
    if (end == std::string_view::npos) break;
    rest = rest.substr(end + 1);
  }
  return fields;
}

std::string FakeSellService::FirstPage() const {
  return Page("出品",
              "<div id=\"old_warning\">旧出品フォームは<a "
              "href=\"/sell/jp/show/submit?select=old\">こちら</a></div>");
}

std::string FakeSellService::SellPage() const {
  std::string form =
      "<div id=\"modLoginBar\">こんにちは、<b>" + sellerId +
      "</b>さん</div>\n"
      "<form name=\"auction\" action=\"/jp/show/preview\" method=\"post\">\n" +
      Hidden(".crumb", "sell-crumb") + Hidden("Duration", "7") +
      "<input type=\"text\" name=\"Title\" value=\"\">\n"
      "<select name=\"itemsize\"><option>～60cm</option><option>～80cm</option></select>\n";
  if (easyTradeForm) {
    form +=
        Hidden("shippinginput", "now") + Hidden("dskPayment", "") +
        "<select name=\"bkid\" id=\"auc_bkid\"><option value=\"b1\">楽天銀行 普通 1234567</option>"
        "<option value=\"b2\">ゆうちょ銀行 記号 12345</option></select>\n";
  }
  for (std::size_t n = 1; n <= files.size(); ++n)
    form += Hidden("ImageFullPath" + std::to_string(n), "http://image.test/" + std::to_string(n));
  form +=
      "<div id=\"auc_img_block\"><input type=\"button\" id=\"acMdBtnImageUp\" "
      "onclick=\"openWindow('http://sell.test/sell/f/imgup/?from=sell')\"></div></form>";
  return Page("出品フォーム", form);
}

std::string FakeSellService::ConfirmationPage(const Posted& sellForm) const {
  std::string form = "<form name=\"auction\" method=\"post\">\n";
  for (const auto& [name, value] : sellForm.fields) form += Hidden(name, Utf8FromCp932(value));
  form +=
      "<input type=\"button\" id=\"auc_preview_submit\" value=\"出品する\" "
      "onclick=\"configSubmit('http://sell.test/jp/show/submit_done', 'auction')\"></form>";
  return Page("出品：確認", form);
}

FakeSellService::FakeSellService() {
  Route("GET /nuvo/submit", [this](const Posted&) {
    std::string body = "<!--reply=ok-->";
    if (!findType.empty()) body += "<!--submit_select_old_find_type=" + findType + "-->";
    return Reply{200, body};
  });
  Route("GET /sell/jp/show/submit", [this](const Posted& request) {
    if (request.url.find("select=old") == std::string::npos) return Reply{200, FirstPage()};
    return Reply{
        200, Page("カテゴリ選択",
                  "<form name=\"topsubmit\" action=\"/sell/jp/show/submit\" method=\"post\">" +
                      Hidden(".crumb", "category-crumb") + Hidden("category", "0") + "</form>")};
  });
  Route("POST /sell/jp/show/submit", [this](const Posted&) { return Reply{200, SellPage()}; });
  Route("POST /sell/f/imgup/", [](const Posted&) { return Reply{200, PhotoPage(0)}; });
  Route("POST /sell/f/imgup/upload", [this](const Posted&) {
    return Reply{200, PhotoPage(files.size())};
  });
  Route("POST /sell/f/imgup/done", [](const Posted&) {
    return Reply{
        200, Page("写真", "<form action=\"http://sell.test/sell/jp/show/submit\" method=\"post\">" +
                              Hidden(".crumb", "after-photos") + "</form>")};
  });
  Route("POST /jp/show/preview", [this](const Posted& request) {
    sellFormPost = request;
    return Reply{200, ConfirmationPage(request)};
  });
  Route("POST /jp/show/submit_done", [this](const Posted& request) {
    finalPost = request;
    return Reply{200, Page("出品：完了 - オークション",
                           "<a href=\"http://sell.test/jp/auction/x1000001\">商品ページ</a>")};
  });
}

std::unique_ptr<IHttpExchange> FakeSellService::Open(const HttpRequest& request,
                                                     const std::atomic<bool>&, NetError& error) {
  Posted posted;
  posted.method = request.method;
  posted.url = request.url;
  const std::size_t pathStart = request.url.find('/', request.url.find("//") + 2);
  posted.path = request.url.substr(pathStart, request.url.find('?', pathStart) - pathStart);
  posted.body = request.body.Joined();
  for (const auto& [name, value] : request.headers)
    if (EqualsIgnoreCase(name, "Content-Type")) posted.contentType = value;
  if (posted.contentType.find("multipart/form-data") != std::string::npos) {
    int count = 0;
    ReadMultipart(posted.body, posted.contentType.substr(posted.contentType.find("boundary=") + 9),
                  files, count);
    uploadRequests.push_back(count);
  } else if (request.method == "POST") {
    posted.fields = DecodeForm(posted.body);
  }
  requests.push_back(posted);
  if (onRequest) onRequest(posted);

  auto route = routes_.find(posted.method + " " + posted.path);
  Reply reply =
      route == routes_.end() ? Reply{404, "<html>not found</html>"} : route->second(posted);
  if (reply.error.code && reply.body.empty()) {
    error = reply.error;
    return nullptr;
  }
  if (!reply.raw) reply.body = Cp932(reply.body);
  return std::make_unique<Exchange>(std::move(reply));
}

}  // namespace submit_test
