#pragma once

#include <string>
#include <string_view>

// A link of the decorated text as the link dialog builds it: a page address, a mail address, or
// one of the auction service's pages for an auction or a seller. It knows which of these an
// address is, whether it may be linked, and the address it stands for. A value.
namespace nuvo {

// The text in a link address that the listing page's writer replaces with the seller's own
// Yahoo! JAPAN ID when the listing is submitted.
inline constexpr std::string_view kSellerIdKey = "!zs_dynamic!yahoo_japan_id";

class CDecorateLink {
 public:
  enum class EKind { Page, Mail, Auction };
  // The service's pages a link can lead to: a seller's listings, one auction, a seller's ratings.
  enum class EAuctionPage { SellingList, Auction, Rating };

  static CDecorateLink Page(std::string address);
  // A mail address without "mailto:".
  static CDecorateLink Mail(std::string address);
  // An auction ID for the auction page, a Yahoo! JAPAN ID for the others; an empty ID for the
  // others means the seller's own.
  static CDecorateLink Auction(EAuctionPage page, std::string id);
  // What the dialog shows for a link address already set: the tab and the text it came from.
  static CDecorateLink FromAddress(std::string_view address);

  EKind Kind() const { return kind_; }
  EAuctionPage AuctionPage() const { return page_; }
  // The text the seller typed: the page address, the mail address or the ID.
  const std::string& Text() const { return text_; }

  // The id of the message that says why this cannot be linked; 0 when it can.
  int Check() const;
  // The address the link carries; empty for an empty page or mail address (no link).
  std::string Address() const;

 private:
  CDecorateLink(EKind kind, EAuctionPage page, std::string text)
      : kind_(kind), page_(page), text_(std::move(text)) {}

  EKind kind_;
  EAuctionPage page_;
  std::string text_;
};

// Whether changing a link from `before` to `after` takes out the seller's ID key.
bool RemovesSellerIdKey(std::string_view before, std::string_view after);

}  // namespace nuvo
