#include "core/editing/ValueCommands.h"

#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/document/ListingRules.h"
#include "core/editing/RowCommands.h"

using namespace nuvo;

namespace {

using Changed = RecordingListener::Changed;

TEST_F(EditingTest, TheTitleComesBackWithTheSelectionItWasMadeWith) {
  doc.SetTitle(Cp932("カメラ"));
  Run(MakeSetTitleCommand(doc, Cp932("カメラ美品"), PackSelection(6, 10)));
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ美品"));
  EXPECT_TRUE(listener.changed.empty());  // the title box made the change itself
  EXPECT_EQ(listener.previews.size(), 1u);

  doc.Undo();
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ"));
  EXPECT_EQ(listener.changed, (std::vector<Changed>{{change::kTitle, 0x000A0006}}));
  EXPECT_EQ(listener.focused, (std::vector<std::uint32_t>{change::kTitle}));
  EXPECT_EQ(listener.previews.size(), 2u);
  doc.Redo();
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ美品"));
  EXPECT_EQ(listener.changed.back(), (Changed{change::kTitle, 0x000A0006}));
}

// Whoever makes the command (the sheet, nuvo-cli, later the submission), the listing only ever
// holds a title without refused characters and numbers inside their ranges.
TEST_F(EditingTest, TitleQuantityAndPriceCommandsHoldTheListingsRules) {
  // "ソ" and "表" end in the byte of a backslash, "ー" in that of "[": never taken for markup.
  const CleanedTitle cleaned = CleanTitle(Cp932("<b>ソ表ｶﾒﾗ\"ー\"</b>"));
  EXPECT_EQ(cleaned.text, Cp932("bソ表ー/b"));
  EXPECT_EQ(cleaned.MessageId(), IDS_TITLE_BAD_CHARS_AND_KANA);
  EXPECT_EQ(CleanTitle("a>b").MessageId(), IDS_TITLE_BAD_CHARS);
  EXPECT_EQ(CleanTitle(Cp932("ｱ")).MessageId(), IDS_HALF_WIDTH_KANA);
  EXPECT_EQ(CleanTitle(Cp932("カメラ")).MessageId(), 0);

  Run(MakeSetTitleCommand(doc, Cp932("<b>ｶﾒﾗ\"x\"</b>"), 0));
  EXPECT_EQ(doc.GetTitle(), "bx/b");
  Run(MakeSetQuantityCommand(doc, 500));
  EXPECT_EQ(doc.GetQuantity(), 99);
  Run(MakeSetQuantityCommand(doc, -3));
  EXPECT_EQ(doc.GetQuantity(), 1);
  Run(MakeSetStartPriceCommand(doc, INT64_MAX));
  EXPECT_EQ(doc.GetStartPrice(), 9'999'999'999);
  Run(MakeSetBuyNowPriceCommand(doc, -1));
  EXPECT_EQ(doc.GetBuyNowPrice(), 0);
}

TEST_F(EditingTest, EachFieldTellsItsOwnMaskAndFocusesOnlyTheSheetsMainBoxes) {
  struct Case {
    std::unique_ptr<CEditCommand> command;
    std::uint32_t mask;
    bool focus;
    bool preview;
  };
  std::vector<Case> cases;
  cases.push_back({MakeSetSalesFormatCommand(doc, 2), change::kSalesFormat, true, false});
  cases.push_back({MakeSetStartPriceCommand(doc, 5000), change::kStartPrice, true, false});
  cases.push_back({MakeSetBuyNowPriceCommand(doc, 9000), change::kBuyNowPrice, false, false});
  cases.push_back({MakeSetQuantityCommand(doc, 2), change::kQuantity, true, false});
  cases.push_back({MakeSetCategoryCommand(doc, {2084, "x"}), change::kCategory, true, false});
  cases.push_back({MakeSetConditionCommand(doc, {3, "y"}), change::kCondition, false, false});
  cases.push_back({MakeSetShipServiceCommand(doc, EShipServiceField::ServiceFlags, 3),
                   change::kShipServices, false, true});
  cases.push_back(
      {MakeSetSizeWeightCommand(doc, {{60, 1}, {2, 1}}), change::kShipSheet, false, true});
  for (Case& c : cases) {
    SCOPED_TRACE(c.mask);
    Run(std::move(c.command));
    listener.Reset();
    doc.Undo();
    EXPECT_EQ(listener.changed, (std::vector<Changed>{{c.mask, kNoSelection}}));
    EXPECT_EQ(listener.focused,
              c.focus ? std::vector<std::uint32_t>{c.mask} : std::vector<std::uint32_t>{});
    EXPECT_EQ(listener.previews.size(), c.preview ? 1u : 0u);
    doc.Redo();
  }
  EXPECT_EQ(doc.GetSalesFormat(), 2);
  EXPECT_EQ(doc.GetStartPrice(), 5000);
  EXPECT_EQ(doc.GetBuyNowPrice(), 9000);
  EXPECT_EQ(doc.GetQuantity(), 2);
  EXPECT_EQ(doc.GetCategoryId(), 2084);
  EXPECT_EQ(doc.GetCategoryName(), "x");
  EXPECT_EQ(doc.GetCondition(), CItemCondition(3, "y"));
  EXPECT_EQ(doc.GetShipping().GetServiceFlags(), 3u);
  EXPECT_EQ(doc.GetSizeWeight().size.amount, 60);
}

TEST_F(EditingTest, InternetImagesComeBackWholeBeforeThePhotosAndOnlyThePreviewFollows) {
  doc.SetPhotos({"a.jpg"}, {{40, 40}}, {""}, {CPhotoData(std::vector<std::uint8_t>{0xFF, 0xD8})});
  CInternetImage banner;
  banner.linkUrl = "https://example.jp/";
  banner.size = {120, 60};
  const std::vector<CInternetImageEntry> images = {{"https://example.jp/1.gif", banner},
                                                   {"https://example.jp/2.gif", {}}};
  Run(MakeSetInternetImagesCommand(doc, images));
  EXPECT_EQ(doc.GetInternetImages(), images);
  const CTemplateNode* header =
      doc.GetDescriptInput(doc.GetDescriptInputType()).Root().GetDescendant(ENodeKind::Header, 0);
  ASSERT_NE(header, nullptr);
  EXPECT_LT(header->IndexOf(header->FindChild(ENodeKind::InternetImage)),
            header->IndexOf(header->FindChild(ENodeKind::Photo)));
  EXPECT_EQ(doc.GetPhotoNames(), std::vector<std::string>{"a.jpg"});

  listener.Reset();
  doc.Undo();
  EXPECT_TRUE(doc.GetInternetImages().empty());
  EXPECT_TRUE(listener.focused.empty());
  EXPECT_EQ(listener.previews.size(), 1u);
  doc.Redo();
  EXPECT_EQ(doc.GetInternetImages(), images);
}

TEST_F(EditingTest, TheCategoryIdAndNameGoBackTogether) {
  doc.SetCategoryId(1);
  doc.SetCategoryName("old");
  Run(MakeSetCategoryCommand(doc, {2, "new"}));
  doc.Undo();
  EXPECT_EQ(doc.GetCategoryId(), 1);
  EXPECT_EQ(doc.GetCategoryName(), "old");
}

TEST_F(EditingTest, AShipRowFieldChangesOnlyThatFieldOfThatRow) {
  Run(MakeAddRowCommand(doc, ERowList::ShipMethods));
  Run(MakeAddRowCommand(doc, ERowList::ShipMethods));
  Run(MakeSetShipRowCommand(doc, 1, EShipRowField::Fee, std::int64_t{800}));
  Run(MakeSetShipRowCommand(doc, 1, EShipRowField::Name, std::string("pack")));
  EXPECT_EQ(MakeSetShipRowCommand(doc, 2, EShipRowField::Fee, std::int64_t{1}), nullptr);
  EXPECT_EQ(MakeSetShipRowCommand(doc, 0, EShipRowField::Fee, std::string("x")), nullptr);
  auto methods = doc.GetShipping().methods;
  ASSERT_EQ(methods.size(), 2u);
  EXPECT_EQ(methods[0], CShipMethod());
  EXPECT_EQ(methods[1].fee, 800);
  EXPECT_EQ(methods[1].name, "pack");

  listener.Reset();
  doc.Undo();
  doc.Undo();
  EXPECT_EQ(doc.GetShipping().methods[1], CShipMethod());
  EXPECT_EQ(listener.changed.back().mask, change::kShipMethods);
}

TEST_F(EditingTest, SwitchingTheInputTypeRereadsTheTreesPartsAndTheListsWhenTheyShowOrHide) {
  ASSERT_EQ(doc.GetDescriptInputType(), CNuvoDoc::kTemplateInput);
  EXPECT_EQ(MakeSetInputTypeCommand(doc, 3), nullptr);
  Run(MakeSetInputTypeCommand(doc, CNuvoDoc::kHtmlInput));
  EXPECT_EQ(doc.GetDescriptInputType(), CNuvoDoc::kHtmlInput);
  EXPECT_TRUE(doc.GetDescriptInput(CNuvoDoc::kHtmlInput).IsBuilt());
  Run(MakeSetInputTypeCommand(doc, CNuvoDoc::kNormalInput));

  listener.Reset();
  doc.Undo();
  EXPECT_EQ(doc.GetDescriptInputType(), CNuvoDoc::kHtmlInput);
  std::uint32_t treeParts = change::kTitle | change::kPhotos | change::kShipMethods |
                            change::kShipServices | change::kShipSheet;
  EXPECT_EQ(listener.changed.back().mask, treeParts);
  doc.Undo();
  EXPECT_EQ(doc.GetDescriptInputType(), CNuvoDoc::kTemplateInput);
  EXPECT_EQ(listener.changed.back().mask,
            treeParts | change::kPostItems | change::kPayItems | change::kOtherItems);
}

TEST_F(EditingTest, TheTitleStaysTheListingsWhateverTheInputTypeAndItsUndo) {
  Run(MakeSetTitleCommand(doc, Cp932("カメラ"), kNoSelection));
  Run(MakeSetInputTypeCommand(doc, CNuvoDoc::kNormalInput));
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ"));
  Run(MakeSetTitleCommand(doc, Cp932("カメラ美品"), kNoSelection));
  Run(MakeSetInputTypeCommand(doc, CNuvoDoc::kHtmlInput));
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ美品"));
  Run(MakeSetInputTypeCommand(doc, CNuvoDoc::kTemplateInput));
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ美品"));

  // Walking back through the switches and the title edit shows the title of each step.
  doc.Undo();
  doc.Undo();
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ美品"));
  doc.Undo();
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ"));
  doc.Undo();
  EXPECT_EQ(doc.GetDescriptInputType(), CNuvoDoc::kTemplateInput);
  EXPECT_EQ(doc.GetTitle(), Cp932("カメラ"));
}

}  // namespace
