#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "gui/editing/ShipPage.h"

using namespace nuvo;

namespace {

class SheetSubmitTest : public SheetTest {
 protected:
  SheetSubmitTest() {
    doc->SetTitle(Cp932("腕時計"));
    SetMethods({"ゆうパック"}, CShipMethod::kFlatFee);
    sheet->UpdateFromDocument(change::kEverything);
    sheet->show();
  }

  void SetMethods(std::vector<const char*> names, std::int32_t feeType) {
    CShipSettings shipping = doc->GetShipping();
    shipping.methods.clear();
    for (const char* name : names) {
      CShipMethod method;
      method.name = Cp932(name);
      method.feeType = feeType;
      method.fee = 800;
      shipping.methods.push_back(method);
    }
    doc->SetShipping(shipping);
  }

  const CCommonSubmitSettings confirmed{ESubmitForm::EasyTrade};
};

TEST_F(SheetSubmitTest, AQuestionAnsweredNoStopsWithTheOffendingTextSelected) {
  doc->SetTitle(Cp932("時計①付き"));
  sheet->UpdateFromDocument(change::kTitle);
  prompt.Queue(PromptAnswer::No);
  EXPECT_FALSE(sheet->PrepareSubmission(&confirmed));
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_MACHINE_DEPENDENT_CHARS});
  EXPECT_EQ(Find<QLineEdit>("title")->selectedText(), QStringLiteral("①"));

  // Yes goes on, and the one answer covers every text that holds such a character.
  doc->SetDescriptions({Cp932("㈱製")});
  prompt.requests.clear();
  prompt.Queue(PromptAnswer::Yes);
  EXPECT_TRUE(sheet->PrepareSubmission(&confirmed));
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_MACHINE_DEPENDENT_CHARS});
}

TEST_F(SheetSubmitTest, AShippingStopShowsTheShippingPageAtTheOffendingRow) {
  SetMethods({"ゆうパック", "", "宅急便"}, CShipMethod::kFlatFee);
  sheet->UpdateFromDocument(change::kEverything);
  EXPECT_FALSE(sheet->PrepareSubmission(&confirmed));
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_SHIP_NAME_EMPTY});
  auto* pages = Find<QTabWidget>("pages");
  EXPECT_NE(qobject_cast<CShipPage*>(pages->currentWidget()), nullptr);
  EXPECT_EQ(Find<QListWidget>("shipMethods")->currentRow(), 1);
  EXPECT_EQ(doc->GetShipping().methods.size(), 3u);  // the listing stays as it was
}

TEST_F(SheetSubmitTest, SellerPaidPostageWithCashOnDeliveryIsAskedAfterTheSettings) {
  SetMethods({"佐川急便"}, CShipMethod::kCashOnDelivery);
  CCommonSubmitSettings sellerPays(ESubmitForm::EasyTrade);
  sellerPays.post.shipping = 1;
  EXPECT_TRUE(sheet->PrepareSubmission(&confirmed));
  EXPECT_TRUE(prompt.requests.empty());
  prompt.Queue(PromptAnswer::No);
  EXPECT_FALSE(sheet->PrepareSubmission(&sellerPays));
  prompt.Queue(PromptAnswer::Yes);
  const auto settings = sheet->PrepareSubmission(&sellerPays);
  ASSERT_TRUE(settings);
  EXPECT_EQ(*settings, sellerPays);
  EXPECT_EQ(prompt.Ids(),
            (std::vector<int>{IDS_SELLER_PAYS_CASH_ON_DELIVERY, IDS_SELLER_PAYS_CASH_ON_DELIVERY}));
}

}  // namespace
