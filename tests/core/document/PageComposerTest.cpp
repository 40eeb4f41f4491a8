#include "core/document/PageComposer.h"

#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "core/app/AppOptions.h"
#include "core/document/AlignNode.h"
#include "core/document/DescriptInput.h"
#include "core/html/BuiltinTemplates.h"
#include "core/html/TemplateText.h"

using namespace nuvo;

namespace {

std::string U(const std::string& cp932) { return Utf8FromCp932(cp932); }

CTemplateNode* Add(CTemplateNode& parent, ENodeKind kind, const std::string& text = {}) {
  CTemplateNode* node = parent.AddChild(std::make_unique<CTemplateNode>(kind));
  if (!text.empty()) node->SetText(text);
  return node;
}

// The rendering of a text that an Align section holds.
std::string Aligned(const std::string& text, std::int32_t alignment) {
  CTemplateNode root(ENodeKind::Root);
  auto align = std::make_unique<CAlignNode>();
  align->value = alignment;
  align->AddChild(std::make_unique<CTemplateText>(text, false));
  root.AddChild(std::move(align));
  return RenderPage(root);
}

// The fee column of a shipping method row in the normal-input page.
std::string FeeColumn(const CShipMethod& method) {
  CDescriptInput input;
  EXPECT_TRUE(input.LoadTemplateResource(kTemplateNormalInput));
  CShipSettings shipping;
  shipping.methods = {method};
  input.SetShipping(shipping);
  const CTemplateNode* section = input.Root().GetDescendant(ENodeKind::ShipMethodGeneral, 0);
  return U(RenderPage(*section->GetDescendant(ENodeKind::Detail, 0)));
}

CShipMethod Method(std::int32_t type, std::int64_t fee = -1) {
  CShipMethod method;
  method.SetFeeType(type);
  method.fee = fee;
  return method;
}

}  // namespace

TEST(PageComposer, TitleDelimiterAndDisabledNodes) {
  CTemplateNode root(ENodeKind::Root);
  Add(root, ENodeKind::Title, "A & <B>");
  Add(root, ENodeKind::Delimiter);
  Add(root, ENodeKind::Unvisible, "hidden");
  Add(root, ENodeKind::Generic, "off")->Enable(false);
  Add(root, ENodeKind::Generic, "on");
  EXPECT_EQ(RenderPage(root),
            "\r\n<font size=\"+1\"><b>A&nbsp;&amp;&nbsp;&lt;B&gt;</b></font>\r\n"
            "<hr noshade></hr>\r\non");

  CTemplateNode empty(ENodeKind::Root);
  Add(empty, ENodeKind::Title);
  EXPECT_EQ(RenderPage(empty), "\r\n<font size=\"+1\"><b>&nbsp;</b></font>\r\n");
}

TEST(PageComposer, AlignRewritesOnlyASingleEmptyElementWithAnAlignAttribute) {
  EXPECT_EQ(Aligned("<img src=\"a.gif\" ALIGN=center border=0>", 1),
            "<img src=\"a.gif\" align=\"right\" border=\"0\"></img>");
  EXPECT_EQ(Aligned("<div align=right title='say \"hi\" &amp; go'>", 0),
            "<div align=\"left\" title=\"say &quot;hi&quot; &amp; go\"></div>");
  for (const char* kept : {"<div align=left>text", "<p align=left></p>", "<img align=left><br>",
                           "<img src=a.gif>", "plain text"}) {
    EXPECT_EQ(Aligned(kept, 1), kept);
  }
}

TEST(PageComposer, ShipMethodFeeColumnForEachFeeType) {
  EXPECT_EQ(FeeColumn(Method(CShipMethod::kFlatFee, 1200)), "全国一律 1,200 円（税込）");

  CShipMethod regions = Method(CShipMethod::kFlatFeeAndRegions, 800);
  EXPECT_EQ(FeeColumn(regions), "全国一律 800 円（税込）");
  regions.okinawaFee = 1200;
  EXPECT_EQ(FeeColumn(regions),
            "全国一律 800 円（税込）<br><font size=\"-1\" color=\"#505050\">"
            "（沖縄 1,200 円（税込））</font>");
  regions.hokkaidoFee = 0;
  regions.islandsFee = 2500;
  EXPECT_EQ(FeeColumn(regions),
            "全国一律 800 円（税込）<br><font size=\"-1\" color=\"#505050\">"
            "（北海道 0 円（税込）、沖縄 1,200 円（税込）、離島 2,500 円（税込））</font>");

  CShipMethod table = Method(CShipMethod::kFeeTable, 500);
  table.feeTableUrl = "http://example.jp/fee?a=1&b=\"2\"";
  EXPECT_EQ(FeeColumn(table),
            "<a href=\"http://example.jp/fee?a=1&amp;b=&quot;2&quot;\">料金表ページ</a>");
  EXPECT_EQ(FeeColumn(Method(CShipMethod::kNotShown, 500)), "");
  EXPECT_EQ(FeeColumn(Method(CShipMethod::kCashOnDelivery, 500)), "着払い");
}

