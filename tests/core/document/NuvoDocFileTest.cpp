#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "core/common/StringTable.h"
#include "core/document/ArchiveWriter.h"
#include "support/ImageBytes.h"

using namespace nuvo;

namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::span<const std::uint8_t> Bytes(const std::string& file) {
  return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

// A listing file of an older version, written the way that version laid it out.
std::string OldFile(std::uint32_t v) {
  CArchiveWriter w;
  w.WriteString("NuvoDocument");
  w.WriteU32(v);
  w.WriteI64(5000);
  w.WriteI64(5000);
  w.WriteU32(2);
  if (v >= 3) {
    w.WriteI32(3);
    w.WriteString("remark");
  }
  w.WriteI32(2084);
  w.WriteString("category");
  if (v >= 11) w.WriteString("memo");
  if (v >= 4) w.WriteU32(1);  // the old fixed-price flag
  if (v >= 6) w.WriteI32(1);
  if (v >= 9) w.WriteU32(1);
  w.WriteI32(30);  // featured amount
  if (v < 3) {
    w.WriteU32(0);
    w.WriteU32(0);
  }
  w.WriteI64(7000);
  w.WriteU32(0xFFFFFFFF);
  w.WriteI32(9);  // no such icon
  if (v >= 9) w.WriteI32(15);
  w.WriteU32(0x00010002);
  if (v >= 8) w.WriteI32(1);
  w.WriteString("title");
  w.WriteU32(1);
  w.WriteString("P.GIF");
  w.WriteSize({0, 0});
  if (v >= 3) w.WriteString("note");
  const std::vector<std::uint8_t> gif = GifBytes(33, 44);
  w.WriteU32(static_cast<std::uint32_t>(gif.size()));
  w.WriteBytes(gif);
  if (v >= 2) {
    w.WriteU32(1);
    for (int i = 0; i < 4; ++i) w.WriteString("img");
    w.WriteSize({1, 1});
    w.WriteI32(0);
    if (v >= 3) w.WriteString("extra");
  }
  w.WriteU32(1);
  w.WriteString("<B>d0</B>");
  w.WriteU32(5);
  for (int i = 0; i < 5; ++i) {
    w.WriteString("post" + std::to_string(i));
    w.WriteString("fee");
  }
  w.WriteU32(0);
  w.WriteU32(0);
  if (v >= 8) {
    w.WriteU32(1);
    w.WriteString("d1");
    w.WriteU32(0);
  }
  if (v >= 4) {
    w.WriteU32(1);
    w.WriteString("method");
    if (v >= 8) w.WriteI32(1);
    w.WriteI64(300);
    if (v >= 9) {
      w.WriteI64(-1);
      w.WriteI64(1200);
      w.WriteI64(-1);
    }
    w.WriteString(v >= 8 ? "http://fees" : "");
  }
  if (v >= 11) {
    w.WriteU32(0x21);
    w.WriteI32(1);
    for (int i = 0; i < 4; ++i) w.WriteI32(i);
    w.WriteI32(1);
    w.WriteI32(27);
    for (int i = 0; i < 4; ++i) w.WriteI32(i);
    w.WriteI32(5);
    for (int i = 0; i < 4; ++i) w.WriteI32(i);
  }
  if (v >= 4) {
    for (int i : {80, 1, 3, 0}) w.WriteI32(i);
  }
  return w.Bytes();
}

void FillEveryField(CNuvoDoc& doc) {
  doc.SetStartPrice(0x123456789);
  doc.SetBuyNowPrice(9000000000);
  doc.SetQuantity(7);
  doc.SetCondition(CItemCondition(7, Cp932("箱なし")));
  doc.SetCategoryId(2084005);
  doc.SetCategoryName(Cp932("おもちゃ、ゲーム"));
  doc.SetMemo(std::string(300, 'm'));
  doc.SetSalesFormat(2);
  doc.SetTitle(std::string(254, 't'));
  doc.SetPhotos({"a.jpg", "b.gif"}, {{640, 480}, {5, 6}}, {"", ""},
                {CPhotoData(std::vector<std::uint8_t>(70000, 0xAB)), CPhotoData(GifBytes(5, 6))});
  doc.SetDescriptions({Cp932("説明"), std::string(255, 'x')});
  doc.SetPostItems({{"p1", "d1"}, {"p2", "d2"}});
  doc.SetPayItems({{"pay", ""}});
  doc.SetOtherItems({"o1"});
  CChargeOptions options;
  options.SetFeaturedAmount(20);
  options.SetReservePrice(10000);
  options.SetOptionFlags(CChargeOptions::kGiftIcon | CChargeOptions::kAffiliate);
  options.SetIconKind(4);
  options.SetCollectionRate(15);
  doc.SetChargeOptions(options);
  CShipSettings shipping;
  shipping.SetServiceFlags(0x7F);
  shipping.SetGroupASetting(1);
  shipping.SetGroupBSetting(1);
  shipping.SetGroupBPrefecture(40);
  shipping.SetGroupCSetting(1);
  shipping.groupASize = {{60, 0}, {2, 1}};
  shipping.groupBSize = {{80, 1}, {0, 0}};
  shipping.groupCSize = {{0, 0}, {25, 1}};
  CShipMethod table;
  table.name = "table";
  table.SetFeeType(CShipMethod::kFeeTable);
  table.feeTableUrl = "https://example.jp/fees";
  CShipMethod regions;
  regions.name = Cp932("ゆうパック");
  regions.SetFeeType(CShipMethod::kFlatFeeAndRegions);
  regions.fee = 800;
  regions.okinawaFee = 1200;
  shipping.methods = {table, regions};
  doc.SetShipping(shipping);
  doc.SetSizeWeight({{100, 1}, {10, 0}});
}

}  // namespace

