#include "gui/net/CategoryReferDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWebEngineView>
#include <fstream>

#include "LocalServer.h"
#include "core/app/AppOptions.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/net/CategoryPage.h"
#include "gui/net/NetworkSession.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

// Runs the event loop until `done` holds or `ms` have passed.
template <typename Done>
bool WaitFor(Done done, int ms = 10000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return done();
}

class CategoryDialogTest : public ::testing::Test {
 protected:
  CCategoryReferDialog& Open(std::vector<CategoryItem> history = {}) {
    dialog = std::make_unique<CCategoryReferDialog>(
        app, options, catalogue, prompt, std::move(history), CategoryItem{}, nullptr, &session);
    return *dialog;
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = dialog->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  TempDir dir;
  CMemorySettings settings;
  CAppComm app{settings};
  CAppOptions options;
  CCategoryCatalogue catalogue{NUVO_CATEGORIES_DIR};
  ScriptedPrompt prompt;
  CNetworkSession session{QString::fromStdString((dir.path() / "cookies.txt").string())};
  std::unique_ptr<CCategoryReferDialog> dialog;
};

TEST_F(CategoryDialogTest, KeywordSearchChoosesTheBestMatchAndRemembersTheWords) {
  Open();
  auto* words = Find<QComboBox>("keywords");
  words->setEditText(QStringLiteral("ﾉｰﾄ　ぱそこん"));
  emit words->lineEdit()->returnPressed();
  auto* results = Find<QTreeWidget>("results");
  ASSERT_GT(results->topLevelItemCount(), 1);
  EXPECT_EQ(dialog->Chosen().id, 2084049583);
  EXPECT_EQ(dialog->Chosen().name, Cp932("コンピュータ > サプライ > ケース > ノートパソコン用"));
  dialog->accept();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(app.GetProfileString("AuctionCategory", "Keyword1"), Cp932("ﾉｰﾄ　ぱそこん"));
}

TEST_F(CategoryDialogTest, OkWithoutACategoryKeepsTheDialogOpen) {
  Open();
  dialog->show();
  dialog->accept();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(prompt.requests.size(), 1u);
}

// The service's category pages, served on 127.0.0.1 as the listing host.
TEST_F(CategoryDialogTest, ServicePagesAreShownCleanedAndAClickOnASellFormChoosesItsCategory) {
  LocalServer<> local;
  local.server.Get("/jp/0-submit.html", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(
        "<html><head><meta charset=\"UTF-8\"><script>document.title='x'</script></head><body>"
        "<a id=\"book\" href=\"/jp/show/submit?category=2084\">本</a>"
        "<div class=\"acWrFooter\">footer</div></body></html>",
        "text/html; charset=UTF-8");
  });
  local.Start();
  const std::filesystem::path profile = dir.path() / "profile.json";
  std::ofstream(profile) << "{\"roles\": {\"sell\": \"" << local.Url("") << "\", \"login\": \""
                         << local.Url("") << "\", \"protect\": \"" << local.Url("")
                         << "\", \"contact\": \"" << local.Url("") << "\", \"image\": \""
                         << local.Url("") << "\", \"announcement\": \"" << local.Url("")
                         << "\", \"listing\": \"" << local.Url("") << "\", \"main\": \""
                         << local.Url("") << "\"}}";
  app.WriteSettingsString("ServiceProfile", profile.string());

  Open();
  dialog->show();
  Find<QTabWidget>("tabs")->setCurrentIndex(4);
  auto* web = dialog->findChild<QWebEngineView*>(QStringLiteral("servicePages"));
  ASSERT_NE(web, nullptr);
  ASSERT_TRUE(WaitFor([&] { return web->url().isLocalFile() && !web->page()->isLoading(); }));
  const std::filesystem::path file = web->url().toLocalFile().toStdString();
  EXPECT_EQ(file.filename(), "cate_web_0-submit.htm");
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(text.find("script"), std::string::npos);
  EXPECT_EQ(text.find("footer"), std::string::npos);
  EXPECT_NE(text.find("href=\"" + local.Url("/jp/show/submit?category=2084") + "\""),
            std::string::npos);

  web->page()->runJavaScript(QStringLiteral("document.getElementById('book').click();"));
  ASSERT_TRUE(WaitFor([&] { return dialog->result() == QDialog::Accepted; }));
  EXPECT_EQ(dialog->Chosen().id, 2084);
  EXPECT_EQ(web->url().toLocalFile().toStdString(), file.string()) << "the link was not followed";
  EXPECT_EQ(app.GetProfileString("AuctionCategory", "LastPage"), local.Url("/jp/0-submit.html"));
}

}  // namespace
