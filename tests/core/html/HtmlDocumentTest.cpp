#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"
#include "core/html/HtmlDocument.h"
#include "core/html/HtmlTagTable.h"

namespace nuvo {
namespace {

// The tree below `node` in a compact form: tags with their children in parentheses, text in
// quotes; comments as !"text".
std::string Shape(const CHtmlNode& node) {
  std::string out;
  for (const auto& child : node.GetChildren()) {
    if (!out.empty()) out += ' ';
    switch (child->GetKind()) {
      case CHtmlNode::Kind::Text:
        out += '"' + child->GetText() + '"';
        break;
      case CHtmlNode::Kind::Comment:
        out += "!\"" + child->GetText() + '"';
        break;
      default:
        out += child->GetTag();
        if (!child->GetChildren().empty()) out += '(' + Shape(*child) + ')';
    }
  }
  return out;
}

std::string ShapeOf(const std::string& html) { return Shape(*CHtmlDocument(html).GetTop()); }

TEST(HtmlTagTableTest, AnswersForListedTagsOnly) {
  EXPECT_TRUE(IsEmptyTag("!doctype"));
  EXPECT_TRUE(IsEmptyTag("img") && IsInlineTag("img"));
  EXPECT_TRUE(IsEndTagOptional("rt") && IsInlineTag("rt"));
  EXPECT_TRUE(IsRawTextTag("plaintext"));
  EXPECT_EQ(HtmlTagProperties("pre"), kTagPreformatted);
  EXPECT_EQ(HtmlTagProperties("span"), 0u);
  EXPECT_EQ(HtmlTagProperties("DIV"), 0u);  // callers look up lower case

  EXPECT_TRUE(HtmlMayContain("p", "a"));
  EXPECT_FALSE(HtmlMayContain("p", "div"));
  EXPECT_FALSE(HtmlMayContain("li", "li"));
  EXPECT_TRUE(HtmlMayContain("li", "ul"));
  EXPECT_FALSE(HtmlMayContain("ul", "p"));
  EXPECT_TRUE(HtmlMayContain("tr", "th"));
  EXPECT_FALSE(HtmlMayContain("tr", "tr"));
}

TEST(HtmlParserTest, OptionalEndTagsCloseBeforeWhatTheyMayNotHold) {
  EXPECT_EQ(ShapeOf("<p>one<p>two"), "p(\"one\") p(\"two\")");
  EXPECT_EQ(ShapeOf("<p>a<b>b</b><div>c</div>"), "p(\"a\" b(\"b\")) div(\"c\")");
  EXPECT_EQ(ShapeOf("<ul><li>a<li>b<ul><li>c</ul></ul>"), "ul(li(\"a\") li(\"b\" ul(li(\"c\"))))");
  EXPECT_EQ(ShapeOf("<select><option>1<option selected>2</select>x"),
            "select(option(\"1\") option(\"2\")) \"x\"");
  // Only the innermost element is closed, once.
  EXPECT_EQ(ShapeOf("<li><p>a<li>b"), "li(p(\"a\") li(\"b\"))");
}

TEST(HtmlParserTest, EmptyElementsNeverTakeChildren) {
  EXPECT_EQ(ShapeOf("<!DOCTYPE html><br>a<img src=x>b<input>c</br></input>"),
            "!doctype br \"a\" img \"b\" input \"c\"");
}

TEST(HtmlParserTest, StrayEndTagsCloseOnlyWhatTheyMatch) {
  EXPECT_EQ(ShapeOf("<div><span><b>x</div>y"), "div(span(b(\"x\"))) \"y\"");
  EXPECT_EQ(ShapeOf("<div>a</span>b</div>"), "div(\"ab\")");
  // An inline end tag does not reach past an open block.
  EXPECT_EQ(ShapeOf("<b><div>x</b>y</div>z"), "b(div(\"xy\") \"z\")");
  EXPECT_EQ(ShapeOf("</td><TABLE><TR><Td>1</tD></tr></table>"), "table(tr(td(\"1\")))");
}

TEST(HtmlParserTest, ReadsCommentsAndRawText) {
  EXPECT_EQ(ShapeOf("a<!-- note -->b<!--unclosed"), "\"a\" !\" note \" \"b\" !\"unclosed\"");
  EXPECT_EQ(ShapeOf("<?xml version=\"1.0\"?><x>"), "!\"xml version=\"1.0\"?\" x");
  EXPECT_EQ(ShapeOf("<script>if (a<b) w(\"</div>\");</SCRIPT ><p>t"),
            "script(\"if (a<b) w(\"</div>\");\") p(\"t\")");
  EXPECT_EQ(ShapeOf("<style>p>b{}</style>"), "style(\"p>b{}\")");
  EXPECT_EQ(ShapeOf("<plaintext><b>&amp;</b>"), "plaintext(\"<b>&amp;</b>\")");
  EXPECT_EQ(ShapeOf("1 < 2 <3 &lt;4"), "\"1 < 2 <3 <4\"");
}

TEST(HtmlParserTest, ReadsAttributesInEveryQuoting) {
  CHtmlDocument doc(
      "<INPUT Type=hidden name='a b' VALUE=\"x&amp;y &#x41;&#12354;&bogus; &amp;lt;\" disabled "
      "data=/p/q?r=1&s=2 name=second>");
  const CHtmlNode* input = doc.Find("input");
  ASSERT_NE(input, nullptr);
  std::vector<std::string> names;
  for (const auto& attribute : input->GetAttributes()) names.push_back(attribute.name);
  EXPECT_EQ(names, (std::vector<std::string>{"type", "name", "value", "disabled", "data"}));
  EXPECT_EQ(*input->FindAttribute("TYPE"), "hidden");
  EXPECT_EQ(*input->FindAttribute("name"), "a b");
  EXPECT_EQ(*input->FindAttribute("value"), "x&y A" + Cp932("あ") + "&bogus; &lt;");
  EXPECT_EQ(*input->FindAttribute("disabled"), "");
  EXPECT_EQ(*input->FindAttribute("data"), "/p/q?r=1&s=2");
  EXPECT_EQ(input->FindAttribute("id"), nullptr);

  // A tag cut off by the end of the page still counts.
  EXPECT_EQ(*CHtmlDocument("<a href=\"x").Find("a")->FindAttribute("href"), "x");
}

TEST(HtmlParserTest, KeepsTwoByteCharactersWhole) {
  // The trail byte of "ア" is "A": folding must not touch it.
  const std::string a = Cp932("ア");
  CHtmlDocument doc("<div class=" + a + "><X" + a + ">" + a + "</div>");
  EXPECT_TRUE(doc.Find({"div", "class", a}));
  EXPECT_FALSE(doc.Find({"div", "class", Cp932("ヂ")}));  // the same lead byte with "a"
  EXPECT_EQ(doc.Find("div")->GetChildren()[0]->GetTag(), "x" + a);
  EXPECT_FALSE(ContainsIgnoreCase(a, "a"));
  EXPECT_TRUE(ContainsIgnoreCase("x" + a + "Yz", a + "y"));
  EXPECT_EQ(AsciiLower("AB" + a), "ab" + a);
}

TEST(HtmlDocumentTest, FindsByTagAndAttribute) {
  CHtmlDocument doc(
      "<html><head><title>T &amp; t</title></head><body>"
      "<div id=a class='box Warn'><a href='/x?select=old'>one</a></div>"
      "<div id=b><a href=/y>two</a><a>three</a></div>"
      "</body></html>");
  std::string text = "unchanged";
  ASSERT_TRUE(doc.GetTitle(text));
  EXPECT_EQ(text, "T & t");

  EXPECT_EQ(doc.Find("DIV")->FindAttribute("id")->front(), 'a');
  EXPECT_EQ(doc.Find({"div", "class", "warn", HtmlValueMatch::Contains}), doc.Find("div"));
  EXPECT_EQ(doc.Find({"div", "class", "warn"}), nullptr);
  EXPECT_EQ(doc.Find({"div", "id", "B"})->FindAttribute("id")->front(), 'b');
  EXPECT_EQ(doc.FindAll("a").size(), 3u);
  EXPECT_EQ(doc.FindAll({"a", "href"}).size(), 2u);
  EXPECT_EQ(doc.FindAll({"", "id"}).size(), 2u);

  CHtmlSubDocument second(doc.Find({"div", "id", "b"}));
  ASSERT_TRUE(second.FindText("a", text));
  EXPECT_EQ(text, "two");
  EXPECT_EQ(second.Find("div"), second.GetTop());  // the top element belongs to its subtree
  EXPECT_EQ(second.Find({"a", "href", "select=old", HtmlValueMatch::Contains}), nullptr);
  ASSERT_TRUE(
      doc.FindAttribute({"a", "href", "select=old", HtmlValueMatch::Contains}, "href", text));
  EXPECT_EQ(text, "/x?select=old");

  text = "unchanged";
  EXPECT_FALSE(second.FindText("title", text));
  EXPECT_FALSE(doc.FindAttribute("title", "lang", text));
  EXPECT_FALSE(CHtmlDocument().GetTitle(text));
  EXPECT_EQ(text, "unchanged");
}

TEST(HtmlDocumentTest, InnerTextShowsTextAndLineBreaksOnly) {
  CHtmlDocument doc("<div>a<b>b</b><br>c<!--x--><script>s</script>&lt;d&gt;</div>");
  EXPECT_EQ(doc.Find("div")->GetInnerText(), "ab\r\nc<d>");
  EXPECT_EQ(doc.Find("script")->GetInnerText(), "s");
}

TEST(HtmlDocumentTest, CollectsTheNamedHiddenInputsOfTheFirstForm) {
  CHtmlDocument doc(
      "<input type=hidden name=outside value=0>"
      "<form><table><tr><td><input type=HIDDEN name=a value=1>"
      "<input type=hidden value=noname><input type=text name=t value=v>"
      "<select name=s><option>o</select><input type=hidden name=b>"
      "<input type=hidden name=c value='' disabled></td></tr></table></form>"
      "<form><input type=hidden name=second value=2></form>");
  EXPECT_EQ(doc.CollectHiddenInputs(), (HtmlFieldList{{"a", "1"}, {"b", ""}, {"c", ""}}));

  CHtmlDocument formless("<div><input type=hidden name=x value=1></div><input type=hidden name=y>");
  EXPECT_EQ(formless.CollectHiddenInputs(), (HtmlFieldList{{"x", "1"}, {"y", ""}}));
  EXPECT_EQ(CHtmlSubDocument(formless.Find("div")).CollectHiddenInputs(),
            (HtmlFieldList{{"x", "1"}}));
}

TEST(HtmlDocumentTest, SurvivesHostileNesting) {
  constexpr int kDepth = 200000;
  std::string html;
  for (int i = 0; i < kDepth; ++i) html += "<div>";
  html += "<input type=hidden name=deep value=1>";
  for (int i = 0; i < kDepth / 2; ++i) html += "</span></div>";

  CHtmlDocument doc(std::move(html));
  EXPECT_EQ(doc.CollectHiddenInputs(), (HtmlFieldList{{"deep", "1"}}));
  EXPECT_EQ(doc.FindAll("div").size(), static_cast<std::size_t>(kDepth));
  EXPECT_EQ(doc.Find("div")->GetInnerText(), "");
  doc.Load("<p>");  // drops the deep tree
  CHtmlDocument moved = std::move(doc);
  EXPECT_EQ(moved.FindAll("p").size(), 1u);
  EXPECT_EQ(doc.Find("p"), nullptr);
}

}  // namespace
}  // namespace nuvo
