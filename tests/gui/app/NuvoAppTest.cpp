#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QSplitter>
#include <QWebEnginePage>
#include <fstream>
#include <iterator>

#include "AppTestSupport.h"
#include "core/app/AppComm.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/document/NuvoDoc.h"
#include "core/document/PreviewFile.h"
#include "gui/app/HtmlView.h"
#include "gui/app/MainFrame.h"
#include "gui/app/NuvoApp.h"
#include "gui/app/NuvoView.h"
#include "gui/app/PreviewWindow.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

constexpr int kRendererStartMs = 30000;

// Writes a listing file with `title` through the document's own writer.
std::filesystem::path WriteListing(const std::filesystem::path& dir, const std::string& title) {
  CMemorySettings settings;
  ScriptedPrompt prompt;
  CNuvoDoc doc(settings, prompt);
  doc.OnNewDocument();
  doc.SetTitle(Cp932(title));
  const std::filesystem::path path = dir / "listing.nvd";
  EXPECT_TRUE(doc.OnSaveDocument(path));
  return path;
}

class NuvoAppTest : public ::testing::Test {
 protected:
  // Starts the program with "PreviewPos" `previewPos` and the given command line file.
  std::unique_ptr<CNuvoApp> Start(int previewPos, const QString& file = {}) {
    backend_ = settings_.Open();
    CAppComm(*backend_).WriteSettingsInt("PreviewPos", previewPos);
    auto app = std::make_unique<CNuvoApp>(backend_.get(), &prompt_);
    QStringList arguments{QStringLiteral("nuvo")};
    if (!file.isEmpty()) arguments << file;
    started_ = app->InitInstance(arguments);
    return app;
  }

  int Setting(const char* key) { return CAppComm(*settings_.Open()).GetSettingsInt(key, -1); }

  TestSettings settings_;
  std::unique_ptr<CQtSettingsBackend> backend_;
  ScriptedPrompt prompt_;
  bool started_ = false;
};

}  // namespace

TEST_F(NuvoAppTest, StartsWithTheListingNamedOnTheCommandLine) {
  const std::filesystem::path file = WriteListing(settings_.Dir(), "万年筆 モンブラン");
  auto app = Start(1, ToQPath(file));
  ASSERT_TRUE(started_);
  EXPECT_TRUE(prompt_.requests.empty()) << prompt_.Ids()[0];
  EXPECT_EQ(Utf8FromCp932(app->Document().GetTitle()), "万年筆 モンブラン");
  EXPECT_EQ(app->MainFrame()->windowTitle(), QStringLiteral("listing.nvd[*] - ぬぼ"));
  ASSERT_EQ(app->RecentFiles().Entries().size(), 1u);
  EXPECT_EQ(app->RecentFiles().Entries()[0], file);
  EXPECT_FALSE(CAppComm(*backend_).GetInstallationString("Samples").empty());
  // Qt's own texts speak Japanese as well.
  EXPECT_NE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Undo"));

  // The first preview is written at once and shown in the preview pane.
  const std::filesystem::path page = PreviewFilePath(app->TempWorkName());
  EXPECT_TRUE(std::filesystem::exists(page));
  ASSERT_TRUE(WaitUntil([&] {
    return app->MainFrame()->PreviewFrame().View().url() == QUrl::fromLocalFile(ToQPath(page));
  }));

  // A notice of the version check appears in the message pane a moment later, once.
  std::string notice = Cp932("新しいバージョンを公開しました");
  app->MainFrame()->PostStatusNotice(notice);
  ASSERT_TRUE(WaitUntil([&] { return app->MainFrame()->MessagePaneText() != "レディ"; }));
  EXPECT_TRUE(app->MainFrame()->MessagePaneText().endsWith("新しいバージョンを公開しました"));
  app->ExitInstance();
  EXPECT_FALSE(std::filesystem::exists(page));
}

TEST_F(NuvoAppTest, AFileThatCannotBeOpenedEndsStartUpWithItsMessage) {
  auto app = Start(1, ToQPath(settings_.Dir() / "missing.nvd"));
  EXPECT_FALSE(started_);
  EXPECT_EQ(prompt_.Ids(), std::vector<int>{IDS_FILE_NOT_FOUND});
}

TEST_F(NuvoAppTest, APhotoOnTheCommandLineOrDroppedBecomesAPhotoOfTheListing) {
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  const QString photo = ToQPath(settings_.Dir() / "camera.jpg");
  ASSERT_TRUE(image.save(photo, "JPG"));
  auto app = Start(1, photo);
  ASSERT_TRUE(started_);
  EXPECT_EQ(app->Document().GetPhotoData().size(), 1u);
  EXPECT_EQ(app->DocumentPath(), QString());
  EXPECT_TRUE(app->Document().IsModified());

  EXPECT_TRUE(app->OpenDocumentFile(photo));
  EXPECT_EQ(app->Document().GetPhotoData().size(), 2u);
  EXPECT_TRUE(prompt_.requests.empty());

  // Each photo is one step of the undo history, and the menu follows the history.
  CMainFrame& frame = *app->MainFrame();
  EXPECT_TRUE(frame.Action(command::kUndo)->isEnabled());
  EXPECT_FALSE(frame.Action(command::kRedo)->isEnabled());
  frame.Action(command::kUndo)->trigger();
  EXPECT_EQ(app->Document().GetPhotoData().size(), 1u);
  EXPECT_TRUE(frame.Action(command::kRedo)->isEnabled());
  frame.Action(command::kUndo)->trigger();
  EXPECT_FALSE(frame.Action(command::kUndo)->isEnabled());
  EXPECT_FALSE(app->Document().IsModified());
  EXPECT_FALSE(frame.isWindowModified());
}

