#include "core/editing/CommonSubmitSettings.h"

#include <gtest/gtest.h>

#include "core/app/DialogSettings.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/editing/RunSettings.h"

using namespace nuvo;

namespace {

class CommonSubmitSettingsTest : public ::testing::Test {
 protected:
  CCommonSubmitSettings Loaded(ESubmitForm form) {
    CCommonSubmitSettings settings(form);
    settings.Load(app);
    return settings;
  }
  void Store(int page, const std::string& key, int value) { WriteDialogInt(app, page, key, value); }

  CMemorySettings backend;
  CAppComm app{backend};
};

TEST_F(CommonSubmitSettingsTest, AFirstStartSendsTheDefaultsOfEachForm) {
  const SellFormValues easy = Loaded(ESubmitForm::EasyTrade).FormValues();
  SellFormValues expected = {
      {"Duration", "5"},         {"ClosingTime", "21"},    {"numResubmit", "3"},
      {"CloseEarly", "yes"},     {"AutoExtension", "yes"}, {"minBidRating", "0"},
      {"badRatingRatio", "yes"}, {"bidCreditLimit", ""},   {"markdown", ""},
      {"markdown_ratio", ""},    {"ypmOK", "yes"}};
  for (int i = 1; i <= 10; ++i) {
    expected.emplace_back("bkname" + std::to_string(i), "");
    expected.emplace_back("paymethod" + std::to_string(i), "");
  }
  const SellFormValues tail = {
      {"shipping", "buyer"}, {"intlOK", ""},     {"loc_cd", "13"},         {"city", ""},
      {"shipschedule", ""},  {"retpolicy", "0"}, {"retpolicy_comment", ""}};
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(easy, expected);

  // The normal form adds the sales contract, when to send and shipping by Yu-Pack.
  const SellFormValues normal = Loaded(ESubmitForm::Normal).FormValues();
  ASSERT_EQ(normal.size(), easy.size() + 3);
  EXPECT_EQ(normal[8], (std::pair<std::string, std::string>{"salesContract", ""}));
  const auto has = [&](const std::string& name, const std::string& value) {
    return std::find(normal.begin(), normal.end(), std::pair{name, value}) != normal.end();
  };
  EXPECT_TRUE(has("shiptime", "payment"));
  EXPECT_TRUE(has("ypkOK", ""));
  EXPECT_TRUE(Loaded(ESubmitForm::Normal).basic.IsDefault());
}

TEST_F(CommonSubmitSettingsTest, StoredValuesOutOfRangeAreBroughtBack) {
  Store(kBasicPageId, "ToggleVal", 0xFF);
  Store(kBasicPageId, "Duration", 8);
  Store(kBasicPageId, "ClosingTime", 24);
  Store(kBasicPageId, "NumResubmit", 9);
  Store(kBidLimitPageId, "ToggleVal", 0xFF);
  Store(kMarkdownPageId, "MarkdownRatio", 6);
  Store(kPostPageId, "LocCd", 48);
  Store(kPostPageId, "ToggleVal", 0xFF);
  const CCommonSubmitSettings settings = Loaded(ESubmitForm::Normal);
  EXPECT_EQ(settings.basic.toggleVal, 3);
  EXPECT_EQ(settings.basic.duration, 5);
  EXPECT_EQ(settings.basic.closingTime, 21);
  EXPECT_EQ(settings.basic.numResubmit, 3);
  EXPECT_EQ(settings.bidLimit.toggleVal, 0x17);
  EXPECT_EQ(settings.markdown.markdownRatio, 0);
  EXPECT_EQ(settings.post.locCd, 13);
  EXPECT_EQ(settings.post.toggleVal, 0x1A);
  EXPECT_TRUE(settings.basic.IsDefault());
  EXPECT_FALSE(settings.Validate());
}

TEST_F(CommonSubmitSettingsTest, PagesSendTheirChoices) {
  CCommonSubmitSettings settings(ESubmitForm::Normal);
  settings.basic = {0, 7, 0, 0};
  settings.bidLimit.toggleVal =
      CSubmitBidLimitSettings::kBidCreditLimit | CSubmitBidLimitSettings::kSalesContract;
  settings.markdown = {CSubmitMarkdownSettings::kMarkdownOn, 3};
  settings.pay.bankNames = {Cp932("ゆうちょ銀行")};
  settings.pay.otherPayMethods = {Cp932("現金書留"), Cp932("代金引換")};
  settings.post.shipping = 1;
  settings.post.shipTime = CSubmitPostSettings::kShipAfterClose;
  settings.post.shipSchedule = 2;
  settings.post.toggleVal = 0x1A;
  settings.post.locCd = 27;
  settings.post.city = Cp932("大阪市");
  settings.returnPolicy = {1, Cp932("到着後3日以内")};
  SellFormValues values = settings.FormValues();
  const auto value = [&](const std::string& name) {
    auto it = std::find_if(values.begin(), values.end(), [&](auto& v) { return v.first == name; });
    return it == values.end() ? std::string("<absent>") : it->second;
  };
  EXPECT_EQ(value("Duration"), "7");
  EXPECT_EQ(value("ClosingTime"), "0");
  EXPECT_EQ(value("numResubmit"), "0");
  EXPECT_EQ(value("CloseEarly"), "");
  EXPECT_EQ(value("minBidRating"), "");
  EXPECT_EQ(value("bidCreditLimit"), "1");
  EXPECT_EQ(value("salesContract"), "1");
  EXPECT_EQ(value("markdown"), "1");
  EXPECT_EQ(value("markdown_ratio"), "20");
  EXPECT_EQ(value("bkname1"), Cp932("ゆうちょ銀行"));
  EXPECT_EQ(value("bkname2"), "");
  EXPECT_EQ(value("paymethod2"), Cp932("代金引換"));
  EXPECT_EQ(value("shipping"), "seller");
  EXPECT_EQ(value("shiptime"), "close");
  EXPECT_EQ(value("shipschedule"), "5");
  EXPECT_EQ(value("intlOK"), "1");
  EXPECT_EQ(value("ypkOK"), "1");
  EXPECT_EQ(value("loc_cd"), "27");
  EXPECT_EQ(value("city"), Cp932("大阪市"));
  EXPECT_EQ(value("retpolicy"), "1");
  EXPECT_EQ(value("retpolicy_comment"), Cp932("到着後3日以内"));

  // The easy-trade form pays through the service alone and has no Yu-Pack or send-time choice.
  CCommonSubmitSettings easy(ESubmitForm::EasyTrade);
  easy.pay = settings.pay;
  easy.post = settings.post;
  easy.post.toggleVal = CSubmitPostSettings::kYpkOk;
  easy.markdown.markdownRatio = 3;  // markdown itself stays off
  easy.bidLimit = settings.bidLimit;
  settings = easy;
  values = settings.FormValues();
  EXPECT_EQ(value("bkname1"), Cp932("ゆうちょ銀行"));  // picks the registered account
  EXPECT_EQ(value("paymethod2"), "");
  EXPECT_EQ(value("shiptime"), "<absent>");
  EXPECT_EQ(value("ypkOK"), "<absent>");
  EXPECT_EQ(value("salesContract"), "<absent>");
  EXPECT_EQ(value("markdown"), "");
  EXPECT_EQ(value("markdown_ratio"), "");
  EXPECT_EQ(value("shipschedule"), "");
}

TEST_F(CommonSubmitSettingsTest, SavedSettingsComeBackAndShorterListsBlankTheRest) {
  CCommonSubmitSettings settings(ESubmitForm::Normal);
  settings.basic = {1, 3, 9, 2};
  settings.pay.bankNames = {"A", "B", "C"};
  settings.post.city = Cp932("札幌市");
  settings.returnPolicy.returnPolicyNote = "note";
  settings.Save(app);
  EXPECT_EQ(Loaded(ESubmitForm::Normal), settings);

  settings.pay.bankNames = {"A"};
  settings.Save(app);
  EXPECT_EQ(GetDialogString(app, kPayNormalPageId, "BankName02"), "");
  EXPECT_EQ(Loaded(ESubmitForm::Normal).pay.bankNames, std::vector<std::string>{"A"});
}

TEST_F(CommonSubmitSettingsTest, TheOlderScheduleIsReadWhenTheNewerIsAbsent) {
  Store(kPostPageId, "ShipSchedule", 2);
  EXPECT_EQ(Loaded(ESubmitForm::EasyTrade).post.shipSchedule, 2);
  Store(kPostPageId, "ShipSchedule", 3);  // the older key knew only three
  EXPECT_EQ(Loaded(ESubmitForm::EasyTrade).post.shipSchedule, 0);
  Store(kPostPageId, "ShipSchedule_Rev2", 3);
  EXPECT_EQ(Loaded(ESubmitForm::EasyTrade).post.shipSchedule, 3);
}

TEST_F(CommonSubmitSettingsTest, TheHistoryKeepsTheNewestTenWithoutRepeats) {
  CSubmitSettingHistory history;
  CSubmitPaySettings pay;
  for (int i = 0; i < 12; ++i) {
    pay.bankNames = {"bank" + std::to_string(i)};
    history.Remember(pay);
  }
  pay.bankNames = {"bank5", "bank11"};
  pay.otherPayMethods = {"cash"};
  history.Remember(pay);
  ASSERT_EQ(history.bankNames.size(), 10u);
  EXPECT_EQ(history.bankNames[0], "bank5");
  EXPECT_EQ(history.bankNames[1], "bank11");
  EXPECT_EQ(history.bankNames[2], "bank10");
  EXPECT_EQ(history.payMethods, std::vector<std::string>{"cash"});
  history.Save(app);
  CSubmitSettingHistory read;
  read.Load(app);
  EXPECT_EQ(read.bankNames, history.bankNames);
  EXPECT_EQ(read.payMethods, history.payMethods);
}

TEST_F(CommonSubmitSettingsTest, ValidationNamesTheBasicValueThatCannotBeSent) {
  CCommonSubmitSettings settings;
  settings.basic.duration = 0;
  EXPECT_EQ(settings.Validate(), CCommonSubmitSettings::EInvalid::Duration);
  settings.basic.duration = 7;
  settings.basic.closingTime = 24;
  EXPECT_EQ(settings.Validate(), CCommonSubmitSettings::EInvalid::ClosingTime);
  settings.basic.closingTime = 23;
  settings.basic.numResubmit = 4;
  EXPECT_EQ(settings.Validate(), CCommonSubmitSettings::EInvalid::NumResubmit);
}

TEST_F(CommonSubmitSettingsTest, ARunTakesTheSettingsAsFieldsAndItsOptionsFromTheProgram) {
  CAppOptions options;
  options.optionValue &= ~kOptionShowFinalConfirmation;
  const CSubmitSettings run = MakeRunSettings(Loaded(ESubmitForm::EasyTrade), options);
  EXPECT_TRUE(run.easyTrade);
  EXPECT_FALSE(run.showFinalConfirmation);
  // A first start's settings send what a run assumes of a first start.
  const CSubmitSettings firstStart;
  for (int slot = 0; slot < CFieldSet::kSlotCount; ++slot) {
    if (firstStart.fields.IsSet(slot) && run.fields.IsSet(slot)) {
      EXPECT_EQ(run.fields.Get(slot), firstStart.fields.Get(slot)) << CFieldSet::Name(slot);
    }
  }
  EXPECT_EQ(run.fields.Get(kFieldYpmOk), "yes");
  EXPECT_FALSE(run.fields.IsSet(kFieldShipTime));
  EXPECT_FALSE(MakeRunSettings(Loaded(ESubmitForm::Normal), options).easyTrade);
}

}  // namespace
