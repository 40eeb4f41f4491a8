#include "gui/submit/YahooLoginManualDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "LoginSite.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/net/HttpClient.h"
#include "gui/net/BrowserCookieBridge.h"
#include "gui/net/NetworkSession.h"
#include "gui/net/QtHttpTransport.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

class LoginDialogTest : public ::testing::Test {
 protected:
  LoginDialogTest()
      : session_(ToQPath(dir_.path() / "cookies.txt")),
        bridge_(*QWebEngineProfile::defaultProfile()->cookieStore(), session_.Cookies()) {}

  std::unique_ptr<CYahooLoginManualDialog> Open(bool reverification = false) {
    CLoginFlow flow(site_.Url(""), "http://protect." + site_.Host(),
                    CLoginFlow::StartAddress(site_.Url(""), site_.Url("/topic/notice/")));
    auto dialog =
        std::make_unique<CYahooLoginManualDialog>(std::move(flow), reverification, prompt_);
    dialog->SetOutsideOpener([this](const QUrl& url) { outside_.push_back(url); });
    dialog->show();
    return dialog;
  }

  QWebEnginePage& Page(CYahooLoginManualDialog& dialog) { return *dialog.View().page(); }

  // With `busyPage` the page's own script keeps it busy for a while once the form is sent, as a
  // slow machine does: the service's answer then comes before the page can say what was typed.
  void TypeAndSend(CYahooLoginManualDialog& dialog, const QString& id, bool busyPage = false) {
    ASSERT_TRUE(WaitForPage(Page(dialog), QStringLiteral("/config/login")));
    RunScript(Page(dialog),
              QStringLiteral("document.getElementById('login').value='%1';"
                             "document.getElementById('passwd').value='secret';"
                             "document.getElementById('send').click();%2")
                  .arg(id, busyPage ? QStringLiteral("setTimeout(function(){var t=Date.now();"
                                                     "while(Date.now()-t<1500);},0);")
                                    : QString()));
  }

  QPushButton* Button(CYahooLoginManualDialog& dialog, int id) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == QString::fromUtf8(LoadStringUtf8(id))) return button;
    }
    return nullptr;
  }

  // What the HTTP client's cookie header carries to the site.
  std::string ClientCookies() {
    CQtHttpTransport transport(session_);
    CHttpClient client(transport);
    return client.Get(site_.Url("/whoami")) ? client.ResponseText() : std::string();
  }

  TempDir dir_;
  CNetworkSession session_;
  CBrowserCookieBridge bridge_;
  LoginSite site_;
  ScriptedPrompt prompt_;
  std::vector<QUrl> outside_;
};

}  // namespace

TEST_F(LoginDialogTest, LogsInThroughTheFormAndHandsTheSessionToTheHttpClient) {
  auto dialog = Open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ログインの認証"));
  TypeAndSend(*dialog, QStringLiteral("seller01"), true);
  ASSERT_TRUE(WaitUntil([&] { return dialog->result() == QDialog::Accepted; }, 10000));
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(site_.typedId, "seller01");
  EXPECT_EQ(dialog->SellerId(), "seller01");
  EXPECT_TRUE(outside_.empty());

  ASSERT_TRUE(WaitUntil([&] { return ClientCookies() == "Y=session-seller01"; }));
  // The lasting cookie is kept for the next run of the program and for nuvo-cli.
  session_.Cookies().Save();
  CCookieJar nextRun(ToQPath(dir_.path() / "cookies.txt"));
  ASSERT_EQ(nextRun.Cookies().size(), 1);
  EXPECT_EQ(nextRun.Cookies()[0].value(), "session-seller01");
  EXPECT_TRUE(prompt_.requests.empty());
}