TEST(NuvoDocFile, SavingAndOpeningKeepsEveryField) {
  DocumentFixture fx;
  auto saved = fx.MakeDoc();
  ASSERT_TRUE(saved->OnNewDocument());
  saved->SetDescriptInputType(1);
  ASSERT_TRUE(saved->BuildStartingTree(1));
  FillEveryField(*saved);
  saved->GetDescriptInput(2).LoadTemplateResource(295);
  saved->GetDescriptInput(2).SetTexts(ENodeKind::Description, {"html"});
  saved->SetModifiedFlag();
  std::filesystem::path path = fx.dir.path() / "listing.NVD";
  ASSERT_TRUE(saved->OnSaveDocument(path));
  EXPECT_FALSE(saved->IsModified());

  auto opened = fx.MakeDoc();
  ASSERT_TRUE(opened->OnNewDocument());
  opened->SetModifiedFlag();
  ASSERT_TRUE(opened->OnOpenDocument(path));
  EXPECT_FALSE(opened->IsModified());
  EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{IDS_FILE_HAS_PAID_OPTIONS});
  EXPECT_EQ(opened->GetStartPrice(), saved->GetStartPrice());
  EXPECT_EQ(opened->GetBuyNowPrice(), saved->GetBuyNowPrice());
  EXPECT_EQ(opened->GetQuantity(), 7);
  EXPECT_EQ(opened->GetCondition(), saved->GetCondition());
  EXPECT_EQ(opened->GetCategoryId(), 2084005);
  EXPECT_EQ(opened->GetCategoryName(), saved->GetCategoryName());
  EXPECT_EQ(opened->GetMemo(), saved->GetMemo());
  EXPECT_EQ(opened->GetSalesFormat(), 2);
  EXPECT_EQ(opened->GetSampleID(), saved->GetSampleID());
  EXPECT_EQ(opened->GetDescriptInputType(), 1);
  EXPECT_EQ(opened->GetTitle(), saved->GetTitle());
  EXPECT_EQ(opened->GetPhotoNames(), saved->GetPhotoNames());
  EXPECT_EQ(opened->GetPhotoSizes(), saved->GetPhotoSizes());
  ASSERT_EQ(opened->GetPhotoData().size(), saved->GetPhotoData().size());
  for (std::size_t i = 0; i < saved->GetPhotoData().size(); ++i) {
    EXPECT_EQ(*opened->GetPhotoData()[i].Read(), *saved->GetPhotoData()[i].Read());
  }
  for (int type = 0; type < 3; ++type) {
    EXPECT_EQ(opened->GetDescriptInput(type).GetTexts(ENodeKind::Description),
              saved->GetDescriptInput(type).GetTexts(ENodeKind::Description))
        << type;
  }
  EXPECT_EQ(opened->GetPostItems(), saved->GetPostItems());
  EXPECT_EQ(opened->GetPayItems(), saved->GetPayItems());
  EXPECT_EQ(opened->GetOtherItems(), saved->GetOtherItems());
  EXPECT_EQ(opened->GetChargeOptions(), saved->GetChargeOptions());
  EXPECT_EQ(opened->GetShipping(), saved->GetShipping());
  EXPECT_EQ(opened->GetSizeWeight(), saved->GetSizeWeight());

  // Saving what was opened gives the same bytes again.
  ASSERT_TRUE(opened->OnSaveDocument(fx.dir.path() / "again.nvd"));
  EXPECT_TRUE(ReadWholeFile(fx.dir.path() / "again.nvd") == ReadWholeFile(path));
}