TEST_F(NuvoAppTest, EachPreviewPosPlacesThePanesAndClosingRemembersTheirSizes) {
  struct Layout {
    int previewPos;
    Qt::Orientation orientation;
    int previewIndex;
    const char* sheetKey;
    const char* previewKey;
    const char* otherKey;
  };
  const Layout layouts[] = {
      {0, Qt::Horizontal, 0, "SheetWidth", "HtmlFrmWidth", "SheetHeight"},
      {1, Qt::Horizontal, 1, "SheetWidth", "HtmlFrmWidth", "SheetHeight"},
      {2, Qt::Vertical, 0, "SheetHeight", "HtmlFrmHeight", "SheetWidth"},
      {3, Qt::Vertical, 1, "SheetHeight", "HtmlFrmHeight", "SheetWidth"},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.previewPos);
    {
      auto backend = settings_.Open();
      CAppComm(*backend).WriteSettingsInt(layout.otherKey, 123);
    }
    auto app = Start(layout.previewPos);
    ASSERT_TRUE(started_);
    CMainFrame& frame = *app->MainFrame();
    QSplitter* splitter = frame.Splitter();
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->orientation(), layout.orientation);
    EXPECT_EQ(splitter->widget(layout.previewIndex), &frame.PreviewFrame());
    EXPECT_EQ(splitter->widget(1 - layout.previewIndex), &frame.View());
    EXPECT_EQ(frame.PreviewWindow(), nullptr);

    splitter->setSizes(layout.previewIndex == 0 ? QList<int>{250, 200} : QList<int>{200, 250});
    const QList<int> sizes = splitter->sizes();
    EXPECT_TRUE(frame.close());
    app.reset();
    EXPECT_EQ(Setting(layout.previewKey), sizes[layout.previewIndex]);
    EXPECT_EQ(Setting(layout.sheetKey), sizes[1 - layout.previewIndex]);
    EXPECT_EQ(Setting(layout.otherKey), 123);
  }
}

TEST_F(NuvoAppTest, AnyOtherPreviewPosShowsThePreviewInItsOwnWindow) {
  auto app = Start(5);
  ASSERT_TRUE(started_);
  CMainFrame& frame = *app->MainFrame();
  EXPECT_EQ(frame.Splitter(), nullptr);
  EXPECT_EQ(frame.centralWidget(), &frame.View());
  ASSERT_NE(frame.PreviewWindow(), nullptr);
  EXPECT_TRUE(frame.PreviewWindow()->isVisible());

  // Hiding the preview is remembered for the next start.
  frame.Action(command::kPreview)->trigger();
  EXPECT_FALSE(frame.PreviewWindow()->isVisible());
  EXPECT_TRUE(frame.close());
  EXPECT_EQ(Setting("NuvoPreviewWndDialog"), 0);
}

