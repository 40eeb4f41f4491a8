#include "core/submit/FieldSet.h"

#include <gtest/gtest.h>

#include "core/net/FormData.h"

using namespace nuvo;

// Each group's first and last slot, and the named indices, against the sell form's names.
TEST(FieldSet, SlotsCarryTheSellFormNamesInOrder) {
  const std::pair<int, const char*> table[] = {
      {kFieldTos, "tos"},
      {kFieldCategory, "category"},
      {FieldRow(kFieldImageFullPath1, 1), "ImageFullPath1"},
      {FieldRow(kFieldImageFullPath1, 10), "ImageFullPath10"},
      {FieldRow(kFieldImageWidth1, 10), "ImageWidth10"},
      {FieldRow(kFieldImageHeight1, 1), "ImageHeight1"},
      {FieldRow(kFieldImageComment1, 10), "image_comment10"},
      {kFieldUserId, "userID"},
      {kFieldBidCreditLimit, "bidCreditLimit"},
      {kFieldAspj1, "aspj1"},
      {kFieldDskPayment, "dskPayment"},
      {FieldRow(kFieldBankName1, 10), "bkname10"},
      {FieldRow(kFieldPayMethod1, 1), "paymethod1"},
      {kFieldIntlOk, "intlOK"},
      {kFieldHbItemWeight, "hb_itemweight"},
      {FieldRow(kFieldShipName1, 10), "shipname10"},
      {FieldRow(kFieldShipFee1, 1), "shipfee1"},
      {FieldRow(kFieldLongDistShipping1, 3), "longdistshipping3"},
      {FieldRow(kFieldHokkaidoShipping1, 10), "hokkaidoshipping10"},
      {FieldRow(kFieldOkinawaShipping1, 1), "okinawashipping1"},
      {FieldRow(kFieldIsolatedIslandShipping1, 10), "isolatedislandshipping10"},
      {FieldRow(kFieldShipRateLink1, 10), "shipratelink10"},
      {kFieldIntlAuction, "intlauction"},
      {kFieldAffiliateRate, "affiliateRate"},
      {kFieldShippingInput, "shippinginput"},
      {kFieldIsOtherShip, "is_other_ship"},
      {kFieldSelectedHacoboonMiniCvsPref, "selectedHacoboonMiniCvsPref"},
      {kFieldIsJpYupackOfficialShip, "is_jp_yupack_official_ship"},
  };
  for (const auto& [slot, name] : table) {
    EXPECT_EQ(CFieldSet::Name(slot), name) << slot;
    EXPECT_EQ(CFieldSet::SlotOf(name), slot) << name;
  }
  EXPECT_EQ(kFieldIsJpYupackOfficialShip, CFieldSet::kSlotCount - 1);
  // Every name is distinct, so a name finds its own slot back.
  for (int slot = 0; slot < CFieldSet::kSlotCount; ++slot)
    EXPECT_EQ(CFieldSet::SlotOf(CFieldSet::Name(slot)), slot) << slot;
  EXPECT_EQ(CFieldSet::SlotOf("title"), -1);
  EXPECT_EQ(CFieldSet::Name(CFieldSet::kSlotCount), "");
}

TEST(FieldSet, UnsetSlotsDifferFromEmptyOnesAndOutOfRangeSlotsAreIgnored) {
  CFieldSet fields;
  EXPECT_EQ(fields.Get(kFieldTitle), CFieldSet::kNotDefined);
  EXPECT_FALSE(fields.IsSet(kFieldTitle));
  EXPECT_FALSE(fields.IsEmpty(kFieldTitle));
  EXPECT_EQ(fields.GetInt(kFieldStartPrice), 0);

  fields.Clear(kFieldTitle);
  EXPECT_TRUE(fields.IsSet(kFieldTitle));
  EXPECT_TRUE(fields.IsEmpty(kFieldTitle));
  fields.SetInt(kFieldStartPrice, -1500);
  EXPECT_EQ(fields.Get(kFieldStartPrice), "-1500");
  EXPECT_EQ(fields.GetInt(kFieldStartPrice), -1500);
  fields.Set(kFieldQuantity, "12abc");
  EXPECT_EQ(fields.GetInt(kFieldQuantity), 12);
  fields.Unset(kFieldTitle);
  EXPECT_FALSE(fields.IsSet(kFieldTitle));

  const CFieldSet before = fields;
  fields.Set(-1, "x");
  fields.SetInt(CFieldSet::kSlotCount, 5);
  fields.Clear(500);
  EXPECT_EQ(fields, before);
  EXPECT_EQ(fields.Get(-1), "");
  EXPECT_EQ(fields.GetInt(CFieldSet::kSlotCount), 0);
  EXPECT_FALSE(fields.IsSet(CFieldSet::kSlotCount));
  EXPECT_FALSE(fields.IsEmpty(-1));
}

TEST(FieldSet, MergeCopiesOnlyWhatTheOtherSetSets) {
  CFieldSet into;
  into.Set(kFieldTitle, "listing");
  into.Set(kFieldDuration, "3");
  CFieldSet from;
  from.Set(kFieldDuration, "7");
  from.Clear(kFieldMarkdown);
  into.Merge(from);
  EXPECT_EQ(into.Get(kFieldTitle), "listing");
  EXPECT_EQ(into.Get(kFieldDuration), "7");
  EXPECT_TRUE(into.IsEmpty(kFieldMarkdown));
  EXPECT_FALSE(into.IsSet(kFieldTos));
}

TEST(FieldSet, ApplyOverwritesAndAddsFieldsButLeavesUnsetOnesToTheForm) {
  CFormData form;
  form.SetValue("Title", "from the service");
  form.SetValue("crumb", "abc");
  form.SetValue("Duration", "5");
  CFieldSet fields;
  fields.Set(kFieldTitle, "mine");
  fields.Set(kFieldShipFee1, "800");
  fields.Clear(kFieldDuration);
  fields.Apply(form);
  EXPECT_EQ(form.GetValue("Title"), "mine");
  EXPECT_EQ(form.GetValue("crumb"), "abc");
  EXPECT_EQ(form.GetValue("shipfee1"), "800");
  EXPECT_TRUE(form.IsEmpty("Duration"));
  EXPECT_EQ(form.BuildUrlEncoded().find("__zs_not_defined__"), std::string::npos);
}
