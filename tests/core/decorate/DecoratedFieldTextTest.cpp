#include "core/decorate/DecoratedFieldText.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

namespace {

TEST(DecoratedFieldText, TypedLinesAndMarkupCharactersReachThePageAsTyped) {
  CDecoratedFieldText field;
  field.Load("");
  std::string typed = Cp932("一行目\n<b>二行目</b> & 三行目");
  std::string stored = field.Edit(typed);
  EXPECT_EQ(stored.find("<b>"), std::string::npos) << stored;
  EXPECT_NE(stored.find(Cp932("一行目<br>")), std::string::npos) << stored;
  EXPECT_NE(stored.find("&lt;b"), std::string::npos) << stored;
  EXPECT_NE(stored.find("&amp;"), std::string::npos) << stored;

  // The box shows again exactly what was typed.
  CDecoratedFieldText reopened;
  reopened.Load(stored);
  EXPECT_EQ(reopened.PlainText(), typed);
}

TEST(DecoratedFieldText, AnEditKeepsTheDecorationsAroundIt) {
  CDecoratedFieldText field;
  field.Load(Cp932("<b>太字</b>と普通"));
  EXPECT_EQ(field.PlainText(), Cp932("太字と普通"));
  // Typed inside the bold word, the text is bold too; the plain part stays plain.
  EXPECT_EQ(field.Edit(Cp932("太い字と普通")), Cp932("<b>太い字</b>と普通"));
  EXPECT_EQ(field.Edit(Cp932("太い字と")), Cp932("<b>太い字</b>と"));
  // Deleting the bold text takes its decoration with it.
  EXPECT_EQ(field.Edit(Cp932("と")), Cp932("と"));
}

TEST(DecoratedFieldText, MarkupTheReaderDoesNotKnowIsEditedAsItStands) {
  const std::string table = "<table><tr><td>A</td></tr></table>";
  CDecoratedFieldText field;
  field.Load(table);
  EXPECT_EQ(field.PlainText(), table);
  EXPECT_EQ(field.Edit(table + "<br>B"), table + "<br>B");
}

}  // namespace