TEST(NuvoDocFile, ANewListingIsWrittenWithItsDefaults) {
  DocumentFixture fx;
  CAppComm(fx.settings).WriteSettingsInt("SampleID", 0x00010002);
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  CArchiveWriter archive;
  doc->Serialize(archive);
  std::string expected = std::string("\x0CNuvoDocument\x0B\0\0\0", 17) +
                         std::string("\xE8\x03\0\0\0\0\0\0", 8) + std::string(8, '\0') +
                         std::string("\x01\0\0\0\x05\0\0\0\0", 9) +  // quantity, condition
                         std::string("\0\0\0\0\0\0", 6) +            // category, name, memo
                         std::string(12, '\0') +  // reserved, sales format, no paid options
                         std::string("\x02\0\x01\0\0\0\0\0\0", 9) +  // sample, input type, title
                         std::string(8, '\0');                       // no photos or images
  EXPECT_EQ(archive.Bytes().substr(0, expected.size()), expected);
}

TEST(NuvoDocFile, OlderVersionsAreBroughtUpToDate) {
  for (std::uint32_t v = 0; v <= 11; ++v) {
    SCOPED_TRACE("version " + std::to_string(v));
    DocumentFixture fx;
    auto doc = fx.MakeDoc();
    ASSERT_TRUE(doc->LoadFromBytes(Bytes(OldFile(v))));

    EXPECT_EQ(doc->GetSalesFormat(), v >= 6 ? 1 : v >= 4 ? 2 : 1);
    EXPECT_EQ(doc->GetKind(), v >= 3 ? 3 : 5);
    EXPECT_EQ(doc->GetMemo(), v >= 11 ? "memo" : "");
    EXPECT_EQ(doc->GetDescriptInputType(), v >= 8 ? 1 : 0);
    EXPECT_EQ(doc->GetTitle(), "title");
    CChargeOptions options = doc->GetChargeOptions();
    EXPECT_EQ(options.GetFeaturedAmount(), 30);
    EXPECT_EQ(options.GetReservePrice(), 7000);
    EXPECT_EQ(options.GetOptionFlags(), 0x1000000Bu);
    EXPECT_EQ(options.GetIconKind(), 0);
    EXPECT_EQ(options.GetCollectionRate(), v >= 9 ? 15 : 0);
    EXPECT_EQ(doc->GetPhotoSizes(), (std::vector<PixelSize>{{33, 44}}));
    EXPECT_EQ(doc->GetPhotoDetails(), std::vector<std::string>{""});
    ASSERT_EQ(doc->GetPhotoData().size(), 1u);
    EXPECT_EQ(*doc->GetPhotoData()[0].Read(), GifBytes(33, 44));

    // Before version 5 the editor's texts are brought to its current markup.
    EXPECT_EQ(doc->GetDescriptInput(0).GetTexts(ENodeKind::Description),
              std::vector<std::string>{v < 5 ? "<b>d0</b>" : "<B>d0</B>"});
    EXPECT_EQ(doc->GetPostItems().size(), 4u);
    EXPECT_EQ(doc->GetPayItems().size(), 0u);
    if (v >= 8) {
      EXPECT_EQ(doc->GetDescriptInput(1).GetTexts(ENodeKind::Description),
                std::vector<std::string>{"d1"});
    } else {
      EXPECT_FALSE(doc->GetDescriptInput(1).IsBuilt());
    }
    EXPECT_FALSE(doc->GetDescriptInput(2).IsBuilt());

    CShipSettings shipping = doc->GetShipping();
    if (v >= 4) {
      ASSERT_EQ(shipping.methods.size(), 1u);
      // v9 on stores the type; v8 knew 1 as the fee table; before, the content decides.
      EXPECT_EQ(shipping.methods[0].feeType, v >= 9 ? 1 : v == 8 ? 2 : 0);
      EXPECT_EQ(shipping.methods[0].fee, 300);
      EXPECT_EQ(shipping.methods[0].okinawaFee, v >= 9 ? 1200 : -1);
      EXPECT_EQ(doc->GetSizeWeight(), (CSizeWeight{{80, 1}, {3, 0}}));
    } else {
      EXPECT_TRUE(shipping.methods.empty());
      EXPECT_FALSE(doc->GetSizeWeight().IsSet());
    }
    EXPECT_EQ(shipping.GetServiceFlags(), v >= 11 ? 0x21u : 0u);
    EXPECT_EQ(shipping.GetGroupASetting(), v >= 11 ? 1 : 0);
    EXPECT_EQ(shipping.GetGroupBPrefecture(), v >= 11 ? 27 : 13);
    EXPECT_EQ(shipping.GetGroupCSetting(), 0);
    EXPECT_EQ(shipping.groupCSize, v >= 11 ? (CSizeWeight{{0, 1}, {2, 3}}) : CSizeWeight());

    std::vector<int> warnings = {IDS_TOO_MANY_LIST_ITEMS};
    if (v >= 3) warnings.push_back(IDS_PHOTO_COMMENTS_DROPPED);
    warnings.push_back(IDS_FILE_HAS_PAID_OPTIONS);
    if (v >= 2) warnings.push_back(IDS_NET_IMAGES_DROPPED);
    EXPECT_EQ(fx.prompt.Ids(), warnings);
    EXPECT_NE(fx.prompt.requests[0].text.find('4'), std::string::npos);
  }
}

