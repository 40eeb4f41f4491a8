#include <gtest/gtest.h>

#include "DocumentFixture.h"

using namespace nuvo;

namespace {

// A listing with something in every part its tree carries.
void FillTree(CNuvoDoc& doc) {
  doc.SetTitle(Cp932("テスト出品"));
  doc.SetPhotos(
      {"a.jpg", "b.gif"}, {{640, 480}, {10, 20}}, {"", Cp932("裏")},
      {CPhotoData(std::vector<std::uint8_t>{1, 2, 3}), CPhotoData(std::vector<std::uint8_t>{4})});
  doc.SetDescriptions({"one", "<b>two</b>"});
  doc.SetPostItems({{"post", "500"}, {"post2", ""}});
  doc.SetPayItems({{"bank", "ok"}});
  doc.SetOtherItems({"a", "b", "c"});
  CChargeOptions options;
  options.SetReservePrice(5000);
  doc.SetChargeOptions(options);
  CShipSettings shipping;
  shipping.SetServiceFlags(CShipSettings::kYuPack);
  shipping.methods.resize(2);
  shipping.methods[0].name = "mail";
  shipping.methods[0].fee = 180;
  shipping.methods[1].name = "cod";
  shipping.methods[1].SetFeeType(CShipMethod::kCashOnDelivery);
  doc.SetShipping(shipping);
  doc.SetSizeWeight({{60, 1}, {2, 0}});
}

}  // namespace

TEST(NuvoDoc, NewListingTakesDefaultsAndRemembersSampleAndInputTypeInTheSettings) {
  DocumentFixture fx;
  CAppComm(fx.settings).WriteSettingsInt("SampleID", 0x00010002);
  CAppComm(fx.settings).WriteSettingsInt("DescriptInputType", 0);
  {
    auto doc = fx.MakeDoc();
    doc->SetCategoryName("kept");
    doc->SetStartPrice(5);
    doc->SetKind(1);
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(doc->GetStartPrice(), 1000);
    EXPECT_EQ(doc->GetBuyNowPrice(), 0);
    EXPECT_EQ(doc->GetQuantity(), 1);
    EXPECT_EQ(doc->GetKind(), 5);
    EXPECT_EQ(doc->GetSalesFormat(), 0);
    EXPECT_EQ(doc->GetCategoryName(), "kept");
    EXPECT_EQ(doc->GetSampleID(), 0x00010002u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NE(DocumentFixture::AllText(doc->Current().Root()).find("second"), std::string::npos);
    EXPECT_EQ(doc->GetDescriptions(), std::vector<std::string>{Cp932("説明")});
    EXPECT_EQ(doc->GetPostItems(), (std::vector<CItemPair>{{Cp932("送料"), ""}}));
    EXPECT_EQ(doc->CountNodes(ENodeKind::ChargeOption), 1u);
    EXPECT_EQ(doc->CountNodes(ENodeKind::SizeAndWeight), 1u);
    EXPECT_EQ(doc->CountNodes(ENodeKind::ShipMethodGeneral), 1u);
    EXPECT_EQ(doc->CountNodes(ENodeKind::Photo), 0u);
    EXPECT_TRUE(fx.prompt.requests.empty());
    doc->SetDescriptInputType(2);
  }
  EXPECT_EQ(CAppComm(fx.settings).GetSettingsInt("DescriptInputType", -1), 2);
  EXPECT_EQ(CAppComm(fx.settings).GetSettingsInt("SampleID", -1), 0x00010002);

  CAppComm(fx.settings).WriteSettingsInt("DescriptInputType", 7);
  EXPECT_EQ(fx.MakeDoc()->GetDescriptInputType(), 0);
}

TEST(NuvoDoc, BuiltInStartingTreesServeNormalAndHtmlInput) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  doc->SetDescriptInputType(1);
  ASSERT_TRUE(doc->OnNewDocument());
  EXPECT_EQ(
      doc->GetDescriptions(),
      std::vector<std::string>{Cp932("（ここに通常入力で、商品の説明文を入力してください）")});
  doc->SetTitle("title");
  EXPECT_EQ(doc->GetTitle(), "title");

  doc->SetDescriptInputType(2);
  ASSERT_TRUE(doc->OnNewDocument());
  EXPECT_EQ(doc->GetDescriptions(),
            std::vector<std::string>{
                Cp932("（ここに<b>HTML入力</b>で、商品の説明文を入力してください）")});
}

