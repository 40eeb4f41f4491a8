#include "core/app/AppOptions.h"

#include <gtest/gtest.h>

#include <variant>

#include "RecordingSettings.h"
#include "core/common/Encoding.h"

using namespace nuvo;

namespace {

using Expected = std::variant<int, std::string>;

struct KeyDefault {
  const char* key;
  Expected value;
};

// Every key of the section "Settings" that the options own, with its first-start value.
std::vector<KeyDefault> FirstStartValues() {
  return {
      {"OptionValue", 0x7CFF},
      {"UpdateCaption", Cp932("(更新)")},
      {"PreviewPos", 1},
      {"FindCategory", 0x7FFFFF},
      {"FindOption", 0},
      {"SubmittingAnim", 1},
      {"SubmittingColor", 1},
      {"UPAAODataSizeLimit", 1},
      {"DecoEditOption", 3},
      {"HCCaptionDescription", Cp932("詳細")},
      {"HCCaptionPost", Cp932("送料")},
      {"HCCaptionPay", Cp932("お支払い")},
      {"HCCaptionOther", Cp932("その他")},
      {"DecoEditFontSizeDesc", 105},
      {"DecoEditFontSizeItem", 90},
      {"BannerCount", 0},
      {"ToolBarDispFormat", 2},
      {"ColorToolBarBg", 0xF8E0E0},
      {"UserAgentSettingType", 0},
      {"SheetWidth", 420},
      {"HtmlFrmWidth", 600},
      {"SheetHeight", 360},
      {"HtmlFrmHeight", 340},
      {"NuvoPreviewWndDialog", 1},
      {"PreviewPages", 0},
  };
}

CAppOptions Loaded(CMemorySettings& store) {
  CAppOptions options;
  options.Load(CAppComm(store));
  return options;
}

}  // namespace

TEST(AppOptions, FirstStartReadsTheDefaultsAndWritesThemBackUnchanged) {
  RecordingSettings store;
  CAppComm app(store);
  CAppOptions options;
  options.Load(app);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(options, CAppOptions());
  EXPECT_TRUE(options.optionValue & kOptionUploadPhotosTogether);

  options.Save(app);
  for (const KeyDefault& expected : FirstStartValues()) {
    SCOPED_TRACE(expected.key);
    if (const int* number = std::get_if<int>(&expected.value)) {
      EXPECT_EQ(store.ReadInt("Settings", expected.key), *number);
    } else {
      EXPECT_EQ(store.ReadString("Settings", expected.key), std::get<std::string>(expected.value));
    }
  }
  EXPECT_EQ(store.writes.size(), FirstStartValues().size());
}

TEST(AppOptions, ReadingNormalisesOutOfRangeValuesWithoutWriting) {
  struct Case {
    const char* key;
    int stored;
    int CAppOptions::*field;
    int expected;
  };
  const Case cases[] = {
      {"OptionValue", 0xFFFF, &CAppOptions::optionValue, 0x7DFF},
      {"OptionValue", -1, &CAppOptions::optionValue, 0x7DFF},
      {"FindCategory", -1, &CAppOptions::findCategory, 0x7FFFFF},
      {"FindOption", 7, &CAppOptions::findOption, 3},
      {"DecoEditOption", 6, &CAppOptions::decoEditOption, 2},
      {"ToolBarDispFormat", 3, &CAppOptions::toolBarDispFormat, 2},
      {"ToolBarDispFormat", -1, &CAppOptions::toolBarDispFormat, 2},
      {"UserAgentSettingType", 2, &CAppOptions::userAgentSettingType, 0},
      {"UPAAODataSizeLimit", 4, &CAppOptions::upaaoDataSizeLimit, 1},
      {"PreviewPos", 9, &CAppOptions::previewPos, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + std::to_string(c.stored));
    RecordingSettings store;
    store.CMemorySettings::WriteInt("Settings", c.key, c.stored);
    CAppOptions options;
    options.Load(CAppComm(store));
    EXPECT_EQ(options.*(c.field), c.expected);
    EXPECT_TRUE(store.writes.empty());
  }
}