TEST_F(LoginDialogTest, StaysOpenOnTheCaptchaAndSendsForeignLinksOutside) {
  site_.captcha = true;
  auto dialog = Open(true);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("パスワードの再認証"));
  ASSERT_TRUE(WaitForPage(Page(*dialog), QStringLiteral("/config/login")));
  Pump(1500);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), 0);
  EXPECT_FALSE(dialog->ManualNoticeRaised());

  site_.captcha = false;
  Page(*dialog).triggerAction(QWebEnginePage::Reload);
  ASSERT_TRUE(WaitUntil([&] {
    return RunScript(Page(*dialog), QStringLiteral("!!document.getElementById('outside')"))
        .toBool();
  }));
  RunScript(Page(*dialog), QStringLiteral("document.getElementById('outside').click();"));
  ASSERT_TRUE(WaitUntil([&] { return !outside_.empty(); }));
  EXPECT_EQ(outside_[0].toString().toStdString(), site_.Url("/other/"));
  Pump(300);
  EXPECT_EQ(Page(*dialog).url().path(), QStringLiteral("/config/login"));
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(LoginDialogTest, PointsAtTheManualButtonOnTheCushionAndClosesAtTheTarget) {
  site_.cushion = true;
  auto dialog = Open();
  TypeAndSend(*dialog, QStringLiteral("seller02"));
  ASSERT_TRUE(WaitForPage(Page(*dialog), QStringLiteral("/logincushion/")));
  ASSERT_TRUE(WaitUntil([&] { return dialog->ManualNoticeRaised(); }));
  EXPECT_TRUE(dialog->isVisible());
  RunScript(Page(*dialog), QStringLiteral("document.getElementById('next').click();"));
  EXPECT_TRUE(WaitUntil([&] { return dialog->result() == QDialog::Accepted; }, 10000));
}

TEST_F(LoginDialogTest, ManualButtonAcceptsAndAbortCancelsWhileTheFormIsShown) {
  auto dialog = Open();
  ASSERT_TRUE(WaitForPage(Page(*dialog), QStringLiteral("/config/login")));
  Button(*dialog, IDS_LOGIN_ASSUME_SUCCESS_BUTTON)->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);

  auto stopped = Open();
  ASSERT_TRUE(WaitForPage(Page(*stopped), QStringLiteral("/config/login")));
  Button(*stopped, IDS_LOGIN_ABORT_BUTTON)->click();
  EXPECT_EQ(stopped->result(), QDialog::Rejected);
  EXPECT_TRUE(prompt_.requests.empty());
}

TEST_F(LoginDialogTest, CookiesOfTheClientReachTheBrowser) {
  QNetworkCookie cookie("T", "from-client");
  cookie.setDomain(QString::fromStdString(site_.Host()).section(QLatin1Char(':'), 0, 0));
  cookie.setPath(QStringLiteral("/"));
  cookie.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(1));
  session_.Cookies().insertCookie(cookie);

  auto dialog = Open();
  ASSERT_TRUE(WaitForPage(Page(*dialog), QStringLiteral("/config/login")));
  EXPECT_TRUE(RunScript(Page(*dialog), QStringLiteral("document.cookie"))
                  .toString()
                  .contains(QStringLiteral("T=from-client")));
}

TEST_F(LoginDialogTest, OpensWhereTheSellerChoseAndRemembersWhereItWasLeft) {
  CLoginFlow flow(site_.Url(""), "http://protect." + site_.Host(),
                  CLoginFlow::StartAddress(site_.Url(""), site_.Url("/topic/notice/")));
  CYahooLoginManualDialog dialog(std::move(flow), false, prompt_);
  CDialogPlacement stored(CYahooLoginManualDialog::kDefaultWidth,
                          CYahooLoginManualDialog::kDefaultHeight);
  stored.Read("2,0,0,760,580");
  dialog.SetPlacement(stored);
  dialog.show();
  const QRect workArea = dialog.screen()->availableGeometry();
  EXPECT_EQ(dialog.frameGeometry().topLeft(), workArea.topLeft());
  EXPECT_EQ(dialog.size(), QSize(760, 580));
  auto* choice = dialog.findChild<QComboBox*>();
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->currentText(), QStringLiteral("前回の位置"));

  // Choosing the screen's centre moves the window at once and keeps the size it has.
  choice->setCurrentIndex(static_cast<int>(PlacementChoice::kCentreOnScreen));
  const QPoint centred(workArea.x() + (workArea.width() - 760) / 2,
                       workArea.y() + (workArea.height() - 580) / 2);
  EXPECT_EQ(dialog.frameGeometry().topLeft(), centred);
  EXPECT_EQ(dialog.size(), QSize(760, 580));
  Button(dialog, IDS_LOGIN_ABORT_BUTTON)->click();
  EXPECT_EQ(dialog.Placement().ToString(), "1," + std::to_string(centred.x() - workArea.x()) + "," +
                                               std::to_string(centred.y() - workArea.y()) +
                                               ",760,580");
}