TEST_F(NuvoAppTest, ClosingAChangedListingAsksFirst) {
  auto app = Start(1);
  ASSERT_TRUE(started_);
  app->Document().SetModifiedFlag(true);
  prompt_.Queue(PromptAnswer::Cancel);
  EXPECT_FALSE(app->MainFrame()->close());
  ASSERT_EQ(prompt_.requests.size(), 1u);
  EXPECT_EQ(prompt_.requests[0].messageId, IDS_SAVE_CHANGES);
  EXPECT_EQ(Utf8FromCp932(prompt_.requests[0].text), "(無題) への変更を保存しますか?");
  EXPECT_EQ(prompt_.requests[0].buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(Setting("OptionValue"), -1);  // nothing written while the window stays

  prompt_.Queue(PromptAnswer::No);
  EXPECT_TRUE(app->MainFrame()->close());
  EXPECT_NE(Setting("OptionValue"), -1);
}

TEST_F(NuvoAppTest, ThePreviewIsRegeneratedOnceChangesPause) {
  auto app = Start(1);
  ASSERT_TRUE(started_);
  CMainFrame& frame = *app->MainFrame();
  const std::filesystem::path page = PreviewFilePath(app->TempWorkName());
  ASSERT_TRUE(WaitUntil([&] { return frame.PreviewFrame().View().url().isLocalFile(); }));

  app->Document().SetTitle(Cp932("懐中時計"));
  frame.SchedulePreview(kPreviewDeferred);
  EXPECT_TRUE(frame.PreviewTimer().isActive());
  Pump(300);
  // A second change before the pause is over starts it again.
  frame.SchedulePreview(kPreviewDeferred);
  EXPECT_TRUE(WaitUntil([&] { return !frame.PreviewTimer().isActive(); }, 2000));

  std::ifstream in(page, std::ios::binary);
  const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(html.find(Cp932("懐中時計")), std::string::npos);

  // A request for an immediate preview does not wait.
  frame.SchedulePreview(kPreviewImmediately);
  EXPECT_FALSE(frame.PreviewTimer().isActive());
}

TEST_F(NuvoAppTest, ThePreviewRefusesToLeaveTheListing) {
  auto app = Start(1);
  ASSERT_TRUE(started_);
  CHtmlCommView& view = app->MainFrame()->PreviewFrame().View();
  ASSERT_TRUE(WaitUntil([&] { return view.url().isLocalFile(); }));
  ASSERT_TRUE(WaitUntil([&] { return !view.page()->isLoading(); }));
  const QUrl listing = view.url();

  QUrl refused;
  QObject::connect(&view.CommPage(), &CHtmlCommPage::NavigationRefused,
                   [&](const QUrl& url) { refused = url; });
  const QUrl away(QStringLiteral("https://example.com/elsewhere.html"));
  QWebEnginePage* page = view.page();
  const auto leave = [page, away] {
    page->runJavaScript(QStringLiteral("window.location.href = '%1';").arg(away.toString()));
  };
  // A preview regenerated meanwhile drops the script with its document: it runs again on each
  // load, and a renderer starts slowly while other tests take the processors.
  QObject::connect(page, &QWebEnginePage::loadFinished, page, leave);
  leave();
  ASSERT_TRUE(WaitUntil([&] { return !refused.isEmpty(); }, kRendererStartMs));
  EXPECT_EQ(refused, away);
  Pump(100);
  EXPECT_EQ(view.url(), listing);
}

TEST(HtmlCommViewTest, AnAddressMeantForANewWindowOpensInTheSameView) {
  CHtmlCommView view;
  // The page is not loading yet right after the request, so only the finished load says that
  // the script below runs in the page asked for and is not dropped with the document before it.
  QSignalSpy loaded(view.page(), &QWebEnginePage::loadFinished);
  view.Navigate(QUrl(QStringLiteral("about:blank")));
  // A renderer starts slowly while other tests take the processors.
  ASSERT_TRUE(WaitUntil([&] { return !loaded.isEmpty(); }, kRendererStartMs));
  view.page()->runJavaScript(QStringLiteral("window.open('https://example.invalid/item');"));
  EXPECT_TRUE(WaitUntil([&] { return view.url().host() == QStringLiteral("example.invalid"); },
                        kRendererStartMs));
}

TEST_F(NuvoAppTest, NamesAChosenServiceInTheStatusBarAndRefusesToStartOnABadProfile) {
  backend_ = settings_.Open();
  const std::filesystem::path good = settings_.Dir() / "local.json";
  std::ofstream(good) << R"({"name": "検証用", "roles": {"sell": "http://127.0.0.1:1",
      "login": "http://127.0.0.1:2", "protect": "http://127.0.0.1:3",
      "contact": "http://127.0.0.1:4", "image": "http://127.0.0.1:5",
      "announcement": "http://127.0.0.1:6", "listing": "http://127.0.0.1:7",
      "main": "http://127.0.0.1:8"}})";
  {
    CNuvoApp app(backend_.get(), &prompt_);
    ASSERT_TRUE(
        app.InitInstance({QStringLiteral("nuvo"), QStringLiteral("--service"), ToQPath(good)}));
    EXPECT_EQ(app.ServiceProfile().BaseUrl(ServiceRole::Sell), "http://127.0.0.1:1");
    EXPECT_EQ(app.MainFrame()->ServicePaneText(), QStringLiteral("接続先：検証用"));
  }
  {
    CNuvoApp app(backend_.get(), &prompt_);
    ASSERT_TRUE(app.InitInstance({QStringLiteral("nuvo")}));
    EXPECT_TRUE(app.ServiceProfile().IsDefault());
    EXPECT_TRUE(app.MainFrame()->ServicePaneText().isEmpty());
  }
  const std::filesystem::path bad = settings_.Dir() / "bad.json";
  std::ofstream(bad) << R"({"roles": {"sell": "gopher://127.0.0.1:1"}})";
  CNuvoApp app(backend_.get(), &prompt_);
  EXPECT_FALSE(
      app.InitInstance({QStringLiteral("nuvo"), QStringLiteral("--service"), ToQPath(bad)}));
  ASSERT_EQ(prompt_.requests.size(), 1u);
  EXPECT_NE(Utf8FromCp932(prompt_.requests[0].text).find("bad.json"), std::string::npos);
  EXPECT_EQ(app.MainFrame(), nullptr);
}