TEST(PageComposer, AFeeNotEnteredIsNeverShownAsAnAmount) {
  EXPECT_EQ(FeeColumn(Method(CShipMethod::kFlatFee, CShipMethod::kNotEntered)),
            "送料は落札後にお知らせします");
  CShipMethod regions = Method(CShipMethod::kFlatFeeAndRegions, CShipMethod::kNotEntered);
  regions.okinawaFee = 1200;
  std::string column = FeeColumn(regions);
  EXPECT_EQ(column.find("-1 円"), std::string::npos) << column;
  EXPECT_EQ(column.rfind("送料は落札後にお知らせします<br>", 0), 0u) << column;
}

TEST(PageComposer, ShipMethodRowsEscapeTheNameAndHideUnusedRows) {
  CDescriptInput input;
  ASSERT_TRUE(input.LoadTemplateResource(kTemplateNormalInput));
  CShipSettings shipping;
  shipping.methods = {Method(CShipMethod::kCashOnDelivery), Method(CShipMethod::kFlatFee, 80)};
  shipping.methods[0].name = "A & <B>";
  shipping.methods[1].name = Cp932("定形外");
  input.SetShipping(shipping);
  const std::string page = U(RenderPage(input.Root()));
  EXPECT_NE(page.find("<tr><td width=\"175\">A&nbsp;&amp;&nbsp;&lt;B&gt;</td><td>：</td>"
                      "<td>着払い</td></tr>\n<tr><td width=\"175\">定形外</td><td>：</td>"
                      "<td>全国一律 80 円（税込）</td></tr>\n</table>"),
            std::string::npos)
      << page;

  input.SetShipping(CShipSettings());
  EXPECT_EQ(U(RenderPage(input.Root())).find("一般的な"), std::string::npos);
}

