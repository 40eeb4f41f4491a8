#include "core/submit/BankChoice.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/submit/FieldSet.h"

using namespace nuvo;

namespace {

CFieldSet Banks(std::initializer_list<const char*> names) {
  CFieldSet fields;
  int row = 1;
  for (const char* name : names) fields.Set(FieldRow(kFieldBankName1, row++), Cp932(name));
  return fields;
}

std::optional<std::string> Choose(const std::string& formHtml, const CFieldSet& fields) {
  const CHtmlDocument page(Cp932("<form name=\"auction\">" + formHtml + "</form>"));
  return ChooseBank(OfferedBanks(page), fields);
}

}  // namespace

TEST(BankChoice, ThePageOffersAccountsAsAListOrAsLabelledRadioButtons) {
  const CHtmlDocument page(Cp932(
      "<select id=\"auc_bkid\"><option value=\"1\"> 楽天銀行 </option><option>みずほ銀行</option>"
      "</select><select name=\"other\"><option value=\"x\">ゆうちょ銀行</option></select>"
      "<input type=\"radio\" name=\"bkid\" id=\"r3\" value=\"3\"><label for=\"r3\">ゆうちょ銀行"
      "</label><input type=\"radio\" name=\"bkid\" value=\"4\" title=\"三井住友銀行\">"
      "<input type=\"radio\" name=\"ship\" value=\"5\" title=\"ゆうパック\">"));
  const std::vector<OfferedBank> offered = OfferedBanks(page);
  ASSERT_EQ(offered.size(), 4u);
  const std::pair<const char*, const char*> expected[] = {{"1", "楽天銀行"},
                                                          {"みずほ銀行", "みずほ銀行"},
                                                          {"3", "ゆうちょ銀行"},
                                                          {"4", "三井住友銀行"}};
  for (std::size_t i = 0; i < offered.size(); ++i) {
    EXPECT_EQ(offered[i].value, Cp932(expected[i].first));
    EXPECT_EQ(offered[i].label, Cp932(expected[i].second));
  }
}

TEST(BankChoice, TheFirstBankNamedPicksTheFirstAccountItBegins) {
  const std::string accounts =
      "<select name=\"bkid\"><option value=\"a\">楽天銀行 普通 1111111</option>"
      "<option value=\"b\">ゆうちょ銀行 記号 1</option>"
      "<option value=\"c\">ゆうちょ銀行 記号 2</option></select>";
  EXPECT_EQ(Choose(accounts, Banks({"ゆうちょ銀行"})), "b");
  EXPECT_EQ(Choose(accounts, Banks({"", "楽天銀行"})), "a");
  EXPECT_EQ(Choose(accounts, Banks({"ゆうちょ銀行", "楽天銀行"})), "b");
  // A name found only inside a label, or no name at all, leaves the service's own choice.
  EXPECT_EQ(Choose(accounts, Banks({"普通"})), std::nullopt);
  EXPECT_EQ(Choose(accounts, Banks({})), std::nullopt);
  EXPECT_EQ(Choose("", Banks({"ゆうちょ銀行"})), std::nullopt);
}
