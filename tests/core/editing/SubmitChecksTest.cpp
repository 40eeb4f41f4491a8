#include "core/editing/SubmitChecks.h"

#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "core/app/OptionBits.h"
#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "core/editing/EmptyRowsCommand.h"

using namespace nuvo;

namespace {

std::vector<int> Ids(const std::vector<CSubmitFinding>& findings) {
  std::vector<int> ids;
  for (const auto& finding : findings) ids.push_back(finding.messageId);
  return ids;
}

CShipMethod Method(const char* utf8Name, std::int32_t feeType, std::int64_t fee = 500) {
  CShipMethod method;
  method.name = Cp932(utf8Name);
  method.feeType = feeType;
  method.fee = fee;
  return method;
}

class SubmitChecksTest : public EditingTest {
 protected:
  SubmitChecksTest() {
    doc.SetTitle(Cp932("腕時計"));
    SetMethods({Method("ゆうパック", CShipMethod::kFlatFee)});
  }

  void SetMethods(std::vector<CShipMethod> methods, std::uint32_t services = 0) {
    CShipSettings shipping = doc.GetShipping();
    shipping.methods = std::move(methods);
    shipping.SetServiceFlags(services);
    doc.SetShipping(shipping);
  }
  void SetInternetImages(std::size_t count) {
    std::vector<CInternetImageEntry> images(count);
    for (std::size_t i = 0; i < count; ++i) {
      images[i].address = "https://example.com/" + std::to_string(i) + ".jpg";
    }
    doc.SetInternetImages(images);
  }
};

TEST_F(SubmitChecksTest, ANewListingWithATitleAndAMethodPassesEveryCheck) {
  EXPECT_TRUE(CheckListing(doc, {kOptionValueDefault}).empty());
}

TEST_F(SubmitChecksTest, TheStartPriceMustLieBetweenOneAndTenBillionLessOne) {
  for (auto [price, stops] : std::vector<std::pair<std::int64_t, bool>>{
           {0, true}, {-1, true}, {1, false}, {9'999'999'999, false}, {10'000'000'000, true}}) {
    SCOPED_TRACE(price);
    doc.SetStartPrice(price);
    const auto found = CheckStartPrice(doc);
    ASSERT_EQ(found.size(), stops ? 1u : 0u);
    if (!stops) continue;
    EXPECT_EQ(found[0].messageId, IDS_NUMBER_OUT_OF_RANGE);
    EXPECT_NE(Utf8FromCp932(found[0].message).find("1～9999999999までの"), std::string::npos);
    EXPECT_EQ(found[0].field, check_field::kStartPrice);
    EXPECT_TRUE(found[0].stops);
  }
}

TEST_F(SubmitChecksTest, ABuyNowPriceBelowTheStartStopsOnlyAnAuction) {
  doc.SetStartPrice(1000);
  doc.SetBuyNowPrice(800);
  EXPECT_EQ(Ids(CheckBuyNowPrice(doc)), std::vector<int>{IDS_START_ABOVE_BUY_NOW});
  EXPECT_EQ(CheckBuyNowPrice(doc)[0].field, check_field::kStartPrice);
  doc.SetBuyNowPrice(1000);
  EXPECT_TRUE(CheckBuyNowPrice(doc).empty());
  doc.SetBuyNowPrice(0);
  EXPECT_TRUE(CheckBuyNowPrice(doc).empty());
  EXPECT_EQ(SubmittedBuyNowPrice(doc), 0);

  // A fixed price sells at the start price whatever buy-now price the listing kept.
  doc.SetBuyNowPrice(800);
  doc.SetSalesFormat(1);
  EXPECT_TRUE(CheckBuyNowPrice(doc).empty());
  EXPECT_EQ(SubmittedBuyNowPrice(doc), 1000);
}

TEST_F(SubmitChecksTest, AnEmptyTitleAndTheWithdrawnConditionsStop) {
  doc.SetTitle("");
  EXPECT_EQ(Ids(CheckTitle(doc)), std::vector<int>{IDS_TITLE_EMPTY});
  for (std::int32_t kind = 0; kind < CItemCondition::kKindCount; ++kind) {
    SCOPED_TRACE(kind);
    doc.SetKind(kind);
    const bool withdrawn = kind == 0 || kind == 2;
    EXPECT_EQ(Ids(CheckCondition(doc)),
              withdrawn ? std::vector<int>{IDS_RETIRED_CONDITION} : std::vector<int>{});
  }
}

TEST_F(SubmitChecksTest, ThePageMayLoadSevenImagesByAddressBannersAndHtmlImagesIncluded) {
  SetInternetImages(7);
  EXPECT_TRUE(CheckInternetImages(doc, 0).empty());
  SetInternetImages(8);
  auto found = CheckInternetImages(doc, 0);
  ASSERT_EQ(Ids(found), std::vector<int>{IDS_TOO_MANY_NET_IMAGES});
  EXPECT_NE(Utf8FromCp932(found[0].message).find("7個まで"), std::string::npos);

  // The HTML input's own images count with them, and the message says so.
  doc.SetDescriptInputType(CNuvoDoc::kHtmlInput);
  ASSERT_TRUE(doc.BuildStartingTree(CNuvoDoc::kHtmlInput));
  SetInternetImages(5);
  doc.SetDescriptions({"<p><IMG src=a.jpg><b><img src=b.jpg></b></p>"});
  EXPECT_EQ(CountPageInternetImages(doc, 0), 7u);
  EXPECT_TRUE(CheckInternetImages(doc, 0).empty());
  doc.SetDescriptions({"<img src=a.jpg><img src=b.jpg><img src=c.jpg>"});
  found = CheckInternetImages(doc, 0);
  ASSERT_EQ(Ids(found), std::vector<int>{IDS_TOO_MANY_NET_IMAGES_HTML});
  EXPECT_EQ(found[0].field, check_field::kDescription);
}

TEST_F(SubmitChecksTest, MachineDependentCharactersAreFoundInEveryTextWithTheirPlace) {
  doc.SetTitle(Cp932("時計①"));
  doc.SetPostItems({{Cp932("送料"), Cp932("全国一律")}, {Cp932("発送"), Cp932("２～３日　㈱便")}});
  doc.SetOtherItems({Cp932("Ⅱ型")});
  doc.SetDescriptions({Cp932("ふつうの説明")});

  CSubmitCheckContext context{kOptionValueDefault & ~kOptionWarnMachineDependentChars};
  EXPECT_TRUE(CheckListing(doc, context).empty());
  context.optionValue |= kOptionWarnMachineDependentChars;
  const auto found = CheckListing(doc, context);
  ASSERT_EQ(found.size(), 3u);
  for (const auto& finding : found) {
    EXPECT_EQ(finding.messageId, IDS_MACHINE_DEPENDENT_CHARS);
    EXPECT_TRUE(finding.asks);
    EXPECT_FALSE(finding.stops);
    EXPECT_EQ(finding.selectionLength, 2u);
  }
  EXPECT_EQ(found[0].field, check_field::kTitle);
  EXPECT_EQ(found[0].selectionStart, 4u);
  EXPECT_EQ(found[1].field, check_field::kPost);
  EXPECT_EQ(found[1].row, 1);
  EXPECT_EQ(found[1].part, "Detail");
  EXPECT_EQ(found[1].selectionStart, 10u);
  EXPECT_EQ(found[2].field, check_field::kOther);
  EXPECT_EQ(found[2].row, 0);
}

TEST_F(SubmitChecksTest, EachListWithEmptyItemsIsAskedAboutOnce) {
  doc.SetPostItems({{"a", "b"}, {"", ""}, {"", ""}});
  doc.SetPayItems({{"", "only detail"}});
  doc.SetOtherItems({"x", ""});
  const auto found = CheckEmptyItems(doc);
  ASSERT_EQ(Ids(found), (std::vector<int>{IDS_DELETE_EMPTY_ITEMS, IDS_DELETE_EMPTY_ITEMS}));
  EXPECT_EQ(found[0].field, check_field::kPost);
  EXPECT_EQ(found[0].row, 1);
  EXPECT_EQ(found[1].field, check_field::kOther);
  EXPECT_EQ(found[1].row, 1);
  EXPECT_TRUE(CheckListing(doc, {kOptionValueDefault & ~kOptionWarnEmptyItems}).empty());

  // Yes deletes them in one step that undo takes back.
  Run(MakeDeleteEmptyRowsCommand(doc, ERowList::Post));
  EXPECT_EQ(doc.GetPostItems(), (std::vector<CItemPair>{{"a", "b"}}));
  EXPECT_EQ(listener.changed.back().mask, RowListMask(ERowList::Post));
  EXPECT_EQ(MakeDeleteEmptyRowsCommand(doc, ERowList::Pay), nullptr);
  doc.Undo();
  EXPECT_EQ(doc.GetPostItems().size(), 3u);
  EXPECT_EQ(CheckEmptyItems(doc).size(), 2u);
}

TEST_F(SubmitChecksTest, PaidOptionsAreCheckedThenConfirmedWhenTheOptionSaysSo) {
  doc.SetStartPrice(1000);
  CChargeOptions options;
  for (auto [amount, stops] : std::vector<std::pair<std::int32_t, bool>>{
           {19, true}, {20, false}, {999, false}, {1000, true}}) {
    SCOPED_TRACE(amount);
    options.SetFeaturedAmount(amount);
    doc.SetChargeOptions(options);
    const auto found = CheckPaidOptions(doc, 0);
    EXPECT_EQ(Ids(found), stops ? std::vector<int>{IDS_FEATURED_AMOUNT_RANGE} : std::vector<int>{});
    if (stops) {
      EXPECT_NE(Utf8FromCp932(found[0].message).find("20円～999円"), std::string::npos);
    }
  }
  options.SetFeaturedAmount(0);
  options.SetReservePrice(1000);
  doc.SetChargeOptions(options);
  EXPECT_EQ(Ids(CheckPaidOptions(doc, kOptionConfirmPaidOptions)),
            std::vector<int>{IDS_RESERVE_NOT_ABOVE_START});
  options.SetReservePrice(1001);
  doc.SetChargeOptions(options);
  const auto found = CheckPaidOptions(doc, kOptionConfirmPaidOptions);
  ASSERT_EQ(Ids(found), std::vector<int>{IDS_CONFIRM_PAID_OPTIONS});
  EXPECT_TRUE(found[0].asks);
  EXPECT_TRUE(CheckPaidOptions(doc, 0).empty());
}

TEST_F(SubmitChecksTest, EachEasyTradeShippingRuleStopsWithItsMessageAndRow) {
  struct Case {
    const char* name;
    std::vector<CShipMethod> methods;
    std::uint32_t services;
    int id;
    int row;
  };
  const std::vector<Case> cases = {
      {"no method", {}, 0, IDS_NO_SHIP_METHOD, -1},
      {"unnamed", {Method("a", 0), Method("", 0)}, 0, IDS_SHIP_NAME_EMPTY, 1},
      {"fee table",
       {Method("a", 0), Method("b", CShipMethod::kFeeTable)},
       0,
       IDS_FEE_TABLE_NOT_ALLOWED,
       1},
      {"hidden on some",
       {Method("a", 0), Method("b", CShipMethod::kNotShown)},
       0,
       IDS_HIDDEN_FEE_MIXED,
       1},
      {"hidden beside the service's own",
       {Method("a", CShipMethod::kNotShown)},
       CShipSettings::kNekoposu,
       IDS_HIDDEN_FEE_MIXED,
       0},
      {"cash on delivery on some",
       {Method("a", CShipMethod::kCashOnDelivery), Method("b", 0)},
       0,
       IDS_CASH_ON_DELIVERY_MIXED,
       0},
      {"reserved name",
       {Method("a", 0), Method("ヤフネコ!パック", 0)},
       0,
       IDS_RESERVED_SHIP_NAME,
       1},
      {"one fixed fee hidden",
       {Method("クリックポスト", CShipMethod::kNotShown)},
       0,
       IDS_HIDDEN_FEE_NOT_ALLOWED,
       0},
      {"two fixed fees hidden",
       {Method("a", CShipMethod::kNotShown), Method("ゆうメール", CShipMethod::kNotShown),
        Method("定形外郵便", CShipMethod::kNotShown)},
       0,
       IDS_HIDDEN_FEE_NOT_ALLOWED_MANY,
       1},
      {"cash on delivery by letter",
       {Method("レターパックプラス", CShipMethod::kCashOnDelivery)},
       0,
       IDS_CASH_ON_DELIVERY_NOT_ALLOWED,
       0},
      {"cash on delivery by Yu-Mail",
       {Method("ゆうメール", CShipMethod::kCashOnDelivery)},
       0,
       0,
       -1},
      {"regional fees missing",
       {Method("a", 0), Method("b", CShipMethod::kFlatFeeAndRegions)},
       0,
       IDS_SEPARATE_FEES_EMPTY,
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetMethods(c.methods, c.services);
    const auto found = CheckShipping(doc, ESubmitForm::EasyTrade);
    if (c.id == 0) {
      EXPECT_TRUE(found.empty());
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].messageId, c.id);
    EXPECT_EQ(found[0].row, c.row);
    EXPECT_TRUE(found[0].stops);
  }
  SetMethods(
      {Method("ゆうメール", CShipMethod::kNotShown), Method("定形外郵便", CShipMethod::kNotShown)});
  EXPECT_NE(Utf8FromCp932(CheckShipping(doc, ESubmitForm::EasyTrade)[0].message)
                .find("ゆうメール\r\n定形外郵便"),
            std::string::npos);
  SetMethods({Method("ヤフネコ宅急便", 0)});
  EXPECT_NE(Utf8FromCp932(CheckShipping(doc, ESubmitForm::EasyTrade)[0].message)
                .find("「ヤフネコ宅急便」"),
            std::string::npos);
}

TEST_F(SubmitChecksTest, ShippingFailuresComeInRuleOrderAndHideTheRegionalFeeCheck) {
  SetMethods({Method("", CShipMethod::kFlatFeeAndRegions), Method("b", CShipMethod::kFeeTable),
              Method("クリックポスト", CShipMethod::kCashOnDelivery)},
             CShipSettings::kTakkyubin | CShipSettings::kYuPack);
  CShipSettings shipping = doc.GetShipping();
  shipping.groupASize.size = {60, 1};
  doc.SetShipping(shipping);
  EXPECT_EQ(
      Ids(CheckShipping(doc, ESubmitForm::EasyTrade)),
      (std::vector<int>{IDS_SHIP_NAME_EMPTY, IDS_FEE_TABLE_NOT_ALLOWED, IDS_CASH_ON_DELIVERY_MIXED,
                        IDS_CASH_ON_DELIVERY_NOT_ALLOWED, IDS_SIZE_WEIGHT_MISMATCH}));
  shipping.groupCSize.size = {60, 1};
  doc.SetShipping(shipping);
  EXPECT_EQ(Ids(CheckShipping(doc, ESubmitForm::EasyTrade)).back(),
            IDS_CASH_ON_DELIVERY_NOT_ALLOWED);
  // The normal form forbids other things.
  EXPECT_EQ(Ids(CheckShipping(doc, ESubmitForm::Normal)),
            (std::vector<int>{IDS_SHIP_NAME_EMPTY, IDS_SPECIFIC_SHIP_NOT_ALLOWED,
                              IDS_SEPARATE_FEES_NOT_ALLOWED, IDS_CASH_ON_DELIVERY_NORMAL}));
}

TEST_F(SubmitChecksTest, SellerPaidPostageWithCashOnDeliveryIsAskedAboutOnTheEasyTradeForm) {
  SetMethods({Method("佐川急便", CShipMethod::kCashOnDelivery)});
  CSubmitCheckContext context{kOptionValueDefault, ESubmitForm::EasyTrade, true};
  ASSERT_EQ(Ids(CheckAfterSettings(doc, context)),
            std::vector<int>{IDS_SELLER_PAYS_CASH_ON_DELIVERY});
  EXPECT_TRUE(CheckAfterSettings(doc, context)[0].asks);
  context.sellerPaysPostage = false;
  EXPECT_TRUE(CheckAfterSettings(doc, context).empty());
  context = {kOptionValueDefault & ~kOptionWarnCashOnDelivery, ESubmitForm::EasyTrade, true};
  EXPECT_TRUE(CheckAfterSettings(doc, context).empty());
}

TEST_F(SubmitChecksTest, NumbersLongerThanTheFormTakesStop) {
  doc.SetBuyNowPrice(99'999'999'999);
  EXPECT_EQ(CheckNumberLengths(doc)[0].field, check_field::kBuyNowPrice);
  doc.SetBuyNowPrice(9'999'999'999);
  EXPECT_TRUE(CheckNumberLengths(doc).empty());
  doc.SetQuantity(100);
  ASSERT_EQ(Ids(CheckNumberLengths(doc)), std::vector<int>{IDS_NUMBER_CONVERSION_FAILED});
  EXPECT_EQ(CheckNumberLengths(doc)[0].field, check_field::kQuantity);
  doc.SetQuantity(99);
  EXPECT_TRUE(CheckNumberLengths(doc).empty());
}

}  // namespace
