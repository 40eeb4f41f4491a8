#include "core/html/BuiltinTemplates.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/html/TemplateParser.h"

namespace nuvo {
namespace {

TEST(BuiltinTemplatesTest, StartingTreesHoldHeaderDescriptionAndFooter) {
  for (int id : {kTemplateNormalInput, kTemplateHtmlInput}) {
    SCOPED_TRACE(id);
    CTemplateNode root(ENodeKind::Root);
    ASSERT_TRUE(ParseTemplateResource(&root, id));
    const CTemplateNode* header = root.FindChild(ENodeKind::Header);
    const CTemplateNode* description = root.FindChild(ENodeKind::Description);
    const CTemplateNode* footer = root.FindChild(ENodeKind::Footer);
    ASSERT_TRUE(header && description && footer);
    EXPECT_NE(header->GetText().find("charset=Shift_JIS"), std::string::npos);
    EXPECT_NE(footer->GetText().find("</body></html>"), std::string::npos);
    ASSERT_EQ(description->CountChildren(ENodeKind::Item), 1u);
    const std::string item = description->FindChild(ENodeKind::Item)->GetText();
    EXPECT_EQ(item, id == kTemplateNormalInput
                        ? Cp932("（説明文）")
                        : Cp932("（ここに<b>HTML入力</b>で、商品の説明文を入力してください）"));
  }
}

TEST(BuiltinTemplatesTest, ShippingBlocksHoldOneRow) {
  struct Case {
    int id;
    ENodeKind section;
    const char* caption;
    int listMode;
  };
  for (const Case& c : {Case{kTemplateShipGeneral, ENodeKind::ShipMethodGeneral,
                             "一般的な<br>配送方法", kShipMethodListMode},
                        Case{kTemplateShipYahooSpecific, ENodeKind::ShipMethodYahooSpecific,
                             "ヤフオク!特有の<br>配送方法", 0}}) {
    SCOPED_TRACE(c.id);
    CTemplateNode root(ENodeKind::Root);
    ASSERT_TRUE(ParseTemplateResource(&root, c.id));
    const CTemplateNode* section = root.FindChild(c.section);
    ASSERT_NE(section, nullptr);
    EXPECT_NE(section->GetText().find(Cp932(c.caption)), std::string::npos);
    EXPECT_NE(section->GetText().find("width=\"95%\""), std::string::npos);
    ASSERT_EQ(section->CountChildren(ENodeKind::Block), 1u);
    const CTemplateNode* row = section->FindChild(ENodeKind::Block);
    EXPECT_EQ(row->ListMode(), c.listMode);
    ASSERT_TRUE(row->FindChild(ENodeKind::Item) && row->FindChild(ENodeKind::Detail));
    EXPECT_EQ(row->FindChild(ENodeKind::Is)->GetText(), Cp932("："));
  }
}

}  // namespace
}  // namespace nuvo
