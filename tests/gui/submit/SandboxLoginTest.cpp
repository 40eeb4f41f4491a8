#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "LoginSite.h"
#include "core/app/AppOptions.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/ListingSubmitter.h"
#include "core/editing/ValueCommands.h"
#include "core/submit/LoginFlow.h"
#include "gui/common/QtText.h"
#include "gui/net/BrowserCookieBridge.h"
#include "gui/net/NetworkSession.h"
#include "gui/submit/FinalConfirmDialog.h"
#include "gui/submit/SubmitDialog.h"
#include "gui/submit/SubmitWindows.h"
#include "gui/submit/YahooLoginManualDialog.h"
#include "support/SandboxProcess.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

// Fills the sandbox's login form once per page with `id` and `password` and sends it; false
// when the page holds no empty login form (not yet loaded, or already sent).
bool SendLoginForm(QWebEnginePage& page, const QString& id, const QString& password) {
  return RunScript(page, QStringLiteral("(function () {"
                                        "  var f = document.forms['login_form'];"
                                        "  if (!f || f.login.value) return false;"
                                        "  f.login.value = '%1'; f.passwd.value = '%2';"
                                        "  f.querySelector('input[type=submit]').click();"
                                        "  return true; })()")
                             .arg(id, password))
      .toBool();
}

QWebEnginePage& PageOf(CYahooLoginManualDialog& dialog) { return *dialog.View().page(); }

// Plays the seller in front of the submission's windows while a modal loop runs: logs in when
// the login dialog shows the form (or stops there), goes on at the final confirmation and closes
// message boxes, keeping what each one said.
class ScriptedSeller {
 public:
  enum AtLogin { kLogIn, kStopAtLogin };

  explicit ScriptedSeller(QString id, AtLogin atLogin = kLogIn)
      : id_(std::move(id)), atLogin_(atLogin) {
    timer_.callOnTimeout([this] { Act(); });
    timer_.start(200);
  }

  int logins = 0;
  int confirmations = 0;
  std::vector<QString> messages;

 private:
  void Act() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->isVisible()) continue;
      if (auto* login = dynamic_cast<CYahooLoginManualDialog*>(window)) {
        if (atLogin_ == kStopAtLogin) {
          ++logins;
          login->reject();
        } else if (SendLoginForm(PageOf(*login), id_, QStringLiteral("pw"))) {
          ++logins;
        }
      } else if (auto* confirm = dynamic_cast<CFinalConfirmDialog*>(window)) {
        ++confirmations;
        confirm->accept();
      } else if (auto* box = dynamic_cast<QMessageBox*>(window)) {
        messages.push_back(box->text());
        box->accept();
      }
    }
  }

  QString id_;
  AtLogin atLogin_;
  QTimer timer_;
};

// The desktop program's part in a submission, without the sheet: questions answered Yes, the
// common settings as stored, every run in the "出品中..." window.
class CWindowHost : public ISubmitListingHost {
 public:
  CWindowHost(CNetworkSession& network, const CServiceProfile& profile, CAppOptions& options,
              IUserPrompt& prompt)
      : network_(network), profile_(profile), options_(options), prompt_(prompt) {}

  PromptAnswer Ask(const PromptRequest& request) override { return prompt_.Ask(request); }
  void ShowFinding(const CSubmitFinding&) override {}
  std::optional<CCommonSubmitSettings> ConfirmSettings(ESubmitForm form) override {
    return CCommonSubmitSettings(form);
  }
  void Execute(std::unique_ptr<CEditCommand>) override {}
  CRunReport RunSubmission(const CSubmitSettings& settings, SubmitListing listing,
                           const SubmitRunOptions& options) override {
    return RunInWindow(network_, profile_, options_, settings, std::move(listing), options,
                       nullptr);
  }

 private:
  CNetworkSession& network_;
  const CServiceProfile& profile_;
  CAppOptions& options_;
  IUserPrompt& prompt_;
};

