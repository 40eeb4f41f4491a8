#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/net/CategoryPage.h"
#include "core/net/CategorySearch.h"

using namespace nuvo;

namespace {

using Kind = CategoryLink::Kind;

TEST(CategoryPage, LinksToASellFormSelectTheirCategoryAndCategoryPagesAreShown) {
  const CategoryLink sell =
      ClassifyCategoryLink("https://auctions.example.jp/jp/show/submit?category=2084&x=1");
  EXPECT_EQ(sell.kind, Kind::Select);
  EXPECT_EQ(sell.id, 2084u);
  EXPECT_EQ(ClassifyCategoryLink("https://h/jp/show/submit?a=1&category=2084042174").id,
            2084042174u);
  // Without a usable number the sell form is just another page.
  EXPECT_EQ(ClassifyCategoryLink("https://h/jp/show/submit?category=abc").kind, Kind::Browser);
  EXPECT_EQ(ClassifyCategoryLink("https://h/jp/show/submit?subcategory=5").kind, Kind::Browser);

  EXPECT_EQ(ClassifyCategoryLink("https://h/jp/23336-submit.html").kind, Kind::Show);
  EXPECT_EQ(ClassifyCategoryLink("https://h/jp/23336-submit.html?x=1").kind, Kind::Browser);
  EXPECT_EQ(ClassifyCategoryLink("https://h/help/index.html").kind, Kind::Browser);
}

TEST(CategoryPage, WorkFileIsNamedAfterTheLastPathComponentWithoutQueryOrExtension) {
  EXPECT_EQ(CategoryWorkFileName("https://h/jp/0-submit.html"), "cate_web_0-submit");
  EXPECT_EQ(CategoryWorkFileName("https://h/jp/23336-submit.html?a=b.c#top"),
            "cate_web_23336-submit");
  EXPECT_EQ(CategoryWorkFileName("https://h/jp/list#x.y"), "cate_web_list");
  EXPECT_EQ(CategoryWorkFileName("https://h/jp/"), "cate_web_unknown");
  EXPECT_EQ(CategoryWorkFileName("https://h/jp/.hidden"), "cate_web_unknown");
}

TEST(CategoryPage, CleaningDropsScriptsFramesAndTheFooterAndMakesLinksAbsolute) {
  const std::string page = Cp932(
      "<html><head><script>alert('x<y')</script><style>td > a { color: red }</style></head>"
      "<body><noscript>有効にしてください</noscript><iframe src=\"ad.html\"></iframe>"
      "<a href=\"23336-submit.html\">コンピュータ</a> &amp; <a href=\"/jp/show/submit?category=2084"
      "&amp;b=1\">ノート</a><a href=\"#top\">上へ</a><a href=\"javascript:void(0)\">閉</a>"
      "<img src=\"a.gif\"><br><div class=\"box acWrFooter\"><p>フッター</p></div>"
      "<div class=\"acWrFooterless\">残す</div><!-- note --></body></html>");
  const std::string cleaned =
      Utf8FromCp932(CleanCategoryPage(page, "https://auctions.example.jp/jp/0-submit.html"));
  EXPECT_EQ(
      cleaned,
      "<html><head><style>td > a { color: red }</style></head><body>"
      "<a href=\"https://auctions.example.jp/jp/23336-submit.html\">コンピュータ</a> &amp; "
      "<a href=\"https://auctions.example.jp/jp/show/submit?category=2084&amp;b=1\">ノート</a>"
      "<a href=\"#top\">上へ</a><a href=\"javascript:void(0)\">閉</a><img src=\"a.gif\"><br>"
      "<div class=\"acWrFooterless\">残す</div><!-- note --></body></html>");
}

}  // namespace

namespace {

TEST(CategoryPage, WorkFileKeepsThePagesOwnCharset) {
  const std::string utf8 =
      "<html><head><meta charset=\"UTF-8\"></head><body><script>x()</script>"
      "<a href=\"1-submit.html\">本、雑誌</a></body></html>";
  EXPECT_EQ(CategoryPageFileText(utf8, Charset::kNone, "http://h/jp/0-submit.html"),
            "<html><head><meta charset=\"UTF-8\"></head><body>"
            "<a href=\"http://h/jp/1-submit.html\">本、雑誌</a></body></html>");
  EXPECT_EQ(CategoryPageFileText("<p>\xff\xfe</p>", Charset::kUtf8, "http://h/"), std::nullopt);
}

TEST(CategoryPage, TypedCategoryNumbersMayBeFullWidth) {
  EXPECT_EQ(ParseCategoryNumber(" ２０８４０４２１７４　"), 2084042174u);
  EXPECT_EQ(ParseCategoryNumber("23336"), 23336u);
  EXPECT_EQ(ParseCategoryNumber("23336a"), std::nullopt);
  EXPECT_EQ(ParseCategoryNumber("0"), std::nullopt);
  EXPECT_EQ(ParseCategoryNumber("4294967296"), std::nullopt);
  EXPECT_EQ(ParseCategoryNumber(""), std::nullopt);
}

}  // namespace
