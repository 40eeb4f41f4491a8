#include "core/decorate/DecorateLink.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"

using namespace nuvo;

namespace {

using Page = CDecorateLink::EAuctionPage;

// What the dialog makes of each tab reads back into the same tab and text, so that reopening the
// dialog on a link shows what the seller entered.
TEST(DecorateLinkTest, EachKindOfLinkReadsBackIntoItsTab) {
  const CDecorateLink made[] = {
      CDecorateLink::Page("https://example.jp/item?id=1"),
      CDecorateLink::Mail("shop@example.jp"),
      CDecorateLink::Auction(Page::Auction, "x1234567"),
      CDecorateLink::Auction(Page::Rating, "nuvo_seller"),
      CDecorateLink::Auction(Page::SellingList, ""),
  };
  for (const CDecorateLink& link : made) {
    const CDecorateLink back = CDecorateLink::FromAddress(link.Address());
    EXPECT_EQ(back.Kind(), link.Kind()) << link.Address();
    EXPECT_EQ(back.Text(), link.Text()) << link.Address();
    if (link.Kind() == CDecorateLink::EKind::Auction) {
      EXPECT_EQ(back.AuctionPage(), link.AuctionPage());
    }
  }
  EXPECT_EQ(made[1].Address(), "mailto:shop@example.jp");
  // The seller's own pages carry the key that submission replaces with the seller's ID.
  EXPECT_EQ(made[4].Address(), "https://auctions.yahoo.co.jp/seller/" + std::string(kSellerIdKey));
  // A deeper page of the service is an ordinary page address.
  EXPECT_EQ(CDecorateLink::FromAddress("https://auctions.yahoo.co.jp/seller/abc/sold").Kind(),
            CDecorateLink::EKind::Page);
  EXPECT_EQ(CDecorateLink::FromAddress("MAILTO:a@b.jp").Text(), "a@b.jp");
}

TEST(DecorateLinkTest, RefusesWhatAPageCannotLinkWithTheReason) {
  EXPECT_EQ(CDecorateLink::Page("ftp://files.example.jp/").Check(), 0);
  EXPECT_EQ(CDecorateLink::Page("").Check(), 0);  // no address: the link goes
  EXPECT_EQ(CDecorateLink::Page("www.example.jp").Check(), IDS_BAD_PAGE_ADDRESS);
  EXPECT_EQ(CDecorateLink::Page("http://").Check(), IDS_BAD_PAGE_ADDRESS);
  EXPECT_EQ(CDecorateLink::Page(Cp932("http://例え.jp/")).Check(), IDS_ADDRESS_FULL_WIDTH);
  EXPECT_EQ(CDecorateLink::Mail(Cp932("ｼｮｯﾌﾟ@example.jp")).Check(), IDS_ADDRESS_FULL_WIDTH);
  EXPECT_EQ(CDecorateLink::Auction(Page::Rating, Cp932("出品者")).Check(), IDS_ID_FULL_WIDTH);
  EXPECT_EQ(CDecorateLink::Auction(Page::Auction, "").Check(), IDS_NOTHING_ENTERED);
  EXPECT_EQ(CDecorateLink::Auction(Page::Rating, "").Check(), 0);
}

// The address stands unquoted in the page: nothing in an ID may end it or add an attribute.
TEST(DecorateLinkTest, AnIdCannotBreakOutOfTheAddress) {
  const std::string address = CDecorateLink::Auction(Page::Rating, "a b>c\"d").Address();
  EXPECT_EQ(address.find_first_of(" >\""), std::string::npos);
  EXPECT_EQ(CDecorateLink::FromAddress(address).Text(), "a b>c\"d");
}

TEST(DecorateLinkTest, OnlyAChangeThatDropsTheSellerKeyIsWarnedAbout) {
  const std::string own = CDecorateLink::Auction(Page::SellingList, "").Address();
  EXPECT_TRUE(RemovesSellerIdKey(own, "https://example.jp/"));
  EXPECT_TRUE(RemovesSellerIdKey(own, ""));
  EXPECT_FALSE(RemovesSellerIdKey(own, CDecorateLink::Auction(Page::Rating, "").Address()));
  EXPECT_FALSE(RemovesSellerIdKey("https://example.jp/", ""));
}

}  // namespace