class SandboxLoginTest : public ::testing::Test {
 protected:
  SandboxLoginTest() : session_(ToQPath(dir_.path() / "cookies.txt")) {
    // Each test starts logged out: nothing a login of an earlier test left in the browser.
    QWebEngineProfile::defaultProfile()->cookieStore()->deleteAllCookies();
    bridge_ = std::make_unique<CBrowserCookieBridge>(
        *QWebEngineProfile::defaultProfile()->cookieStore(), session_.Cookies());
  }

  // The login dialog as the run opens it when the sell page sends it to the login host.
  std::unique_ptr<CYahooLoginManualDialog> Open() {
    const CServiceProfile& profile = sandbox_.Profile();
    CLoginFlow flow(
        profile.BaseUrl(ServiceRole::Login), profile.BaseUrl(ServiceRole::Protect),
        CLoginFlow::StartAddress(profile.BaseUrl(ServiceRole::Login),
                                 profile.BaseUrl(ServiceRole::Main) + "/topic/notice/"));
    auto dialog = std::make_unique<CYahooLoginManualDialog>(std::move(flow), false, prompt_);
    dialog->SetOutsideOpener([this](const QUrl& url) { outside_.push_back(url); });
    dialog->show();
    return dialog;
  }

  // A listing the easy-trade form takes: a title, a category and a shipping method.
  CNuvoDoc& Listing() {
    doc_ = std::make_unique<CNuvoDoc>(settings_, prompt_);
    doc_->OnNewDocument();
    doc_->ExecuteCommand(MakeSetTitleCommand(*doc_, Cp932("青いコップ"), kNoSelection));
    doc_->ExecuteCommand(MakeSetCategoryCommand(*doc_, {2084005, Cp932("本")}));
    CShipSettings shipping;
    CShipMethod method;
    method.name = Cp932("ゆうパック");
    method.fee = 800;
    shipping.methods = {method};
    doc_->SetShipping(shipping);
    return *doc_;
  }

  // Submits `doc` as F9 does: the core routine with the run in the "出品中..." window, the
  // stored common settings taken as confirmed.
  ESubmitResult SubmitFromWindow(CNuvoDoc& doc, CAppOptions& options) {
    CWindowHost host(session_, sandbox_.Profile(), options, prompt_);
    CListingSubmitter submitter(doc, options, host);
    return submitter.SubmitListing(nullptr).result;
  }

  bool HasSessionCookie() {
    for (const QNetworkCookie& cookie : session_.Cookies().Cookies()) {
      if (cookie.name() == "SBSESSION") return true;
    }
    return false;
  }

  TempDir dir_;
  CNetworkSession session_;
  std::unique_ptr<CBrowserCookieBridge> bridge_;
  SandboxProcess sandbox_;
  ScriptedPrompt prompt_;
  CMemorySettings settings_;
  std::unique_ptr<CNuvoDoc> doc_;
  std::vector<QUrl> outside_;
};

}  // namespace

TEST_F(SandboxLoginTest, AnEmptyPasswordKeepsTheFormAndTheNextLoginClosesWithTheSession) {
  auto dialog = Open();
  ASSERT_TRUE(WaitForPage(PageOf(*dialog), QStringLiteral("/config/login")));
  ASSERT_TRUE(SendLoginForm(PageOf(*dialog), QStringLiteral("seller01"), QString()));
  // The service answers with its form and a notice: the seller is still logging in.
  ASSERT_TRUE(WaitUntil(
      [&] {
        return RunScript(PageOf(*dialog), QStringLiteral("!!document.querySelector('.notice')"))
            .toBool();
      },
      10000));
  Pump(500);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->ManualNoticeRaised());
  EXPECT_FALSE(HasSessionCookie());

  ASSERT_TRUE(SendLoginForm(PageOf(*dialog), QStringLiteral("seller01"), QStringLiteral("pw")));
  ASSERT_TRUE(WaitUntil([&] { return dialog->result() == QDialog::Accepted; }, 10000));
  EXPECT_EQ(dialog->SellerId(), "seller01");
  EXPECT_TRUE(WaitUntil([&] { return HasSessionCookie(); }));
  EXPECT_TRUE(outside_.empty());
  EXPECT_TRUE(prompt_.requests.empty());
}