TEST(NuvoDocFile, SalesFormatOfOldFilesFollowsThePrices) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  std::string file = OldFile(5);
  std::string zeroPrices = file;
  std::fill_n(zeroPrices.begin() + 17, 16, '\0');
  ASSERT_TRUE(doc->LoadFromBytes(Bytes(zeroPrices)));
  EXPECT_EQ(doc->GetSalesFormat(), 0);
  std::string differentPrices = file;
  differentPrices[25] = 1;
  ASSERT_TRUE(doc->LoadFromBytes(Bytes(differentPrices)));
  EXPECT_EQ(doc->GetSalesFormat(), 0);
}

TEST(NuvoDocFile, DamagedFilesFailWithOneMessageAndLeaveTheListingOpen) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  FillEveryField(*doc);
  doc->SetPhotos({"a.jpg"}, {{1, 1}}, {""}, {CPhotoData(std::vector<std::uint8_t>(40, 1))});
  CArchiveWriter archive;
  doc->Serialize(archive);
  const std::string good = archive.Bytes();

  auto open = fx.MakeDoc();
  ASSERT_TRUE(open->OnNewDocument());
  open->SetTitle("open");
  open->SetModifiedFlag();
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    fx.prompt.requests.clear();
    ASSERT_FALSE(open->LoadFromBytes(Bytes(good.substr(0, cut)))) << cut;
    ASSERT_EQ(fx.prompt.Ids().size(), 1u) << cut;
  }
  EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{IDS_FILE_DAMAGED});
  EXPECT_EQ(open->GetTitle(), "open");
  EXPECT_TRUE(open->IsModified());

  // Lengths and counts that the file could never hold.
  std::string header = OldFile(11).substr(0, 17);
  for (const std::string& tail :
       {std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF"), std::string("\xFF\xFF\xFF\x7F", 4)}) {
    fx.prompt.requests.clear();
    EXPECT_FALSE(open->LoadFromBytes(Bytes(header + std::string(8, '\0') + tail)));
    EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{IDS_FILE_DAMAGED});
  }
  std::size_t photoCount = good.find("a.jpg") - 5;
  for (std::uint32_t count : {0xFFFFFFFFu, 2u}) {
    std::string bad = good.substr(0, photoCount);
    CArchiveWriter w;
    w.WriteU32(count);
    bad += w.Bytes() +
           "\x05"
           "a.jpg" +
           std::string(8, '\0') + std::string("\xFF\xFF\xFF\x7F", 4);
    fx.prompt.requests.clear();
    EXPECT_FALSE(open->LoadFromBytes(Bytes(bad)));
    EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{IDS_FILE_DAMAGED});
  }
  EXPECT_EQ(open->GetTitle(), "open");
}

