#include <gtest/gtest.h>

#include <memory>

#include "core/net/PageFormData.h"

namespace nuvo {
namespace {

TEST(PageFormDataTest, TakesTheHiddenInputsAndDropsDisabledEmptyOnes) {
  CHtmlDocument page(
      "<form><input type=hidden name=title value=T>"
      "<input type=hidden name=Category value='' disabled>"
      "<input type=hidden name=crumb value=c><input type=hidden name=gone disabled>"
      "<input type=hidden name=kept><input type=text name=memo value=visible disabled></form>"
      "<form><input type=hidden name=second value=2></form>");
  CFormData form(
      std::make_shared<const CFormFields>(std::vector<std::string>{"Title", "category", "memo"}));
  form.SetValue("memo", "from the listing");
  FillFormDataFromPage(page, form);

  EXPECT_EQ(form.GetValue(0), "T");
  EXPECT_EQ(form.GetValue(1), "");
  EXPECT_EQ(form.GetValue(2), "from the listing");  // visible controls are not collected
  EXPECT_EQ(form.ExtraFields(), (std::map<std::string, std::string>{{"crumb", "c"}, {"kept", ""}}));
}

}  // namespace
}  // namespace nuvo