TEST_F(SandboxLoginTest, TheCaptchaWaitsForTheSellerAndTheProtectionNoticeLeadsToTheTarget) {
  sandbox_.SetScenario(R"({"login": "captcha"})");
  auto dialog = Open();
  ASSERT_TRUE(WaitForPage(PageOf(*dialog), QStringLiteral("/config/login")));
  ASSERT_TRUE(SendLoginForm(PageOf(*dialog), QStringLiteral("seller02"), QStringLiteral("pw")));
  ASSERT_TRUE(WaitUntil(
      [&] {
        return RunScript(PageOf(*dialog), QStringLiteral("!!document.forms['captchaForm']"))
            .toBool();
      },
      10000));
  Pump(1500);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->ManualNoticeRaised());
  RunScript(PageOf(*dialog), QStringLiteral("var f = document.forms['captchaForm'];"
                                            "f.captcha.value = 'sandbox';"
                                            "f.querySelector('input[type=submit]').click();"));
  ASSERT_TRUE(WaitUntil([&] { return dialog->result() == QDialog::Accepted; }, 10000));
  EXPECT_TRUE(HasSessionCookie());

  sandbox_.SetScenario(R"({"login": "protect"})");
  auto protectedLogin = Open();
  ASSERT_TRUE(WaitForPage(PageOf(*protectedLogin), QStringLiteral("/config/login")));
  ASSERT_TRUE(
      SendLoginForm(PageOf(*protectedLogin), QStringLiteral("seller02"), QStringLiteral("pw")));
  ASSERT_TRUE(WaitForPage(PageOf(*protectedLogin), QStringLiteral("/notice")));
  EXPECT_TRUE(protectedLogin->isVisible());
  RunScript(PageOf(*protectedLogin), QStringLiteral("document.querySelector('a').click();"));
  EXPECT_TRUE(WaitUntil([&] { return protectedLogin->result() == QDialog::Accepted; }, 10000));
  EXPECT_TRUE(outside_.empty());
}

TEST_F(SandboxLoginTest, ASubmissionThatMeetsTheLoginGoesThroughOnceTheSellerLoggedIn) {
  sandbox_.SetScenario(R"({"login_required": true, "form": "easy"})");
  CNuvoDoc& doc = Listing();
  CAppOptions options;
  options.optionValue |= kOptionShowFinalConfirmation;

  ScriptedSeller seller(QStringLiteral("seller03"));
  EXPECT_EQ(SubmitFromWindow(doc, options), ESubmitResult::Submitted)
      << (seller.messages.empty() ? std::string() : seller.messages.back().toStdString());
  EXPECT_EQ(seller.logins, 1);
  EXPECT_EQ(seller.confirmations, 1);
  // The listing went up under the ID typed in the login dialog: the browser's session served the
  // HTTP client's second run.
  const std::string listings = sandbox_.Listings();
  EXPECT_NE(listings.find("seller03"), std::string::npos) << listings;
  EXPECT_NE(listings.find("青いコップ"), std::string::npos) << listings;
  EXPECT_TRUE(HasSessionCookie());
}

TEST_F(SandboxLoginTest, CancellingTheLoginEndsTheRunWithoutAnotherMessage) {
  sandbox_.SetScenario(R"({"login_required": true, "form": "easy"})");
  CNuvoDoc& doc = Listing();
  CAppOptions options;

  ScriptedSeller seller(QString(), ScriptedSeller::kStopAtLogin);
  EXPECT_EQ(SubmitFromWindow(doc, options), ESubmitResult::LoginRequired);
  EXPECT_EQ(seller.logins, 1);
  EXPECT_TRUE(seller.messages.empty()) << seller.messages.front().toStdString();
  EXPECT_EQ(sandbox_.Listings().find("青いコップ"), std::string::npos);
}
