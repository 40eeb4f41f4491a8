#include "core/html/TemplateNode.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/html/TemplateParser.h"
#include "core/html/TemplateText.h"

namespace nuvo {
namespace {

// A node class with data of its own, as the document's nodes have.
class CSizedNode : public CTemplateNode {
 public:
  CSizedNode() : CTemplateNode(ENodeKind::Photo) {}
  int width = 0;
  std::unique_ptr<CTemplateNode> CloneSelf() const override {
    return std::unique_ptr<CTemplateNode>(new CSizedNode(*this));
  }
  std::unique_ptr<CTemplateNode> CreateEmpty() const override {
    return std::make_unique<CSizedNode>();
  }

 protected:
  CSizedNode(const CSizedNode&) = default;
};

TEST(TemplateNodeTest, SectionTextOperationsActOnTheTextChild) {
  CTemplateNode description(ENodeKind::Description);
  description.SetItemText(Cp932("あいう"));
  CTemplateNode* item = description.FindChild(ENodeKind::Item);
  ASSERT_NE(item, nullptr);
  const auto* text = dynamic_cast<const CTemplateText*>(item->ChildAt(0));
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->IsDecorated());

  // Positions inside a two-byte character fall back to its start.
  item->InsertText(3, "x");
  EXPECT_EQ(item->GetText(), Cp932("あxいう"));
  EXPECT_EQ(item->GetTextPart(2, 3), Cp932("xい"));
  EXPECT_EQ(item->GetTextPart(4, 100), Cp932("いう"));
  EXPECT_EQ(item->GetTextPart(100, 1), "");
  item->DeleteText(1, 4);
  EXPECT_EQ(item->GetText(), Cp932("いう"));
  item->DeleteText(2, 100);
  EXPECT_EQ(item->GetText(), Cp932("い"));

  // Changes to a disabled node, or to a disabled text, are ignored; reading still works.
  item->Enable(false);
  item->SetText("no");
  item->InsertText(0, "no");
  item->DeleteText(0, 2);
  EXPECT_EQ(item->GetText(), Cp932("い"));
  CTemplateNode pay(ENodeKind::Pay);
  pay.Enable(false);
  pay.SetItemText("no");
  EXPECT_EQ(pay.ChildCount(), 0u);
  item->Enable(true);
  item->ChildAt(0)->Enable(false);
  item->SetText("no");
  EXPECT_EQ(item->GetText(), Cp932("い"));

  // A section outside Item and Detail gets a plain text child; a section without text reads
  // as empty and deleting from it creates nothing.
  CTemplateNode header(ENodeKind::Header);
  header.DeleteText(0, 1);
  EXPECT_EQ(header.ChildCount(), 0u);
  header.SetText("<html>");
  EXPECT_FALSE(dynamic_cast<const CTemplateText&>(*header.ChildAt(0)).IsDecorated());
}

TEST(TemplateNodeTest, ChildListEditsKeepParentsRight) {
  CTemplateNode root(ENodeKind::Root);
  ParseTemplate(&root,
                "<!--#pay-->a<!--#pay@end--><!--#post-->b<!--#post@end-->"
                "<!--#pay-->c<!--#pay@end-->");
  EXPECT_EQ(root.CountChildren(ENodeKind::Pay), 2u);
  EXPECT_EQ(root.GetChild(ENodeKind::Pay, 1)->GetText(), "c");
  EXPECT_EQ(root.GetChild(ENodeKind::Pay, 2), nullptr);
  EXPECT_EQ(root.CountDescendants(ENodeKind::Text), 3u);
  EXPECT_EQ(root.GetDescendant(ENodeKind::Text, 1)->GetText(), "b");

  CTemplateNode* post = root.GetChild(ENodeKind::Post, 0);
  auto other = std::make_unique<CTemplateNode>(ENodeKind::Other);
  CTemplateNode* otherRaw = other.get();
  std::unique_ptr<CTemplateNode> old = root.ReplaceChild(post, std::move(other));
  ASSERT_EQ(old.get(), post);
  EXPECT_EQ(old->Parent(), nullptr);
  EXPECT_EQ(root.ChildAt(1), otherRaw);
  EXPECT_EQ(otherRaw->Parent(), &root);

  // Replacing or detaching something that is not a child changes nothing and drops nothing.
  auto spare = std::make_unique<CTemplateNode>(ENodeKind::Is);
  EXPECT_EQ(root.ReplaceChild(old.get(), std::move(spare)), nullptr);
  ASSERT_NE(spare, nullptr);
  EXPECT_EQ(root.DetachChild(old.get()), nullptr);

  CTemplateNode* inserted = root.InsertChild(0, std::move(old));
  EXPECT_EQ(root.DetachChild(inserted)->Parent(), nullptr);
  EXPECT_EQ(root.IndexOf(inserted), root.ChildCount());
  root.Clear();
  EXPECT_EQ(root.ChildCount(), 0u);
}

TEST(TemplateNodeTest, CloneCopiesClassFlagsAndChildren) {
  CTemplateNode header(ENodeKind::Header, "HeAdEr");
  header.SetText("<body>");
  auto* photo = static_cast<CSizedNode*>(header.AddChild(std::make_unique<CSizedNode>()));
  photo->width = 640;
  photo->SetItemText("a.jpg");
  photo->Enable(false);
  header.SetListMode(3);

  std::unique_ptr<CTemplateNode> copy = header.Clone();
  EXPECT_EQ(copy->Parent(), nullptr);
  EXPECT_EQ(copy->Name(), "HeAdEr");
  EXPECT_EQ(copy->ListMode(), 3);
  EXPECT_EQ(copy->GetText(), "<body>");
  auto* photoCopy = dynamic_cast<CSizedNode*>(copy->FindChild(ENodeKind::Photo));
  ASSERT_NE(photoCopy, nullptr);
  EXPECT_NE(photoCopy, photo);
  EXPECT_EQ(photoCopy->Parent(), copy.get());
  EXPECT_EQ(photoCopy->width, 640);
  EXPECT_FALSE(photoCopy->IsEnabled());
  EXPECT_EQ(photoCopy->FindChild(ENodeKind::Item)->GetText(), "a.jpg");
  EXPECT_TRUE(dynamic_cast<const CTemplateText&>(*photoCopy->FindChild(ENodeKind::Item)->ChildAt(0))
                  .IsDecorated());

  std::unique_ptr<CTemplateNode> empty = photo->CreateEmpty();
  EXPECT_NE(dynamic_cast<CSizedNode*>(empty.get()), nullptr);
  EXPECT_EQ(empty->ChildCount(), 0u);
  EXPECT_TRUE(empty->IsEnabled());
}

}  // namespace
}  // namespace nuvo
