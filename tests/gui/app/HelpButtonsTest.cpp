#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFile>
#include <QPushButton>
#include <QUrl>

#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "gui/app/HelpPages.h"
#include "gui/app/OptionsDialog.h"
#include "gui/editing/SubmitSettingDialog.h"
#include "gui/submit/FinalConfirmDialog.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

// Takes the addresses the program hands to the system's browser, so that no browser starts.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
  ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }
};

namespace {

// The page a help address names holds the part the address points at.
bool PageHasPart(const QUrl& url) {
  QFile page(url.toLocalFile());
  if (!page.open(QIODevice::ReadOnly)) return false;
  return url.fragment().isEmpty() || QString::fromUtf8(page.readAll())
                                         .contains(QStringLiteral("id=\"%1\"").arg(url.fragment()));
}

QPushButton* HelpButton(QWidget& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("ヘルプ(&H)")) return button;
  }
  return nullptr;
}

TEST(HelpButtons, EachSubmitSettingFormOpensItsOwnPartOfTheSettingsPage) {
  UrlCatcher browser;
  CMemorySettings backend;
  CAppComm app{backend};
  ScriptedPrompt prompt;
  for (ESubmitForm form : {ESubmitForm::Normal, ESubmitForm::EasyTrade}) {
    CSubmitSettingDialog dialog(app, prompt, form, CSubmitSettingDialog::EMode::Edit);
    QPushButton* help = HelpButton(dialog);
    ASSERT_NE(help, nullptr);
    help->click();
  }
  ASSERT_EQ(browser.opened.size(), 2);
  EXPECT_TRUE(browser.opened[0].toLocalFile().endsWith(QStringLiteral("/submit-settings.html")));
  EXPECT_EQ(browser.opened[0].fragment(), QStringLiteral("normal"));
  EXPECT_EQ(browser.opened[1].fragment(), QStringLiteral("easy-trade"));
  for (const QUrl& url : browser.opened)
    EXPECT_TRUE(PageHasPart(url)) << url.toString().toStdString();
}

TEST(HelpButtons, TheOptionsDialogOpensTheSettingsPageAtItsPart) {
  UrlCatcher browser;
  CMemorySettings backend;
  CAppComm app{backend};
  COptionsDialog dialog(app, CAppOptions());
  QPushButton* help = HelpButton(dialog);
  ASSERT_NE(help, nullptr);
  help->click();
  ASSERT_EQ(browser.opened.size(), 1);
  EXPECT_TRUE(browser.opened[0].toLocalFile().endsWith(QStringLiteral("/settings.html")));
  EXPECT_EQ(browser.opened[0].fragment(), QStringLiteral("options"));
  EXPECT_TRUE(PageHasPart(browser.opened[0]));
}

TEST(HelpButtons, TheFinalConfirmationOpensItsPageInsteadOfAMessage) {
  UrlCatcher browser;
  ScriptedPrompt prompt;
  CFinalConfirmDialog dialog(std::string("<html><body></body></html>"), prompt);
  QPushButton* help = HelpButton(dialog);
  ASSERT_NE(help, nullptr);
  help->click();
  ASSERT_EQ(browser.opened.size(), 1);
  EXPECT_TRUE(browser.opened[0].toLocalFile().endsWith(QStringLiteral("/final-confirm.html")));
  EXPECT_TRUE(PageHasPart(browser.opened[0]));
  EXPECT_TRUE(prompt.requests.empty());
}

TEST(HelpButtons, APageThatIsNotInstalledIsNamedInAMessage) {
  UrlCatcher browser;
  ScriptedPrompt prompt;
  ShowHelpPage(prompt, QStringLiteral("settings.html"), QStringLiteral("options"));
  EXPECT_TRUE(prompt.requests.empty());
  ShowHelpPage(prompt, QStringLiteral("no-such-page.html"));
  EXPECT_EQ(browser.opened.size(), 1);
  ASSERT_EQ(prompt.Ids(), std::vector<int>{IDS_HELP_PAGE_MISSING});
  EXPECT_NE(prompt.requests[0].text.find(Cp932("「no-such-page.html」")), std::string::npos);
}

}  // namespace

#include "HelpButtonsTest.moc"
