#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>

#include "SheetFixture.h"
#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "gui/decorate/DecorateEditView.h"
#include "gui/editing/DescriptionPage.h"
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
    // The run itself is the progress window's; here it records what it was given.
    sheet->SetSubmitRunner(
        [this](const CSubmitSettings& settings, SubmitListing listing, const SubmitRunOptions&) {
          runs.push_back(settings.fields.Get(CFieldSet::SlotOf("Duration")));
          titles.push_back(listing.title);
          CRunReport report;
          report.outcome = SubmitOutcome::Completed;
          return report;
        });
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
  std::vector<std::string> runs;  // the "Duration" each run was given
  std::vector<std::string> titles;
};

// Answers the settings window that the submission opens, once it is on screen.
void AnswerSettingsWindow(bool ok) {
  QTimer::singleShot(0, [ok] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    if (ok) {
      dialog->accept();
    } else {
      dialog->reject();
    }
  });
}

TEST_F(SheetSubmitTest, AQuestionAnsweredNoStopsWithTheOffendingTextSelected) {
  doc->SetTitle(Cp932("時計①付き"));
  sheet->UpdateFromDocument(change::kTitle);
  prompt.Queue(PromptAnswer::No);
  const CSubmitResult stopped = sheet->SubmitListing(&confirmed);
  EXPECT_EQ(stopped.result, ESubmitResult::Stopped);
  EXPECT_EQ(stopped.finding->step, "machine-dependent");
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_MACHINE_DEPENDENT_CHARS});
  EXPECT_EQ(Find<QLineEdit>("title")->selectedText(), QStringLiteral("①"));
  EXPECT_TRUE(runs.empty());

  // Yes goes on, and the one answer covers every text that holds such a character.
  doc->SetDescriptions({Cp932("㈱製")});
  prompt.requests.clear();
  prompt.Queue(PromptAnswer::Yes);
  EXPECT_TRUE(sheet->SubmitListing(&confirmed).Submitted());
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_MACHINE_DEPENDENT_CHARS});
  EXPECT_EQ(titles, std::vector<std::string>{Cp932("時計①付き")});
}

TEST_F(SheetSubmitTest, AShippingStopShowsTheShippingPageAtTheOffendingRow) {
  SetMethods({"ゆうパック", "", "宅急便"}, CShipMethod::kFlatFee);
  sheet->UpdateFromDocument(change::kEverything);
  EXPECT_EQ(sheet->SubmitListing(&confirmed).result, ESubmitResult::Stopped);
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_SHIP_NAME_EMPTY});
  EXPECT_TRUE(runs.empty());
  auto* pages = Find<QTabWidget>("pages");
  EXPECT_NE(qobject_cast<CShipPage*>(pages->currentWidget()), nullptr);
  EXPECT_EQ(Find<QListWidget>("shipMethods")->currentRow(), 1);
  EXPECT_EQ(doc->GetShipping().methods.size(), 3u);  // the listing stays as it was
}

TEST_F(SheetSubmitTest, SellerPaidPostageWithCashOnDeliveryIsAskedAfterTheSettings) {
  SetMethods({"佐川急便"}, CShipMethod::kCashOnDelivery);
  CCommonSubmitSettings sellerPays(ESubmitForm::EasyTrade);
  sellerPays.post.shipping = 1;
  sellerPays.basic.duration = 2;
  EXPECT_TRUE(sheet->SubmitListing(&confirmed).Submitted());
  EXPECT_TRUE(prompt.requests.empty());
  prompt.Queue(PromptAnswer::No);
  EXPECT_EQ(sheet->SubmitListing(&sellerPays).result, ESubmitResult::Stopped);
  prompt.Queue(PromptAnswer::Yes);
  EXPECT_TRUE(sheet->SubmitListing(&sellerPays).Submitted());
  EXPECT_EQ(prompt.Ids(),
            (std::vector<int>{IDS_SELLER_PAYS_CASH_ON_DELIVERY, IDS_SELLER_PAYS_CASH_ON_DELIVERY}));
  EXPECT_EQ(runs, (std::vector<std::string>{"5", "2"}));
}

TEST_F(SheetSubmitTest, ASingleSubmissionConfirmsTheStoredSettingsFirst) {
  CCommonSubmitSettings stored(ESubmitForm::EasyTrade);
  stored.basic.duration = 3;
  stored.Save(app);

  AnswerSettingsWindow(false);
  EXPECT_EQ(sheet->SubmitListing(nullptr).result, ESubmitResult::Cancelled);
  EXPECT_TRUE(runs.empty());

  AnswerSettingsWindow(true);
  EXPECT_TRUE(sheet->SubmitListing(nullptr).Submitted());
  EXPECT_EQ(runs, std::vector<std::string>{"3"});
}

TEST_F(SheetSubmitTest, AnAddressOfferedALinkIsSelectedInItsDescription) {
  doc->SetDescriptions({Cp932("詳細は http://example.com まで")});
  sheet->UpdateFromDocument(change::kEverything);
  prompt.Queue(PromptAnswer::Cancel);
  EXPECT_EQ(sheet->SubmitListing(&confirmed).result, ESubmitResult::Cancelled);
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_LINK_UNLINKED_ADDRESS});
  EXPECT_NE(qobject_cast<CDescriptionPage*>(Find<QTabWidget>("pages")->currentWidget()), nullptr);
  auto* editor = Find<CDecorateEditView>("decorated0");
  EXPECT_EQ(editor->Editor().SelectionStart(), 7);  // behind six bytes of kanji and a space
  EXPECT_EQ(editor->Editor().SelectionEnd(), 7 + 18);
  EXPECT_TRUE(runs.empty());
}

TEST_F(SheetSubmitTest, ACharacterFoundInDecoratedMarkupIsSelectedInTheEditor) {
  doc->SetDescriptions({Cp932("<b>株式&amp;</b><br>㈱製")});
  sheet->UpdateFromDocument(change::kEverything);
  prompt.Queue(PromptAnswer::No);
  EXPECT_EQ(sheet->SubmitListing(&confirmed).finding->step, "machine-dependent");
  auto* editor = Find<CDecorateEditView>("decorated0");
  EXPECT_EQ(editor->Editor().SelectedText(), Cp932("㈱"));
}

}  // namespace
