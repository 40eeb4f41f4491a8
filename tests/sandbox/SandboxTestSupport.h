#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/Encoding.h"
#include "support/SandboxProcess.h"

// What the sandbox tests share: a browser's view of a page (its hidden fields, its links), form
// bodies written by hand, and photos that are whole JPEG and GIF files.
namespace sandbox_test {

using Fields = std::vector<std::pair<std::string, std::string>>;

inline std::string Utf8(const std::string& cp932) { return nuvo::Utf8FromCp932(cp932); }

inline std::string Convert(const std::string& text, const char* from, const char* to) {
  if (std::optional<std::string> converted = nuvo::ConvertCharset(text, from, to)) {
    return *converted;
  }
  ADD_FAILURE() << "not convertible from " << from << " to " << to;
  return text;
}

// The text of an attribute value with the page's entities undone, in one pass.
inline std::string Unescape(std::string_view text) {
  std::string plain;
  while (!text.empty()) {
    bool replaced = false;
    for (auto [entity, character] : {std::pair{"&quot;", '"'},
                                     {"&lt;", '<'},
                                     {"&gt;", '>'},
                                     {"&#39;", '\''},
                                     {"&amp;", '&'}}) {
      if (text.starts_with(entity)) {
        plain += character;
        text.remove_prefix(std::string_view(entity).size());
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      plain += text.front();
      text.remove_prefix(1);
    }
  }
  return plain;
}

// The hidden inputs of the form named `form` (or of the whole page), in page order, with their
// values brought from the page's `charset` to UTF-8. Found by plain search: a regular expression
// recurses once per character and cannot take the value of a long description.
inline Fields HiddenFields(const std::string& page, const std::string& form = {},
                           const char* charset = nuvo::kCp932) {
  std::string_view scope = page;
  if (!form.empty()) {
    std::size_t start = page.find("name=\"" + form + "\"");
    std::size_t end = page.find("</form>", start);
    scope = start == std::string::npos ? std::string_view() : scope.substr(start, end - start);
  }
  constexpr std::string_view kOpen = "<input type=\"hidden\" name=\"";
  constexpr std::string_view kValue = "\" value=\"";
  Fields fields;
  for (std::size_t at = scope.find(kOpen); at != std::string_view::npos;
       at = scope.find(kOpen, at)) {
    const std::size_t nameStart = at + kOpen.size();
    const std::size_t nameEnd = scope.find('"', nameStart);
    if (nameEnd == std::string_view::npos || scope.substr(nameEnd, kValue.size()) != kValue) break;
    const std::size_t valueStart = nameEnd + kValue.size();
    const std::size_t valueEnd = scope.find("\">", valueStart);
    if (valueEnd == std::string_view::npos) break;
    fields.emplace_back(
        std::string(scope.substr(nameStart, nameEnd - nameStart)),
        Convert(Unescape(scope.substr(valueStart, valueEnd - valueStart)), charset, nuvo::kUtf8));
    at = valueEnd;
  }
  return fields;
}

inline void Set(Fields& fields, const std::string& name, const std::string& value) {
  for (auto& [key, old] : fields) {
    if (key == name) {
      old = value;
      return;
    }
  }
  fields.emplace_back(name, value);
}

inline void Remove(Fields& fields, const std::string& name) {
  std::erase_if(fields, [&](const auto& field) { return field.first == name; });
}

// A form body; values are UTF-8 and go out in `charset` (an ICU name).
inline std::string FormBody(const Fields& fields, const char* charset = nuvo::kCp932) {
  std::string body;
  for (const auto& [name, value] : fields) {
    if (!body.empty()) body += '&';
    body += name + '=';
    for (char c : Convert(value, nuvo::kUtf8, charset)) {
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.') {
        body += c;
      } else {
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
        body += escape;
      }
    }
  }
  return body;
}

// The path and query of an absolute address on the sandbox.
inline std::string PathOf(const std::string& url) {
  std::size_t slash = url.find('/', url.find("://") + 3);
  return slash == std::string::npos ? "/" : url.substr(slash);
}

// A whole baseline JPEG of `width` by `height` (the bytes a decoder needs to find its way, with
// scan data that holds a line feed), and a whole GIF.
inline std::string Jpeg(int width, int height) {
  std::string bytes = "\xFF\xD8";
  bytes += std::string("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
  bytes += std::string("\xFF\xC0\x00\x0B\x08", 5);
  bytes += static_cast<char>(height >> 8);
  bytes += static_cast<char>(height);
  bytes += static_cast<char>(width >> 8);
  bytes += static_cast<char>(width);
  bytes += std::string("\x01\x01\x11\x00", 4);
  bytes += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  bytes += std::string("\x12\x0A\x34\xFF\x00\x56\x0A\x78", 8);
  bytes += "\xFF\xD9";
  return bytes;
}

inline std::string Gif(int width, int height) {
  std::string bytes = "GIF89a";
  bytes += static_cast<char>(width);
  bytes += static_cast<char>(width >> 8);
  bytes += static_cast<char>(height);
  bytes += static_cast<char>(height >> 8);
  bytes += std::string("\x80\x00\x00", 3);  // a global table of two colours
  bytes += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
  bytes += std::string("\x2C\x00\x00\x00\x00", 5);
  bytes += static_cast<char>(width);
  bytes += static_cast<char>(width >> 8);
  bytes += static_cast<char>(height);
  bytes += static_cast<char>(height >> 8);
  bytes += std::string("\x00\x02\x02\x44\x01\x00\x3B", 7);
  return bytes;
}

// Walks the listing flow as a browser would, one page at a time, keeping the cookies.
class FlowWalker {
 public:
  explicit FlowWalker(const SandboxProcess& sandbox) : sandbox_(sandbox) {}

  httplib::Result Get(const std::string& url) {
    auto client = ClientFor(url);
    httplib::Headers headers;
    if (!cookie_.empty()) headers.emplace("Cookie", cookie_);
    auto result = client.Get(PathOf(url).c_str(), headers);
    Keep(result);
    return result;
  }
  httplib::Result Post(const std::string& url, const std::string& body,
                       const std::string& type = "application/x-www-form-urlencoded") {
    auto client = ClientFor(url);
    httplib::Headers headers;
    if (!cookie_.empty()) headers.emplace("Cookie", cookie_);
    auto result = client.Post(PathOf(url).c_str(), headers, body, type.c_str());
    Keep(result);
    return result;
  }
  httplib::Result Upload(const std::string& url, const httplib::MultipartFormDataItems& items) {
    auto client = ClientFor(url);
    httplib::Headers headers;
    if (!cookie_.empty()) headers.emplace("Cookie", cookie_);
    auto result = client.Post(PathOf(url).c_str(), headers, items);
    Keep(result);
    return result;
  }

  // Landing page to sell form for `category`; the sell form page (code page 932).
  std::string OpenSellForm(int category = 2084005146) {
    const std::string sell = sandbox_.Url(nuvo::ServiceRole::Sell);
    auto classic = Get(sell + "/sell/jp/show/submit?category=0&select=old&fnavi=0");
    EXPECT_EQ(classic->status, 200);
    Fields fields = HiddenFields(classic->body, "topsubmit");
    Set(fields, "category", std::to_string(category));
    auto form = Post(sell + "/sell/jp/show/submit", FormBody(fields));
    EXPECT_EQ(form->status, 200);
    return form->body;
  }

  // The seller's entries over the sell form's hidden fields.
  static Fields Filled(const std::string& sellForm, const std::string& title,
                       const char* charset = nuvo::kCp932) {
    Fields fields = HiddenFields(sellForm, "auction", charset);
    for (auto [name, value] : Fields{{"tos", "yes"},
                                     {"Title", title},
                                     {"Description", "<b>説明</b> & 写真"},
                                     {"StartPrice", "1000"},
                                     {"BidOrBuyPrice", "5000"},
                                     {"Quantity", "1"},
                                     {"Duration", "5"},
                                     {"ClosingTime", "21"},
                                     {"salesmode", "auction"},
                                     {"istatus", "used20"},
                                     {"shipping", "buyer"}}) {
      Set(fields, name, value);
    }
    return fields;
  }

 private:
  httplib::Client ClientFor(const std::string& url) const {
    httplib::Client client(url.substr(0, url.find('/', url.find("://") + 3)));
    client.set_follow_location(false);
    // A page that never comes fails the test instead of holding up the run.
    client.set_read_timeout(10, 0);
    return client;
  }
  void Keep(const httplib::Result& result) {
    if (result && result->has_header("Set-Cookie")) {
      const std::string cookie = result->get_header_value("Set-Cookie");
      cookie_ = cookie.substr(0, cookie.find(';'));
    }
  }

  const SandboxProcess& sandbox_;
  std::string cookie_;
};

}  // namespace sandbox_test
