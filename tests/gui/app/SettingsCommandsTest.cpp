#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QToolBar>

#include "AppTestSupport.h"
#include "core/app/AppComm.h"
#include "core/net/UserAgent.h"
#include "gui/app/HelpPages.h"
#include "gui/app/HtmlView.h"
#include "gui/app/MainFrame.h"
#include "gui/app/NuvoApp.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

class SettingsCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    agentBefore_ = DefaultUserAgentKind();
    backend_ = settings_.Open();
    app_ = std::make_unique<CNuvoApp>(backend_.get(), &prompt_);
    ASSERT_TRUE(app_->InitInstance({QStringLiteral("nuvo")}));
  }
  void TearDown() override {
    app_->ExitInstance();
    // The agent is the process's: later tests meet the one they would have met.
    SetDefaultUserAgentKind(agentBefore_);
    SetBrowserUserAgent(agentBefore_);
  }

  // Runs command `id` and, in the dialog it opens, clicks the button named `choice` and OK.
  void Choose(int id, const char* choice) {
    QTimer::singleShot(0, [choice] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* button = dialog->findChild<QAbstractButton*>(QString::fromUtf8(choice));
      ASSERT_NE(button, nullptr) << choice;
      button->click();
      dialog->accept();
    });
    app_->MainFrame()->Action(id)->trigger();
  }

  int Setting(const char* key) { return CAppComm(*settings_.Open()).GetSettingsInt(key, -1); }

  TestSettings settings_;
  std::unique_ptr<CQtSettingsBackend> backend_;
  ScriptedPrompt prompt_;
  std::unique_ptr<CNuvoApp> app_;
  int agentBefore_ = 0;
};

TEST_F(SettingsCommandsTest, TheLayoutIsKeptForTheNextStartAndTheWindowStaysAsItIs) {
  CMainFrame& frame = *app_->MainFrame();
  const int shown = frame.PreviewPos();
  Choose(command::kLayoutSettings, "previewPos3");
  EXPECT_EQ(Setting("PreviewPos"), 3);
  EXPECT_EQ(frame.PreviewPos(), shown);
  Choose(command::kLayoutSettings, "previewPos4");
  EXPECT_EQ(Setting("PreviewPos"), 4);
}

TEST_F(SettingsCommandsTest, PageAccessChangesTheAgentAtOnce) {
  Choose(command::kPageAccessSettings, "userAgent1");
  EXPECT_EQ(Setting("UserAgentSettingType"), 1);
  EXPECT_EQ(DefaultUserAgentKind(), kProgramAgent);
  Choose(command::kPageAccessSettings, "userAgent0");
  EXPECT_EQ(Setting("UserAgentSettingType"), 0);
  EXPECT_EQ(DefaultUserAgentKind(), kBrowserAgent);
}

TEST_F(SettingsCommandsTest, TheToolBarColourIsShownAndKept) {
  CMainFrame& frame = *app_->MainFrame();
  EXPECT_TRUE(frame.Action(command::kColorSettings)->isEnabled());
  frame.SetToolBarColor(0x00FF8000);  // blue 0xFF, green 0x80, red 0
  EXPECT_EQ(Setting("ColorToolBarBg"), 0x00FF8000);
  for (const char* name : {"StandardBar", "DecorateBar"}) {
    auto* bar = frame.findChild<QToolBar*>(QString::fromUtf8(name));
    ASSERT_NE(bar, nullptr) << name;
    EXPECT_TRUE(bar->styleSheet().contains(QStringLiteral("#0080ff"))) << name;
  }
}

TEST_F(SettingsCommandsTest, TheStandardBarOffersUndoBeforeRedoInEverydayWords) {
  CMainFrame& frame = *app_->MainFrame();
  auto* bar = frame.findChild<QToolBar*>(QStringLiteral("StandardBar"));
  ASSERT_NE(bar, nullptr);
  const QList<QAction*> actions = bar->actions();
  const auto undo = actions.indexOf(frame.Action(command::kUndo));
  const auto redo = actions.indexOf(frame.Action(command::kRedo));
  ASSERT_GE(undo, 0);
  EXPECT_EQ(redo, undo + 1);
  EXPECT_EQ(actions[undo]->iconText(), QStringLiteral("元に戻す"));
  EXPECT_EQ(actions[redo]->iconText(), QStringLiteral("やり直し"));
}

TEST_F(SettingsCommandsTest, EveryHelpEntryHasItsPage) {
  EXPECT_TRUE(app_->MainFrame()->Action(command::kHelpContents)->isEnabled());
  EXPECT_FALSE(HelpPageFile(QStringLiteral("index.html")).isEmpty());
  // The dialogs' help buttons open the settings page at their own part.
  QFile settings(HelpPageFile(QStringLiteral("settings.html")));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(settings.readAll());
  for (const char* part : {"layout", "color", "page-access"}) {
    EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(QLatin1String(part)))) << part;
  }
}

}  // namespace
