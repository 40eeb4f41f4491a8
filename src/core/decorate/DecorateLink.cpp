#include "core/decorate/DecorateLink.h"

#include <algorithm>
#include <array>

#include "core/common/AsciiCase.h"
#include "core/common/MessageIds.h"
#include "core/html/UrlCoding.h"

namespace nuvo {
namespace {

constexpr std::string_view kMailScheme = "mailto:";
constexpr std::string_view kPageSchemes[] = {"http://", "https://", "ftp://"};

// The service's pages, on the host that buyers see. The ID goes at the end of each.
struct AuctionAddress {
  CDecorateLink::EAuctionPage page;
  std::string_view prefix;
};
constexpr std::array<AuctionAddress, 3> kAuctionAddresses = {{
    {CDecorateLink::EAuctionPage::SellingList, "https://auctions.yahoo.co.jp/seller/"},
    {CDecorateLink::EAuctionPage::Auction, "https://page.auctions.yahoo.co.jp/jp/auction/"},
    {CDecorateLink::EAuctionPage::Rating, "https://auctions.yahoo.co.jp/jp/show/rating?userID="},
}};

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && AsciiLower(text.substr(0, prefix.size())) == prefix;
}

}  // namespace

CDecorateLink CDecorateLink::Page(std::string address) {
  return {EKind::Page, EAuctionPage::SellingList, std::move(address)};
}

CDecorateLink CDecorateLink::Mail(std::string address) {
  return {EKind::Mail, EAuctionPage::SellingList, std::move(address)};
}

CDecorateLink CDecorateLink::Auction(EAuctionPage page, std::string id) {
  return {EKind::Auction, page, std::move(id)};
}

CDecorateLink CDecorateLink::FromAddress(std::string_view address) {
  if (StartsWithIgnoringCase(address, kMailScheme)) {
    return Mail(std::string(address.substr(kMailScheme.size())));
  }
  for (const AuctionAddress& known : kAuctionAddresses) {
    if (address.size() <= known.prefix.size() ||
        address.substr(0, known.prefix.size()) != known.prefix) {
      continue;
    }
    const std::string_view id = address.substr(known.prefix.size());
    // An ID holds no further path; an address that goes on is some other page of the host.
    if (id.find_first_of("/?&#") != std::string_view::npos) break;
    return Auction(known.page, id == kSellerIdKey ? std::string() : UrlDecode(id));
  }
  return Page(std::string(address));
}

int CDecorateLink::Check() const {
  switch (kind_) {
    case EKind::Page:
      if (text_.empty()) return 0;
      if (!IsAscii(text_)) return IDS_ADDRESS_FULL_WIDTH;
      for (std::string_view scheme : kPageSchemes) {
        if (text_.size() > scheme.size() && StartsWithIgnoringCase(text_, scheme)) return 0;
      }
      return IDS_BAD_PAGE_ADDRESS;
    case EKind::Mail:
      return IsAscii(text_) ? 0 : IDS_ADDRESS_FULL_WIDTH;
    case EKind::Auction:
      if (!IsAscii(text_)) return IDS_ID_FULL_WIDTH;
      // Every auction has its own ID; the seller's pages default to the seller.
      return page_ == EAuctionPage::Auction && text_.empty() ? IDS_NOTHING_ENTERED : 0;
  }
  return 0;
}

std::string CDecorateLink::Address() const {
  switch (kind_) {
    case EKind::Page:
      return text_;
    case EKind::Mail:
      return text_.empty() ? std::string() : std::string(kMailScheme) + text_;
    case EKind::Auction:
      for (const AuctionAddress& known : kAuctionAddresses) {
        if (known.page != page_) continue;
        // The ID is encoded so that nothing in it can end the unquoted href of the page.
        return std::string(known.prefix) +
               (text_.empty() ? std::string(kSellerIdKey) : UrlEncode(text_));
      }
      break;
  }
  return {};
}

bool RemovesSellerIdKey(std::string_view before, std::string_view after) {
  return before.find(kSellerIdKey) != std::string_view::npos &&
         after.find(kSellerIdKey) == std::string_view::npos;
}

}  // namespace nuvo
