#include <QComboBox>
#include <QLineEdit>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/editing/ValueCommands.h"

using namespace nuvo;

namespace {

TEST_F(SheetTest, ANumberTypedIntoTheCategoryBoxChoosesItsCategoryAsOneCommand) {
  auto* category = Find<QComboBox>("category");
  category->setEditText(QStringLiteral("２３３３６"));
  emit category->lineEdit()->editingFinished();
  EXPECT_EQ(doc->GetCategoryId(), 23336);
  EXPECT_EQ(doc->GetCategoryName(), Cp932("コンピュータ"));
  EXPECT_EQ(category->currentText(), QStringLiteral("コンピュータ"));
  EXPECT_EQ(UndoDepth(), 1);

  // A number the catalogue does not know is refused and the box shows the listing's category.
  category->setEditText(QStringLiteral("99"));
  emit category->lineEdit()->editingFinished();
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_CATEGORY_NOT_IN_CATALOGUE});
  EXPECT_EQ(doc->GetCategoryId(), 23336);
  EXPECT_EQ(category->currentText(), QStringLiteral("コンピュータ"));

  // Leaving the box with its name, or with words in it, is no new choice.
  emit category->lineEdit()->editingFinished();
  category->setEditText(QStringLiteral("パソコン"));
  emit category->lineEdit()->editingFinished();
  EXPECT_EQ(category->currentText(), QStringLiteral("コンピュータ"));
  EXPECT_EQ(UndoDepth(), 1);
  doc->Undo();
  EXPECT_EQ(doc->GetCategoryId(), 0);
  EXPECT_EQ(category->currentText(), QString());
}

TEST_F(SheetTest, ACategoryWithoutAKnownNameShowsItsNumber) {
  doc->ExecuteCommand(MakeSetCategoryCommand(*doc, {2084005, ""}));
  sheet->UpdateFromDocument(change::kEverything);
  auto* category = Find<QComboBox>("category");
  EXPECT_EQ(category->currentText(), QStringLiteral("2084005"));

  // Leaving the box as it shows is no new choice, and the name stays unknown.
  emit category->lineEdit()->editingFinished();
  EXPECT_TRUE(prompt.Ids().empty());
  emit category->activated(0);
  EXPECT_EQ(doc->GetCategoryName(), "");
  EXPECT_EQ(UndoDepth(), 1);
}

}  // namespace
