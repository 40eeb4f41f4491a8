#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/document/ChargeOptions.h"
#include "core/document/ItemCondition.h"
#include "core/document/ShipSettings.h"
#include "core/document/SizeWeight.h"

using namespace nuvo;

TEST(ItemCondition, KeepsKindsInRangeAndListsRetiredOnesLast) {
  CItemCondition condition;
  EXPECT_EQ(condition.GetKind(), 5);
  EXPECT_EQ(CItemCondition::KindText(5), Cp932("やや傷や汚れあり"));
  for (int bad : {-1, 8, 1000}) {
    condition.SetKind(bad);
    EXPECT_EQ(condition.GetKind(), 5) << bad;
  }
  condition.SetKind(0);
  EXPECT_EQ(condition.GetKind(), 0);
  EXPECT_EQ(CItemCondition(9, "x").GetKind(), 5);

  EXPECT_EQ(CItemCondition::ListPosition(1, true), 0);
  EXPECT_EQ(CItemCondition::ListPosition(0, true), 6);
  EXPECT_EQ(CItemCondition::ListPosition(2, true), 7);
  EXPECT_EQ(CItemCondition::ListPosition(7, false), 5);
  EXPECT_EQ(CItemCondition::ListPosition(0, false), -1);
  EXPECT_EQ(CItemCondition::ListOrder(false).size(), 6u);
}

TEST(ChargeOptions, CountAsSetOnlyThroughMeaningfulValues) {
  CChargeOptions options;
  EXPECT_FALSE(options.IsSet());
  options.SetOptionFlags(0xEFFFFFF4);  // every bit but the known ones
  EXPECT_EQ(options.GetOptionFlags(), 0u);
  options.SetIconKind(1);
  EXPECT_EQ(options.GetIconKind(), 0);
  options.SetFeaturedAmount(-5);
  options.SetReservePrice(-1);
  options.SetCollectionRate(0);
  EXPECT_FALSE(options.IsSet());

  CChargeOptions gift;
  gift.SetOptionFlags(0xFFFFFFFF);
  EXPECT_EQ(gift.GetOptionFlags(), 0x1000000Bu);
  EXPECT_TRUE(gift.IsSet());
  CChargeOptions icon;
  icon.SetIconKind(8);
  EXPECT_TRUE(icon.IsSet());
  CChargeOptions rate;
  rate.SetCollectionRate(15);
  EXPECT_TRUE(rate.IsSet());
  EXPECT_EQ(rate.CollectionRateText(), "1.5");
  rate.SetCollectionRate(100);
  EXPECT_EQ(rate.CollectionRateText(), "10.0");
}

TEST(SizeWeight, ShowsBoundsOnTheSideTheFlagSays) {
  CSizeWeight sw;
  EXPECT_EQ(sw.Text(), "");
  EXPECT_FALSE(sw.IsSet());
  sw.size = {60, 1};
  EXPECT_EQ(sw.Text(), Cp932("～60cm / "));
  sw.weight = {2, 0};
  EXPECT_EQ(sw.Text(), Cp932("～60cm / 2kg～"));
  sw.size = {0, 1};
  EXPECT_EQ(sw.Text(), Cp932(" / 2kg～"));
  EXPECT_TRUE(sw.IsSet());
}

TEST(ShipSettings, MethodsTakeTheirFeeTypeFromWhatWasEntered) {
  CShipMethod method;
  EXPECT_EQ(method.FeeTypeFromContent(), CShipMethod::kNotShown);
  method.feeTableUrl = "http://example.com/fees";
  EXPECT_EQ(method.FeeTypeFromContent(), CShipMethod::kFeeTable);
  method.fee = 0;  // a free delivery is an entered fee
  EXPECT_EQ(method.FeeTypeFromContent(), CShipMethod::kFlatFee);
  method.okinawaFee = 1200;
  EXPECT_EQ(method.FeeTypeFromContent(), CShipMethod::kFlatFeeAndRegions);

  method.SetFeeType(2);
  EXPECT_TRUE(method.UsesFeeTable());
  EXPECT_FALSE(method.UsesFee());
  method.SetFeeType(4);
  EXPECT_FALSE(method.UsesFee() || method.UsesRegionalFees() || method.UsesFeeTable());
  method.SetFeeType(5);
  EXPECT_EQ(method.feeType, CShipMethod::kNotShown);
  EXPECT_EQ(CShipMethod::FeeTypeText(1), Cp932("全国一律 + 別料金"));

  CShipSettings ship;
  ship.SetServiceFlags(0xFF);
  EXPECT_EQ(ship.GetServiceFlags(), 0x7Fu);
  ship.SetGroupASetting(2);
  EXPECT_EQ(ship.GetGroupASetting(), 0);
  ship.SetGroupBPrefecture(27);
  EXPECT_EQ(ship.GetGroupBPrefecture(), 27);
  ship.SetGroupBPrefecture(48);
  EXPECT_EQ(ship.GetGroupBPrefecture(), 13);
}
