#include "core/html/TemplateParser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/common/Encoding.h"
#include "core/html/TemplateText.h"
#include "support/TempDir.h"

namespace nuvo {
namespace {

const CTemplateText& TextAt(const CTemplateNode& node, std::size_t index) {
  const auto* text = dynamic_cast<const CTemplateText*>(node.ChildAt(index));
  EXPECT_NE(text, nullptr) << "child " << index << " is not text";
  static const CTemplateText none;
  return text ? *text : none;
}

// Kinds of the children, e.g. "Text Header Description", for compact structure checks.
std::string ChildKinds(const CTemplateNode& node) {
  std::string kinds;
  for (const auto& child : node.Children()) {
    if (!kinds.empty()) kinds += ' ';
    kinds += child->Kind() == ENodeKind::Generic ? "Generic:" + std::string(child->Name())
                                                 : std::string(KindName(child->Kind()));
  }
  return kinds;
}

TEST(TemplateParserTest, BuildsSectionsAndTextNodes) {
  CTemplateNode root(ENodeKind::Root);
  ASSERT_TRUE(
      ParseTemplate(&root,
                    "lead<!--#HEADER-->head<!--#header@end-->"
                    "<!--#Description--><!--#item-->A<!--#item@end--><!--#description@end-->"
                    "<!--#custom-->c<!--#x@end-->tail"));
  EXPECT_EQ(ChildKinds(root), "Text Header Description Generic:custom Text");
  EXPECT_EQ(TextAt(root, 0).Text(), "lead");
  EXPECT_FALSE(TextAt(root, 0).IsDecorated());
  EXPECT_EQ(root.ChildAt(1)->GetText(), "head");
  EXPECT_EQ(root.ChildAt(1)->Name(), "HEADER");
  // The document's own kinds are not template sections.
  EXPECT_EQ(KindFromName("Title"), ENodeKind::Generic);

  const CTemplateNode* item = root.ChildAt(2)->FindChild(ENodeKind::Item);
  ASSERT_NE(item, nullptr);
  ASSERT_EQ(item->ChildCount(), 1u);
  EXPECT_EQ(TextAt(*item, 0).Text(), "A");
  EXPECT_TRUE(TextAt(*item, 0).IsDecorated());

  EXPECT_EQ(root.ChildAt(3)->GetText(), "c");
  EXPECT_EQ(TextAt(root, 4).Text(), "tail");
  EXPECT_EQ(root.ChildAt(4)->Parent(), &root);
}

TEST(TemplateParserTest, EndDirectivesAndOddNames) {
  CTemplateNode root(ENodeKind::Root);
  // "@" at index 0 opens; a stray end at the top is ignored; "-->" must follow the name.
  ParseTemplate(&root, "<!--#end@-->x<!--#@x-->y<!--#@x@end-->z<!--#a->b-->w<!--#e@-->");
  EXPECT_EQ(ChildKinds(root), "Text Generic:@x Text Generic:a->b");
  EXPECT_EQ(TextAt(root, 0).Text(), "x");
  EXPECT_EQ(root.ChildAt(1)->GetText(), "y");
  EXPECT_EQ(root.ChildAt(3)->GetText(), "w");

  // An empty name opens a nameless generic section.
  ParseTemplate(&root, "<!--#-->in");
  EXPECT_EQ(ChildKinds(root), "Generic:");
  EXPECT_EQ(root.ChildAt(0)->GetText(), "in");
}

TEST(TemplateParserTest, UnterminatedDirectiveBecomesText) {
  CTemplateNode root(ENodeKind::Root);
  ParseTemplate(&root, "<!--#header");
  ASSERT_EQ(root.ChildCount(), 1u);
  EXPECT_EQ(TextAt(root, 0).Text(), "header");

  ParseTemplate(&root, "<!--#item-->abc<!--#detail->");
  const CTemplateNode* item = root.ChildAt(0);
  ASSERT_EQ(item->ChildCount(), 2u);
  EXPECT_EQ(TextAt(*item, 0).Text(), "abc");
  EXPECT_TRUE(TextAt(*item, 0).IsDecorated());
  EXPECT_EQ(TextAt(*item, 1).Text(), "detail->");
  EXPECT_FALSE(TextAt(*item, 1).IsDecorated());

  // Parsing again replaces the tree; an empty text leaves it empty.
  EXPECT_TRUE(ParseTemplate(&root, ""));
  EXPECT_EQ(root.ChildCount(), 0u);
  EXPECT_FALSE(ParseTemplate(nullptr, "x"));
}

TEST(TemplateParserTest, TwoByteCharactersStayWhole) {
  CTemplateNode root(ENodeKind::Root);
  // "ー" is 0x81 0x5B and "＃" 0x81 0x94; a lone lead byte at the very end is kept as it is.
  const std::string text = Cp932("説明ー<!--#item-->＃商品＞<!--#item@end-->") + "\x81";
  ParseTemplate(&root, text);
  ASSERT_EQ(root.ChildCount(), 3u);
  EXPECT_EQ(TextAt(root, 0).Text(), Cp932("説明ー"));
  EXPECT_EQ(root.ChildAt(1)->GetText(), Cp932("＃商品＞"));
  EXPECT_EQ(TextAt(root, 2).Text(), "\x81");
}

TEST(TemplateParserTest, ShippingRowsHoldPlainText) {
  CTemplateNode root(ENodeKind::Root);
  ParseTemplate(&root,
                "<!--#ship_method_general--><!--#block--><!--#item-->a<!--#item@end-->"
                "<!--#detail-->d<!--#detail@end--><!--#block@end--><!--#ship_method_general@end-->"
                "<!--#block--><!--#detail-->x<!--#detail@end--><!--#block@end-->");
  const CTemplateNode* row = root.ChildAt(0)->FindChild(ENodeKind::Block);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->ListMode(), kShipMethodListMode);
  EXPECT_EQ(row->FindChild(ENodeKind::Detail)->ListMode(), kShipMethodListMode);
  EXPECT_FALSE(TextAt(*row->FindChild(ENodeKind::Item), 0).IsDecorated());
  EXPECT_FALSE(TextAt(*row->FindChild(ENodeKind::Detail), 0).IsDecorated());

