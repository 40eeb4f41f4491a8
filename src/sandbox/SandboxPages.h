#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/net/ServiceProfile.h"

// The HTML of every page the sandbox serves, written in UTF-8 with the names, ids, classes and
// texts that the program looks for on the real service's pages. The caller converts a page to
// the charset it is served in. Holds the base addresses the pages link to and the current
// scenario's page choices.
namespace nuvo::sandbox {

using Fields = std::vector<std::pair<std::string, std::string>>;

// One uploaded photo as the photo pages show it.
struct PhotoView {
  int number = 0;  // 1 to 10
  std::string url;
  int width = 0;
  int height = 0;
};

// One field the service refuses on the returned sell form.
struct FieldError {
  std::string field;
  std::string label;
};

// How the current scenario varies the pages: where the sell form's photo button sits ("plain",
// "comment": inside a conditional comment, "no_address": a button whose script names no
// address), and the page parts it leaves out ("classic_link", "category_form", "sell_form",
// "photo_form", "photo_preview_form", "photo_return_form", "confirmation_form",
// "confirmation_button"), and how error pages state the reason ("head": div.untHead and an
// "エラー：" line, "codes": only the JSON of the hidden input #submitErrorCodes, "text": only
// the "エラー：" line), and how the completion page shows itself ("full": its title, its
// wrapper's id and its heading; "ascii_title": only a title with an ASCII colon; "wrapper":
// only the wrapper's id; "heading": only the heading).
struct PageChoices {
  std::string photoButton = "plain";
  std::vector<std::string> omitted;
  std::string errorPage = "head";
  std::string completion = "full";
};

// The text that proves which charset a post came back in.
inline constexpr std::string_view kCharsetProof = "文字コード判定用";

class CSandboxPages {
 public:
  CSandboxPages(std::array<std::string, kServiceRoleCount> urls, std::string charsetLabel)
      : urls_(std::move(urls)), charsetLabel_(std::move(charsetLabel)) {}

  const std::string& Url(ServiceRole role) const { return urls_[static_cast<std::size_t>(role)]; }
  const std::string& CharsetLabel() const { return charsetLabel_; }

  void Choose(PageChoices choices) { choices_ = std::move(choices); }

  // The landing page; `notice` "service_message" adds the service's own message (div.untHead).
  std::string Landing(const std::string& notice) const;
  std::string CategorySelect(const std::string& crumb, bool normalListing) const;
  // The sell form; `errors` non-empty makes it the form returned with the service's errors.
  // `notice` puts one of the service's boxes above it: "closed_to_normal", "new_method_button"
  // (the same, told only by the button that turns to the new form), "open_dialog" (a box
  // that only asks to be opened), "seller_registration" (a button to the seller-information
  // page) or "service_message" (the service's own text and nothing to press).
  std::string SellForm(const std::string& crumb, const std::string& draft, int category,
                       const std::string& seller, bool easyTrade, const std::string& notice,
                       const std::vector<PhotoView>& photos, const Fields& posted,
                       const std::vector<FieldError>& errors) const;
  std::string PhotoPage(const std::string& draft, const std::vector<PhotoView>& photos) const;
  std::string PhotoReturn(const std::string& crumb, const std::string& draft, int category,
                          const std::vector<PhotoView>& photos) const;
  std::string Confirmation(const std::string& token, const Fields& fields,
                           const std::vector<PhotoView>& photos) const;
  std::string Completion(const std::string& auctionId, const std::string& title) const;
  // A page that refuses a request with `reason`, in the form the page choices name.
  std::string Error(std::string_view reason) const;
  std::string NoRight() const;
  std::string SellerInfo() const;
  std::string FreeMember() const;
  std::string Announcement() const;
  std::string LoginForm(const std::string& done, bool reverify, const std::string& notice) const;
  std::string Captcha(const std::string& done, const std::string& login) const;
  std::string Cushion(const std::string& done) const;
  std::string Protect(const std::string& done) const;
  std::string NoticeTop() const;
  // The update server's reply: its name=value pairs as HTML comments.
  std::string UpdateReply(const std::string& reply, const std::string& findType) const;
  std::string Redirecting(const std::string& target) const;
  // A whole page around `body`, with the head that declares the charset.
  std::string Page(std::string_view title, std::string_view body) const;

 private:
  std::string PhotoFields(const std::string& draft, const std::vector<PhotoView>& photos) const;
  std::string PhotoButton() const;
  std::string Notice(const std::string& notice, bool easyTrade) const;
  bool Omitted(std::string_view part) const;

  std::array<std::string, kServiceRoleCount> urls_;
  std::string charsetLabel_;
  PageChoices choices_;
};

}  // namespace nuvo::sandbox