TEST(AppOptions, MissingPhotoSizeLimitSwitchesOnUploadingTogether) {
  CMemorySettings store;
  store.WriteInt("Settings", "OptionValue", kOptionShowCompletionMessage);
  CAppOptions options = Loaded(store);
  EXPECT_EQ(options.optionValue, kOptionShowCompletionMessage | kOptionUploadPhotosTogether);
  EXPECT_EQ(options.upaaoDataSizeLimit, 1);

  store.WriteInt("Settings", "UPAAODataSizeLimit", 0);
  options = Loaded(store);
  EXPECT_EQ(options.optionValue, kOptionShowCompletionMessage);
  EXPECT_EQ(options.upaaoDataSizeLimit, 0);
}

TEST(AppOptions, SaveThenLoadGivesBackEveryOption) {
  CAppOptions options;
  options.userAgentSettingType = 1;
  options.optionValue = kOptionWarnEmptyItems;
  options.updateCaption = Cp932("【更新】");
  options.previewPos = 5;
  options.findCategory = 0x12345;
  options.findOption = 2;
  options.submittingAnim = 0;
  options.upaaoDataSizeLimit = 3;
  options.decoEditOption = 1;
  options.hcCaptionDescription = "D";
  options.hcCaptionPost = "P";
  options.hcCaptionPay = "";
  options.hcCaptionOther = "O";
  options.decoEditFontSizeDesc = 120;
  options.decoEditFontSizeItem = 80;
  options.banners = {{"a", "b", "c", "d", 1, 2, 3}, {"e", "", "", "", 0, 0, 0}};
  options.toolBarDispFormat = 0;
  options.colorToolBarBg = 0x123456;
  options.sheetWidth = 1;
  options.htmlFrmWidth = 2;
  options.sheetHeight = 3;
  options.htmlFrmHeight = 4;
  options.nuvoPreviewWndDialog = 0;
  options.previewPages = 2;

  CMemorySettings store;
  CAppComm app(store);
  options.Save(app);
  EXPECT_EQ(Loaded(store), options);
}

TEST(AppOptions, BannerCountIsLimitedToSevenAndOldAddressesAreRewritten) {
  CMemorySettings store;
  CAppComm app(store);
  app.WriteSettingsInt("BannerCount", 12);
  app.WriteSettingsString("Banner01Link", "http://openuser.auctions.yahoo.co.jp/jp/user/abc");
  app.WriteSettingsString("Banner02Link", "http://sellinglist.auctions.yahoo.co.jp/user/abc");
  app.WriteSettingsString("Banner03Link", "https://sellinglist.auctions.yahoo.co.jp/user/abc");
  app.WriteSettingsString("Banner04Link",
                          "https://example.com/http://openuser.auctions.yahoo.co.jp/");
  app.WriteSettingsString("Banner01Image", "http://auctions.c.yimg.jp/images/b.gif");
  app.WriteSettingsInt("Banner07Border", 2);

  CAppOptions options = Loaded(store);
  ASSERT_EQ(options.banners.size(), 7u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(options.banners[i].link, "https://auctions.yahoo.co.jp/seller/abc");
  }
  EXPECT_EQ(options.banners[3].link, "https://example.com/http://openuser.auctions.yahoo.co.jp/");
  EXPECT_EQ(options.banners[0].image, "https://auctions.c.yimg.jp/images/b.gif");
  EXPECT_EQ(options.banners[6].border, 2);
}

TEST(AppOptions, ShorterBannerListBlanksTheEntriesItNoLongerUses) {
  CMemorySettings store;
  CAppComm app(store);
  CAppOptions options;
  options.banners.assign(5, BannerEntry{"name", "image", "link", "alt", 88, 31, 1});
  options.Save(app);
  options.banners.resize(2);
  options.Save(app);

  EXPECT_EQ(app.GetSettingsInt("BannerCount", -1), 2);
  EXPECT_EQ(app.GetSettingsString("Banner02Name"), "name");
  for (const char* prefix : {"Banner03", "Banner04", "Banner05"}) {
    SCOPED_TRACE(prefix);
    std::string p = prefix;
    EXPECT_EQ(store.ReadString("Settings", p + "Name"), "");
    EXPECT_EQ(store.ReadString("Settings", p + "Link"), "");
    EXPECT_EQ(store.ReadInt("Settings", p + "Width"), 0);
    EXPECT_EQ(store.ReadInt("Settings", p + "Border"), 0);
  }
  EXPECT_FALSE(store.ReadString("Settings", "Banner06Name"));
  EXPECT_EQ(Loaded(store).banners.size(), 2u);
}