TEST(NuvoDocFile, ForeignFilesAndNewerVersionsAreRefusedWithTheirMessages) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetTitle("open");
  std::string file = OldFile(11);
  std::string signature = file;
  signature[1] = 'n';
  std::string newer = file;
  newer[13] = 12;
  struct Case {
    std::string bytes;
    int message;
  };
  for (const Case& c :
       {Case{signature, IDS_BAD_FILE_FORMAT}, Case{newer, IDS_UNSUPPORTED_FILE_VERSION},
        Case{"\x0BNuvoDocumen", IDS_BAD_FILE_FORMAT}}) {
    fx.prompt.requests.clear();
    EXPECT_FALSE(doc->LoadFromBytes(Bytes(c.bytes)));
    EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{c.message});
  }
  std::ofstream(fx.dir.path() / "listing.txt") << file;
  fx.prompt.requests.clear();
  EXPECT_FALSE(doc->OnOpenDocument(fx.dir.path() / "listing.txt"));
  EXPECT_FALSE(doc->OnOpenDocument(fx.dir.path() / "missing.nvd"));
  std::filesystem::create_directory(fx.dir.path() / "folder.nvd");
  EXPECT_FALSE(doc->OnOpenDocument(fx.dir.path() / "folder.nvd"));
  EXPECT_EQ(fx.prompt.Ids(),
            (std::vector<int>{IDS_NOT_NUVO_FILE, IDS_FILE_NOT_FOUND, IDS_FILE_READ_FAILED}));
  EXPECT_EQ(doc->GetTitle(), "open");
}

TEST(NuvoDocFile, ValuesNoEditCouldMakeAreFittedOnceWithAWarning) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetStartPrice(INT64_MAX);
  doc->SetBuyNowPrice(-5);
  doc->SetQuantity(500);
  doc->SetTitle(Cp932("<b>ｶﾒﾗ</b>表"));
  const auto path = fx.dir.path() / "odd.nvd";
  ASSERT_TRUE(doc->OnSaveDocument(path));

  auto opened = fx.MakeDoc();
  ASSERT_TRUE(opened->OnOpenDocument(path));
  EXPECT_EQ(opened->GetStartPrice(), 9'999'999'999);
  EXPECT_EQ(opened->GetBuyNowPrice(), 0);
  EXPECT_EQ(opened->GetQuantity(), 99);
  EXPECT_EQ(opened->GetTitle(), Cp932("b/b表"));
  EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{IDS_VALUES_FITTED});

  // Saved again, the listing opens as it is.
  ASSERT_TRUE(opened->OnSaveDocument(path));
  fx.prompt.requests.clear();
  ASSERT_TRUE(fx.MakeDoc()->OnOpenDocument(path));
  EXPECT_TRUE(fx.prompt.Ids().empty());
}

TEST(NuvoDocFile, AFileLargerThanAnyListingIsRefusedBeforeItIsRead) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetTitle("kept");
  const auto path = fx.dir.path() / "huge.nvd";
  std::ofstream(path, std::ios::binary) << "NuvoDocument";
  // Sparse: it takes no room on the disk, and reading it would take more memory than there is.
  std::filesystem::resize_file(path, std::uintmax_t{1} << 40);
  EXPECT_FALSE(doc->OnOpenDocument(path));
  EXPECT_EQ(fx.prompt.Ids(), std::vector<int>{IDS_FILE_TOO_LARGE});
  EXPECT_NE(fx.prompt.requests[0].text.find("64"), std::string::npos);
  EXPECT_EQ(doc->GetTitle(), "kept");
}

TEST(NuvoDocFile, AFailedSaveLeavesWhatWasThereAndNoTemporaryFile) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  std::filesystem::path folder = fx.dir.path() / "out";
  std::filesystem::create_directories(folder / "taken.nvd");
  std::ofstream(folder / "taken.nvd" / "inside") << "x";
  doc->SetModifiedFlag();
  EXPECT_FALSE(doc->OnSaveDocument(folder / "taken.nvd"));
  EXPECT_FALSE(doc->OnSaveDocument(fx.dir.path() / "no" / "such" / "folder.nvd"));
  EXPECT_EQ(fx.prompt.Ids(), (std::vector<int>{IDS_FILE_SAVE_FAILED, IDS_FILE_SAVE_FAILED}));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.nvd"));

  ASSERT_TRUE(doc->OnSaveDocument(folder / "ok.nvd"));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"ok.nvd", "taken.nvd"}));
}