  const CTemplateNode* other = root.ChildAt(1);
  EXPECT_EQ(other->ListMode(), 0);
  EXPECT_TRUE(TextAt(*other->FindChild(ENodeKind::Detail), 0).IsDecorated());
}

TEST(TemplateParserTest, FactoryMakesTheSectionNodes) {
  class CRow : public CTemplateNode {
   public:
    CRow() : CTemplateNode(ENodeKind::Block) {}
    int ListMode() const override { return kShipMethodListMode; }
  };
  CNodeFactory factory = [](ENodeKind kind, std::string_view) -> std::unique_ptr<CTemplateNode> {
    if (kind == ENodeKind::Block) return std::make_unique<CRow>();
    return nullptr;
  };
  CTemplateNode root(ENodeKind::Root);
  ParseTemplate(&root, "<!--#block--><!--#item-->a<!--#item@end--><!--#block@end-->", factory);
  ASSERT_NE(dynamic_cast<CRow*>(root.ChildAt(0)), nullptr);
  EXPECT_FALSE(TextAt(*root.ChildAt(0)->ChildAt(0), 0).IsDecorated());
}

TEST(TemplateParserTest, DeepNestingIsCappedAndStaysBalanced) {
  constexpr int kLevels = 100000;
  std::string text;
  for (int i = 0; i < kLevels; ++i) text += "<!--#s-->";
  text += "core";
  for (int i = 0; i < kLevels; ++i) text += "<!--#s@end-->";
  text += "<!--#footer-->f<!--#footer@end-->";

  CTemplateNode root(ENodeKind::Root);
  ParseTemplate(&root, text);
  ASSERT_EQ(ChildKinds(root), "Generic:s Footer");
  const CTemplateNode* node = &root;
  std::size_t depth = 0;
  while (node->FindChild(ENodeKind::Generic)) {
    node = node->FindChild(ENodeKind::Generic);
    ++depth;
  }
  EXPECT_EQ(depth, kMaxSectionDepth);
  // The deepest section keeps the directives it could not open as text, so the page still
  // shows what the template held.
  const std::string kept = node->GetText();
  EXPECT_EQ(kept.find("<!--#s-->"), 0u);
  EXPECT_NE(kept.find("core<!--#s@end-->"), std::string::npos);
  EXPECT_EQ(root.ChildAt(1)->GetText(), "f");

  // Deep trees built in code copy and die without recursion too.
  CTemplateNode deep(ENodeKind::Root);
  CTemplateNode* tip = &deep;
  for (int i = 0; i < kLevels; ++i)
    tip = tip->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Item));
  std::unique_ptr<CTemplateNode> copy = deep.Clone();
  EXPECT_EQ(copy->CountDescendants(ENodeKind::Item), static_cast<std::size_t>(kLevels));
}

TEST(TemplateParserTest, ParsesFilesAndLeavesRootAloneOnFailure) {
  TempDir dir;
  CTemplateNode root(ENodeKind::Root);
  ParseTemplate(&root, "<!--#pay-->keep<!--#pay@end-->");
  EXPECT_FALSE(ParseTemplateFile(&root, dir.path() / "0000.htm"));
  EXPECT_FALSE(ParseTemplateFile(&root, dir.path()));
  EXPECT_EQ(root.FindChild(ENodeKind::Pay)->GetText(), "keep");

  std::ofstream(dir.path() / "0001.htm", std::ios::binary) << "<!--#other-->o<!--#other@end-->";
  EXPECT_TRUE(ParseTemplateFile(&root, dir.path() / "0001.htm"));
  EXPECT_EQ(ChildKinds(root), "Other");

  EXPECT_FALSE(ParseTemplateResource(&root, 9999));
  EXPECT_FALSE(ParseTemplateResource(&root, 294, 2));
  EXPECT_EQ(ChildKinds(root), "Other");
}

}  // namespace
}  // namespace nuvo