TEST(NuvoDoc, ChangingTheSampleKeepsTheWholeListing) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  FillTree(*doc);
  CShipSettings shipping = doc->GetShipping();
  std::vector<std::string> names = doc->GetPhotoNames();

  EXPECT_TRUE(doc->SetSampleID(0x00010002));
  EXPECT_TRUE(fx.prompt.requests.empty());
  EXPECT_NE(DocumentFixture::AllText(doc->Current().Root()).find("second"), std::string::npos);
  EXPECT_EQ(doc->GetTitle(), Cp932("テスト出品"));
  EXPECT_EQ(doc->GetPhotoNames(), names);
  EXPECT_EQ(doc->GetPhotoDetails(), (std::vector<std::string>{"", Cp932("裏")}));
  EXPECT_EQ(doc->GetPhotoData().size(), 2u);
  EXPECT_EQ(doc->GetDescriptions(), (std::vector<std::string>{"one", "<b>two</b>"}));
  EXPECT_EQ(doc->GetPostItems(), (std::vector<CItemPair>{{"post", "500"}, {"post2", ""}}));
  EXPECT_EQ(doc->GetPayItems(), (std::vector<CItemPair>{{"bank", "ok"}}));
  EXPECT_EQ(doc->GetOtherItems(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(doc->GetChargeOptions().GetReservePrice(), 5000);
  EXPECT_EQ(doc->GetShipping(), shipping);
  EXPECT_EQ(doc->GetSizeWeight(), (CSizeWeight{{60, 1}, {2, 0}}));
  // The method rows follow the list: two rows in use, none left over.
  EXPECT_EQ(doc->CountNodes(ENodeKind::Block, doc->GetNode(ENodeKind::ShipMethodGeneral, 0)), 2u);
}

TEST(NuvoDoc, AMissingSampleFallsBackToSampleZeroAndFailsWhenThatIsMissingToo) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetTitle("kept");
  EXPECT_TRUE(doc->SetSampleID(0x00010002));
  EXPECT_TRUE(doc->SetSampleID(0x00010002));  // unchanged: nothing happens
  EXPECT_TRUE(doc->SetSampleID(0x00050005));
  EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{806});
  EXPECT_EQ(doc->GetSampleID(), 0u);
  EXPECT_NE(DocumentFixture::AllText(doc->Current().Root()).find("first"), std::string::npos);
  EXPECT_EQ(doc->GetTitle(), "kept");

  std::filesystem::remove_all(fx.dir.path() / "samples");
  EXPECT_FALSE(doc->SetSampleID(3));
  EXPECT_EQ(doc->GetSampleID(), 0u);
  EXPECT_EQ(doc->GetTitle(), "kept");
  // A new listing without any sample still gets a tree that holds a listing.
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetTitle("t");
  doc->SetDescriptions({"d"});
  EXPECT_EQ(doc->GetTitle(), "t");
  EXPECT_EQ(doc->GetDescriptions(), std::vector<std::string>{"d"});
}

TEST(NuvoDoc, ListsGrowFromTheirLastEntryAndShrinkFromTheEnd) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetPostItems({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  EXPECT_EQ(doc->GetPostItems().size(), 3u);
  // Copies keep the template's layout around the entry.
  EXPECT_EQ(doc->GetNode(ENodeKind::Post, 2)->ChildCount(),
            doc->GetNode(ENodeKind::Post, 0)->ChildCount());
  doc->SetPostItems({{"x", "y"}});
  EXPECT_EQ(doc->GetPostItems(), (std::vector<CItemPair>{{"x", "y"}}));
  doc->SetOtherItems({});
  doc->SetOtherItems({"again"});
  EXPECT_EQ(doc->GetOtherItems(), std::vector<std::string>{"again"});

  CShipSettings none;
  doc->SetShipping(none);
  EXPECT_TRUE(doc->GetShipping().methods.empty());
  EXPECT_FALSE(doc->GetNode(ENodeKind::ShipMethodGeneral, 0)->IsEnabled());
}
