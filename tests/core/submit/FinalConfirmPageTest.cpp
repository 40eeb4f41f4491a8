#include "core/submit/FinalConfirmPage.h"

#include <gtest/gtest.h>

#include "ConfirmPageSample.h"
#include "core/html/HtmlTreeWriter.h"

using namespace nuvo;
using nuvo::test::ConfirmPageSample;
using nuvo::test::ConfirmPageShape;

namespace {

constexpr char kPageUrl[] = "https://auctions.example/sell/jp/show/preview";

// The rewritten page of a sample, parsed again so that tests ask it what it holds.
CHtmlDocument Rewritten(const ConfirmPageShape& shape) {
  std::optional<std::string> html =
      BuildFinalConfirmPage(CHtmlDocument(ConfirmPageSample(shape)), kPageUrl);
  EXPECT_TRUE(html.has_value());
  return CHtmlDocument(html.value_or(""));
}

std::string Text(const CHtmlDocument& page) { return page.GetTop()->GetInnerText(); }

}  // namespace

TEST(FinalConfirmPage, RecognisesOnlyThePageWithTitleContentAndForm) {
  const std::string page = ConfirmPageSample({});
  EXPECT_TRUE(IsFinalConfirmPage(CHtmlDocument(page)));

  auto without = [&page](std::string_view from, std::string_view to) {
    std::string changed = page;
    changed.replace(changed.find(from), from.size(), to);
    return CHtmlDocument(changed);
  };
  EXPECT_FALSE(IsFinalConfirmPage(without(Cp932("出品内容の確認 -"), Cp932("エラー -"))));
  EXPECT_FALSE(IsFinalConfirmPage(without("id=\"yaucSellItemCfm\"", "id=\"yaucSellItem\"")));
  EXPECT_FALSE(IsFinalConfirmPage(without("name=\"auction\"", "name=\"other\"")));
  EXPECT_FALSE(BuildFinalConfirmPage(without("name=\"auction\"", "name=\"other\""), kPageUrl));
  EXPECT_TRUE(IsFinalConfirmPage(without("name=\"auction\"", "id=\"auction\"")));
}

TEST(FinalConfirmPage, RemovesNavigationScriptsButtonsAndForms) {
  const CHtmlDocument page = Rewritten({.photos = 0, .feeBlock = true, .categoryChange = true});
  for (const char* tag : {"script", "noscript", "iframe", "form"}) {
    EXPECT_FALSE(page.Find({tag})) << tag;
  }
  for (const char* type : {"button", "checkbox", "submit"}) {
    EXPECT_FALSE(page.Find({"input", "type", type})) << type;
  }
  for (const char* id : {"mastHead", "modLoginBar", "modTitBar", "Footer"}) {
    EXPECT_FALSE(page.Find({"div", "id", id})) << id;
  }
  EXPECT_FALSE(page.Find({"table", "class", "decDrftSave"}));
  EXPECT_FALSE(page.Find({"ul", "class", "StepNavi"}));
  EXPECT_FALSE(page.Find({"", "onclick"}));
  EXPECT_FALSE(page.Find({"body", "onload"}));
  EXPECT_FALSE(page.Find({"a", "href", "javascript:", HtmlValueMatch::Contains}));
  EXPECT_EQ(Text(page).find(Cp932("広告のご案内")), std::string::npos);
  EXPECT_EQ(Text(page).find("Copyright"), std::string::npos);
  // The draft table and the line break after it went together.
  EXPECT_FALSE(page.Find({"br"}));
}

TEST(FinalConfirmPage, KeepsSummaryFeesNoticeAndCategoryChangeUnderTheProgramsStyles) {
  const CHtmlDocument page = Rewritten({.photos = 0, .feeBlock = true, .categoryChange = true});
  const auto summaries = page.FindAll({"div", "class", "decSmryTableZS"});
  ASSERT_EQ(summaries.size(), 2u);
  EXPECT_NE(summaries[1]->GetInnerText().find(Cp932("出品手数料")), std::string::npos);
  EXPECT_FALSE(page.Find({"div", "class", "decSmryTable"}));
  EXPECT_TRUE(page.Find({"div", "id", "modCfmBoxZS"}));
  EXPECT_TRUE(page.Find({"div", "class", "wrapper"}));

  const std::string text = Text(page);
  // Markup written as text on the service's page stays text.
  EXPECT_NE(text.find(Cp932("時計 <b>限定</b> & ベルト")), std::string::npos);
  EXPECT_NE(text.find(Cp932("NOTE: 出品後は商品の説明を変更できません。")), std::string::npos);
  EXPECT_NE(text.find(Cp932("カテゴリが変更されています。")), std::string::npos);
  EXPECT_NE(text.find(Cp932("変更後のカテゴリで出品する")), std::string::npos);
  EXPECT_NE(text.find(Cp932("商品説明は「プレビュー表示」で確認してください。")),
            std::string::npos);
  // The hidden fields are harmless without their form and keep their values.
  std::string title;
  EXPECT_TRUE(page.FindAttribute({"input", "name", "Title"}, "value", title));
  EXPECT_EQ(title, Cp932("時計 & ベルト"));
}