TEST(PageComposer, ServiceSectionListsTheOfferedServicesPerGroup) {
  CDescriptInput input;
  ASSERT_TRUE(input.LoadTemplateResource(kTemplateNormalInput));
  CShipSettings shipping;
  shipping.SetServiceFlags(CShipSettings::kNekoposu | CShipSettings::kTakkyubinCompact |
                           CShipSettings::kYuPacket);
  shipping.groupCSize = {{60, 1}, {0, 0}};
  input.SetShipping(shipping);
  const std::string page = U(RenderPage(input.Root()));
  EXPECT_NE(page.find("<tr><td width=\"175\">ヤフネコ!パック</td><td>：</td><td>ネコポス、"
                      "宅急便コンパクト</td></tr>\n<tr><td width=\"175\">ゆうパック・ゆうパケット"
                      "（おてがる版）</td><td>：</td><td>ゆうパケット（おてがる版）（～60cm&nbsp;/"
                      "&nbsp;）</td></tr>\n</table>"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("はこBOON"), std::string::npos);
}

TEST(PageComposer, SizeAndWeightTable) {
  CTemplateNode root(ENodeKind::Root);
  auto* node =
      static_cast<CSizeAndWeightNode*>(root.AddChild(std::make_unique<CSizeAndWeightNode>()));
  EXPECT_EQ(RenderPage(root), "");

  node->value = {{0, 0}, {2, 1}};
  EXPECT_EQ(U(RenderPage(root)),
            "<p></p><center><table border=\"0\" cellpadding=\"3\" cellspacing=\"1\" width=\"95%\" "
            "bgcolor=\"#C0C0C0\"><tr><td rowspan=\"2\" width=\"20%\" align=\"center\" "
            "bgcolor=\"#E0E0E0\">サイズと重さ</td><td width=\"80%\" align=\"left\" "
            "bgcolor=\"#FFFFFF\"><table border=\"0\"><tr><td width=\"155\">3辺の合計サイズ</td>"
            "<td>：</td><td>-</td></tr><tr><td width=\"155\">重さ</td><td>：</td><td>～2kg</td>"
            "</tr></table></td></tr></table></center>\r\n");
}

TEST(PageComposer, InternetImageAttributesAndConditions) {
  CImageRecord image;
  EXPECT_EQ(RenderInternetImage(image, true), "");

  image.imageUrl = "http://img.example.jp/a b.gif";
  EXPECT_EQ(RenderInternetImage(image, false),
            "<table cellpadding=\"5\" cellspacing=\"0\"><tr><td>"
            "<img src=\"http://img.example.jp/a%20b.gif\" border=\"0\"></img></td></tr></table>");

  image.linkUrl = "http://shop.example.jp/?x=1&y=2";
  image.altText = "a \"b\"";
  image.size = {120, 0};  // one side alone writes no size
  image.border = -1;
  image.extraText = Cp932("お店 <へ>");
  EXPECT_EQ(U(RenderInternetImage(image, true)),
            "<table cellpadding=\"5\" cellspacing=\"0\"><tr><td>"
            "<a href=\"http://shop.example.jp/?x=1&amp;y=2\">"
            "<img src=\"http://img.example.jp/a%20b.gif\" alt=\"a&nbsp;&quot;b&quot;\"></img></a>"
            "</td></tr><tr><td><font color=\"#333333\">お店&nbsp;&lt;へ&gt;</font></td></tr>"
            "</table><p></p>");

  image.linkUrl.clear();
  image.altText.clear();
  image.extraText.clear();
  image.size = {120, 60};
  image.hspace = 4;
  image.vspace = 0;
  image.align = "left";
  image.border = 2;
  EXPECT_EQ(RenderInternetImage(image, false),
            "<table cellpadding=\"5\" cellspacing=\"0\"><tr><td>"
            "<img src=\"http://img.example.jp/a%20b.gif\" width=\"120\" height=\"60\" "
            "hspace=\"4\" align=\"left\" border=\"2\"></img></td></tr></table>");
}

TEST(PageComposer, InternetImagesBannersAndCaptions) {
  CTemplateNode root(ENodeKind::Root);
  root.AddChild(std::make_unique<CInternetImageNode>())->SetItemText("http://i");
  Add(root, ENodeKind::Banner, "ignored");
  Add(root, ENodeKind::Banner);
  Add(root, ENodeKind::Banner);
  Add(*Add(root, ENodeKind::Pay), ENodeKind::Caption, "template");
  Add(root, ENodeKind::Caption, "<h3>own</h3>");
  CPageOptions options;
  options.banners.resize(2);
  options.banners[0].image = "http://b/1.gif";
  options.banners[0].width = 88;
  options.banners[0].height = 31;
  options.banners[1].image = "http://b/2.gif";
  options.banners[1].link = "http://shop";
  options.captionPay = Cp932("お支払い <方法>");
  EXPECT_EQ(U(RenderPage(root, options)),
            "<table cellpadding=\"5\" cellspacing=\"0\"><tr><td><img src=\"http://i\" "
            "border=\"0\"></img></td></tr></table><p></p>"
            "<table cellpadding=\"5\" cellspacing=\"0\"><tr><td><img src=\"http://b/1.gif\" "
            "width=\"88\" height=\"31\" border=\"0\"></img></td></tr></table><p></p>"
            "<table cellpadding=\"5\" cellspacing=\"0\"><tr><td><a href=\"http://shop\">"
            "<img src=\"http://b/2.gif\" border=\"0\"></img></a></td></tr></table><p></p>"
            "お支払い&nbsp;&lt;方法&gt;<h3>own</h3>");
}

TEST(PageComposer, NormalInputPageOfAListing) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  doc->SetDescriptInputType(CNuvoDoc::kNormalInput);
  ASSERT_TRUE(doc->BuildStartingTree(CNuvoDoc::kNormalInput));
  doc->SetTitle(Cp932("カメラ"));
  doc->SetDescriptions({Cp932("<b>美品</b>です")});
  doc->SetPhotos({"../../evil.jpg"}, {{640, 480}}, {Cp932("<i>正面</i>")},
                 {CPhotoData(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xE0})});
  const std::string submitted = U(GetPageHtml(*doc));
  EXPECT_EQ(submitted,
            "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
            "charset=Shift_JIS\">\n</head>\n<body>\n"
            "\r\n<font size=\"+1\"><b>カメラ</b></font>\r\n<hr noshade></hr>\r\n"
            "<b>美品</b>です"
            "\n</body></html>\n\n");

  CPageOptions preview;
  preview.photoFiles = {"w_01.jpg"};
  const std::string page = U(GetPageHtml(*doc, preview));
  EXPECT_NE(page.find("<hr noshade></hr>\r\n<p><img src=\"w_01.jpg\" width=\"640\" "
                      "height=\"480\" style=\"max-width:100%;height:auto\" border=\"0\"></img>"
                      "</p><div><i>正面</i></div><b>美品</b>"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("evil"), std::string::npos);
}

TEST(PageComposer, AListingShowsTheCommonBannersInTheirOrder) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  ASSERT_TRUE(doc->SetSampleID(0x00010002));
  ASSERT_TRUE(doc->SetSampleID(0));
  // Changing the design keeps the listing's footer: its banner sections are not added twice.
  EXPECT_EQ(
      doc->GetDescriptInput(doc->GetDescriptInputType()).Root().CountDescendants(ENodeKind::Banner),
      static_cast<std::size_t>(CAppOptions::kMaxBanners));

  CPageOptions options;
  options.banners.resize(2);
  options.banners[0].image = "http://b/1.gif";
  options.banners[1].image = "http://b/2.gif";
  const std::string page = U(GetPageHtml(*doc, options));
  const std::size_t first = page.find("http://b/1.gif");
  ASSERT_NE(first, std::string::npos) << page;
  EXPECT_NE(page.find("http://b/2.gif", first), std::string::npos) << page;
  EXPECT_EQ(U(GetPageHtml(*doc)).find("<img"), std::string::npos);
}
