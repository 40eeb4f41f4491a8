#include "gui/submit/FinalConfirmDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include "LoginSite.h"
#include "core/common/MessageIds.h"
#include "core/net/ServiceProfile.h"
#include "core/submit/ConfirmPageSample.h"
#include "core/submit/FinalConfirmPage.h"
#include "gui/app/HtmlView.h"
#include "gui/submit/FinalConfirmBasePage.h"
#include "gui/submit/SubmitWindows.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

std::string RewrittenSample(int photos) {
  return BuildFinalConfirmPage(
             CHtmlDocument(nuvo::test::ConfirmPageSample({.photos = photos, .feeBlock = true})),
             "http://127.0.0.1:9/sell/jp/show/preview")
      .value();
}

// The class of each thumbnail item and the opacity of its picture, in order.
QString GalleryState(QWebEnginePage& page) {
  return RunScript(page, QStringLiteral(R"((function () {
    var items = document.querySelectorAll('.ProductImage__thumbnail'), out = [];
    for (var i = 0; i < items.length; ++i)
      out.push(items[i].className + '@' + items[i].querySelector('img').style.opacity);
    return out.join('|') + '|' + document.getElementsByName('__zs_product_image_first')[0].src;
  })())"))
      .toString();
}

}  // namespace

TEST(FinalConfirmDialog, SelectingAThumbnailShowsItLargeAndDimsTheOthers) {
  ScriptedPrompt prompt;
  CFinalConfirmDialog dialog(RewrittenSample(3), prompt);
  bool ready = false;
  QObject::connect(&dialog.Page(), &CFinalConfirmBasePage::Ready, [&] { ready = true; });
  dialog.show();
  ASSERT_TRUE(WaitUntil([&] { return ready; }, 10000));
  QWebEnginePage& page = *dialog.Page().View().page();
  EXPECT_TRUE(page.url().toLocalFile().endsWith(QStringLiteral("/final_confirm_preview.htm")));
  EXPECT_EQ(GalleryState(page),
            QStringLiteral("ProductImage__thumbnail is-on@1|ProductImage__thumbnail@0.4|"
                           "ProductImage__thumbnail@0.4|http://127.0.0.1:9/img/large1.jpg"));

  RunScript(page, QStringLiteral("document.querySelectorAll('a.ProductImage__link')[2].click();"));
  EXPECT_EQ(GalleryState(page),
            QStringLiteral("ProductImage__thumbnail@0.4|ProductImage__thumbnail@0.4|"
                           "ProductImage__thumbnail is-on@1|http://127.0.0.1:9/img/large3.jpg"));

  // Links to the service's pages stay where they are: nothing leaves the page.
  const QUrl shown = page.url();
  RunScript(page, QStringLiteral("document.querySelector('a[href*=\"/help/\"]').click();"));
  Pump(300);
  EXPECT_EQ(page.url(), shown);
}

TEST(FinalConfirmDialog, DontShowAgainExplainsItselfAtOnce) {
  ScriptedPrompt prompt;
  CFinalConfirmDialog dialog(RewrittenSample(0), prompt);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("出品の最終確認"));
  EXPECT_FALSE(dialog.DontShowAgain());
  dialog.findChild<QCheckBox*>()->setChecked(true);
  EXPECT_TRUE(dialog.DontShowAgain());
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_FINAL_CONFIRM_DONT_SHOW_NOTE});
  dialog.findChild<QCheckBox*>()->setChecked(false);
  EXPECT_EQ(prompt.requests.size(), 1u);
}

TEST(SubmitWindows, ConfirmsOnlyTheConfirmationPageAndTurnsTheDialogOffWhenAsked) {
  ScriptedPrompt prompt;
  const CServiceProfile& profile = CServiceProfile::Default();
  CSubmitWindows windows(profile, prompt);
  int turnedOff = 0;
  windows.SetFinalConfirmationOff([&] { ++turnedOff; });

  // A page the rewrite does not know is left to the run's own checks.
  EXPECT_TRUE(
      windows.ConfirmListing({"http://127.0.0.1:9/", "<html>error</html>", Charset::kNone}));

  const std::string sample = nuvo::test::ConfirmPageSample({.photos = 1});
  for (bool accept : {true, false}) {
    QTimer::singleShot(500, [&] {
      auto* dialog = qobject_cast<CFinalConfirmDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      dialog->findChild<QCheckBox*>()->setChecked(true);
      accept ? dialog->accept() : dialog->reject();
    });
    EXPECT_EQ(windows.ConfirmListing({"http://127.0.0.1:9/p", sample, Charset::kShiftJis}), accept);
  }
  EXPECT_EQ(turnedOff, 2);
}