TEST(FinalConfirmPage, CarriesStyleSheetsAndMakesAddressesAbsolute) {
  const CHtmlDocument page = Rewritten({.photos = 1});
  const CHtmlSubDocument head(page.Find({"head"}));
  const auto links = head.FindAll({"link"});
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(*links[0]->FindAttribute("href"), "https://auctions.example/css/sell.css");
  EXPECT_EQ(*links[1]->FindAttribute("href"), "https://s.example/css/common.css");
  std::string style;
  EXPECT_TRUE(head.FindText({"style"}, style));
  EXPECT_NE(style.find(".decSmryTableZS th"), std::string::npos);
  std::string charset;
  EXPECT_TRUE(head.FindAttribute({"meta"}, "content", charset));
  EXPECT_NE(charset.find("Shift_JIS"), std::string::npos);

  std::string help;
  EXPECT_TRUE(page.FindAttribute({"a", "href", "/help/", HtmlValueMatch::Contains}, "href", help));
  EXPECT_EQ(help, "https://auctions.example/help/fee.html");
}

TEST(FinalConfirmPage, BuildsTheGalleryWithTheFirstPhotoSelected) {
  const CHtmlDocument page = Rewritten({.photos = 3});
  std::string src;
  ASSERT_TRUE(page.FindAttribute({"img", "name", "__zs_product_image_first"}, "src", src));
  EXPECT_EQ(src, "https://auctions.example/img/large1.jpg");
  std::string style;
  page.FindAttribute({"img", "name", "__zs_product_image_first"}, "style", style);
  EXPECT_EQ(style, "width:600px;height:450px;");

  const auto items =
      page.FindAll({"li", "class", "ProductImage__thumbnail", HtmlValueMatch::Contains});
  ASSERT_EQ(items.size(), 3u);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const CHtmlSubDocument item(items[i]);
    EXPECT_EQ(*items[i]->FindAttribute("class") == "ProductImage__thumbnail is-on", i == 0);
    const CHtmlNode* link = item.Find({"a"});
    ASSERT_TRUE(link);
    EXPECT_EQ(*link->FindAttribute("href"), "#__zs_thumbnail_link_index_" + std::to_string(i + 1));
    EXPECT_EQ(*link->FindAttribute("data-image"),
              "https://auctions.example/img/large" + std::to_string(i + 1) + ".jpg");
    const CHtmlNode* thumbnail = item.Find({"img", "name", "__zs_product_image_thumbnail_item"});
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(*thumbnail->FindAttribute("src"),
              "https://auctions.example/img/small" + std::to_string(i + 1) + ".jpg");
    const std::string& look = *thumbnail->FindAttribute("style");
    EXPECT_NE(look.find("width:75px;height:56px;"), std::string::npos);
    EXPECT_NE(look.find(i == 0 ? "alpha(opacity=100)" : "alpha(opacity=40)"), std::string::npos)
        << look;
  }

  // One caption block, the program's, hidden at first.
  const auto captions =
      page.FindAll({"div", "class", "ProductImage__caption", HtmlValueMatch::Contains});
  ASSERT_EQ(captions.size(), 1u);
  EXPECT_EQ(*captions[0]->FindAttribute("name"), "__zs_product_image_caption_first");
  EXPECT_EQ(*captions[0]->FindAttribute("style"), "display:none");
  EXPECT_TRUE(CHtmlSubDocument(captions[0]).Find({"a", "href", kCloseCaptionLink}));
}

TEST(FinalConfirmPage, ShowsNoGalleryWithoutPhotos) {
  const CHtmlDocument page = Rewritten({.photos = 0});
  EXPECT_FALSE(page.Find({"img"}));
  EXPECT_FALSE(page.Find({"div", "class", "ProductImage", HtmlValueMatch::Contains}));
}

TEST(HtmlTreeWriter, WritesBackWhatWasReadAndSurvivesDeepPages) {
  const std::string html = Cp932(
      "<p title=\"a &quot;b&quot; &amp; c\">x &lt; y<br><img src=\"i.gif\"></p>"
      "<script>if (a < b) x = \"&amp;\";</script><!-- note -->");
  const CHtmlDocument page(html);
  EXPECT_EQ(WriteHtmlTree(*page.GetTop()), html);

  std::string deep(200000, ' ');
  for (std::size_t i = 0; i < deep.size() / 5; ++i) deep.replace(i * 5, 5, "<div>");
  const std::string written = WriteHtmlTree(*CHtmlDocument(deep).GetTop());
  EXPECT_EQ(written.size(), deep.size() + deep.size() / 5 * 6);
}
