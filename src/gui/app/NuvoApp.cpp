#include "gui/app/NuvoApp.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <chrono>
#include <clocale>

#include "core/app/SamplesFolder.h"
#include "core/common/MessageIds.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/PhotoReader.h"
#include "core/net/UserAgent.h"
#include "gui/app/AppFonts.h"
#include "gui/app/BundledSamples.h"
#include "gui/app/HtmlView.h"
#include "gui/app/MainFrame.h"
#include "gui/app/NuvoView.h"
#include "gui/app/QtSettingsBackend.h"
#include "gui/batch/BatchSubmitCommand.h"
#include "gui/common/MessageBoxPrompt.h"
#include "gui/common/QtText.h"
#include "gui/editing/NuvoTabsDialog.h"
#include "gui/net/BrowserCookieBridge.h"
#include "gui/net/NetworkSession.h"
#include "gui/net/PrivateSandbox.h"
#include "gui/submit/SubmitDialog.h"

namespace nuvo {

const QString CNuvoApp::kUntitledName = QStringLiteral("(無題)");
const QString CNuvoApp::kExtension = QStringLiteral(".nvd");
const QString CNuvoApp::kFilterName = QStringLiteral("ぬぼファイル (*.nvd)");
const QString CNuvoApp::kTypeName = QStringLiteral("ぬぼ文書");

namespace {

// The screenshot is taken once the first preview has loaded and had a moment to be drawn; a
// preview that never loads still gets its picture after the longest wait.
constexpr int kScreenshotPaintMs = 1000;
constexpr int kScreenshotLongestWaitMs = 20000;

// Message boxes belong to whichever window of the program is active when they are shown.
class CActiveWindowPrompt : public IUserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest& request) override {
    return CMessageBoxPrompt(QApplication::activeWindow()).Ask(request);
  }
};

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString FileFilter() { return CNuvoApp::kFilterName + QStringLiteral(";;すべてのファイル (*)"); }

}  // namespace

CNuvoApp::CNuvoApp(ISettingsBackend* settings, IUserPrompt* prompt)
    : settings_(settings), prompt_(prompt) {
  if (!prompt_) {
    ownPrompt_ = std::make_unique<CActiveWindowPrompt>();
    prompt_ = ownPrompt_.get();
  }
}

CNuvoApp::~CNuvoApp() { ExitInstance(); }

bool CNuvoApp::InitInstance(const QStringList& arguments) {
  // Japanese conventions for the C library and for Qt; numbers keep the C library's point so
  // that nothing written for a file or a page changes with the locale.
  std::setlocale(LC_ALL, "ja_JP.UTF-8");
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  // Qt's own texts (file dialogs, the edit boxes' context menus) in Japanese too.
  translator_ = std::make_unique<QTranslator>();
  if (translator_->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator_.get());
  }
  random_.seed(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count()));

  QCoreApplication::setOrganizationName(kOrganizationName);
  QCoreApplication::setApplicationName(kApplicationName);
  QGuiApplication::setApplicationDisplayName(QStringLiteral("ぬぼ"));
  if (!settings_) {
    ownSettings_ = std::make_unique<CQtSettingsBackend>();
    settings_ = ownSettings_.get();
  }
  comm_ = std::make_unique<CAppComm>(*settings_);
  recentFiles_ = std::make_unique<CRecentFileList>(*comm_);
  recentFiles_->Load();
  InstallSamplesFolder(*comm_, BundledSamplesFolder());

  QApplication::setFont(JapaneseUiFont());
  SetBrowserFontFamily(JapaneseFontFamily());
  SetExecutableName(QFileInfo(QCoreApplication::applicationFilePath()).baseName().toStdString());
  ApplyUserAgentSetting(*comm_);
  SetBrowserUserAgent(DefaultUserAgentKind());

  QString file;
  QString serviceFile;
  bool privateSandbox = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--screenshot") && i + 1 < arguments.size()) {
      screenshotPath_ = arguments[++i];
    } else if (arguments[i] == QStringLiteral("--service") && i + 1 < arguments.size()) {
      serviceFile = QFileInfo(arguments[++i]).absoluteFilePath();
    } else if (arguments[i] == QStringLiteral("--sandbox")) {
      privateSandbox = true;
    } else if (file.isEmpty() && !arguments[i].startsWith(QLatin1Char('-'))) {
      file = QFileInfo(arguments[i]).absoluteFilePath();
    }
  }

  // Nothing starts on a profile that was refused: the seller would not know where a listing goes.
  if (!ChooseService(serviceFile, privateSandbox)) return false;

  doc_ = std::make_unique<CNuvoDoc>(*settings_, *prompt_);
  frame_ = std::make_unique<CMainFrame>(*this);
  frame_->ShowServiceName(*service_);
  if (file.isEmpty() || IsPhotoFileName(ToPath(file))) {
    doc_->OnNewDocument();
    if (!file.isEmpty()) AddPhotoFile(file);
  } else if (!OpenListing(file)) {
    return false;
  }
  frame_->UpdateFromDocument();
  frame_->ShowAtStart();
  frame_->View().OnInitialUpdate();

  if (!screenshotPath_.isEmpty()) {
    auto shoot = [this] {
      if (screenshotTaken_) return;
      screenshotTaken_ = true;
      QScreen* screen = QGuiApplication::primaryScreen();
      if (screen) screen->grabWindow(0).save(screenshotPath_);
      frame_->close();
    };
    CHtmlCommView& preview = frame_->PreviewFrame().View();
    QObject::connect(&preview, &QWebEngineView::loadFinished, frame_.get(),
                     [this, shoot, &preview](bool ok) {
                       if (!ok || !preview.url().isLocalFile()) return;
                       QTimer::singleShot(kScreenshotPaintMs, frame_.get(), shoot);
                     });
    QTimer::singleShot(kScreenshotLongestWaitMs, frame_.get(), shoot);
  }
  return true;
}

int CNuvoApp::Run() {
  if (!InitInstance(QCoreApplication::arguments())) {
    ExitInstance();
    return 1;
  }
  const int code = QApplication::exec();
  ExitInstance();
  return code;
}

void CNuvoApp::ExitInstance() {
  frame_.reset();
  sandbox_.reset();
  workName_.Remove();
}

bool CNuvoApp::ChooseService(const QString& serviceFile, bool privateSandbox) {
  std::string error;
  if (privateSandbox) {
    sandbox_ = std::make_unique<CPrivateSandbox>();
    service_ = sandbox_->Start(error);
  } else {
    service_ = ChooseServiceProfile(serviceFile.toStdString(), *comm_, error);
  }
  if (!service_) {
    prompt_->Ask({0, error, PromptButtons::Ok, PromptIcon::Default, 0});
    return false;
  }
  // The embedded browser (the login pages among them) takes the application's proxy, so that
  // it reaches the service by the same way as the program's own requests.
  if (std::optional<QNetworkProxy> proxy = CNetworkSession::ProxyOf(service_->Proxy())) {
    QNetworkProxy::setApplicationProxy(*proxy);
  }
  return true;
}

CNuvoView* CNuvoApp::ActiveView() const { return frame_ ? &frame_->View() : nullptr; }

QString CNuvoApp::DocumentTitle() const {
  return path_.isEmpty() ? kUntitledName : QFileInfo(path_).fileName();
}

bool CNuvoApp::OpenDocumentFile(const QString& path) {
  if (frame_) {
    frame_->raise();
    frame_->activateWindow();
  }
  if (IsPhotoFileName(ToPath(path))) return AddPhotoFile(path);
  if (!SaveModified()) return false;
  return OpenListing(QFileInfo(path).absoluteFilePath());
}

bool CNuvoApp::OpenListing(const QString& path) {
  if (!doc_->OnOpenDocument(ToPath(path))) {
    // A file that has gone away leaves the recent list too.
    if (!QFileInfo::exists(path)) {
      recentFiles_->Remove(ToPath(path));
      recentFiles_->Save();
      if (frame_) frame_->UpdateFromDocument();
    }
    return false;
  }
  path_ = path;
  recentFiles_->Add(ToPath(path));
  recentFiles_->Save();
  ListingReplaced();
  return true;
}

bool CNuvoApp::AddPhotoFile(const QString& path) {
  CPhotoReader reader(*prompt_, frame_->Options().optionValue);
  if (!reader.AddPhoto(*doc_, ToPath(path))) return false;
  frame_->UpdateFromDocument();
  return true;
}

void CNuvoApp::ListingReplaced() {
  if (!frame_) return;
  frame_->UpdateFromDocument();
  frame_->View().OnInitialUpdate();
  frame_->SchedulePreview(kPreviewImmediately);
}

bool CNuvoApp::OnFileNew() {
  if (!SaveModified()) return false;
  doc_->OnNewDocument();
  path_.clear();
  ListingReplaced();
  return true;
}

void CNuvoApp::OnFileOpen() {
  if (!SaveModified()) return;
  const QString path = QFileDialog::getOpenFileName(frame_.get(), QStringLiteral("開く"),
                                                    QFileInfo(path_).absolutePath(), FileFilter());
  if (path.isEmpty()) return;
  OpenListing(path);
}

bool CNuvoApp::OnFileSave() {
  if (path_.isEmpty()) return OnFileSaveAs();
  return SaveListing(path_);
}

bool CNuvoApp::OnFileSaveAs() {
  QString suggested = path_;
  if (suggested.isEmpty()) {
    const std::optional<QString> title =
        doc_->GetTitle().empty() ? std::nullopt : std::optional(ToQString(doc_->GetTitle()));
    // The listing's title makes a good file name once the characters no file name takes are out.
    QString name = title.value_or(kUntitledName);
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    suggested = name + kExtension;
  }
  QString path = QFileDialog::getSaveFileName(frame_.get(), QStringLiteral("名前を付けて保存"),
                                              suggested, FileFilter());
  if (path.isEmpty()) return false;
  if (!path.endsWith(kExtension, Qt::CaseInsensitive)) path += kExtension;
  return SaveListing(path);
}

bool CNuvoApp::SaveListing(const QString& path) {
  if (!doc_->OnSaveDocument(ToPath(path))) return false;
  doc_->GetCommandHistory().MarkSaved();
  path_ = path;
  recentFiles_->Add(ToPath(path));
  recentFiles_->Save();
  if (frame_) frame_->UpdateFromDocument();
  return true;
}

void CNuvoApp::OpenRecentFile(int index) {
  const auto& entries = recentFiles_->Entries();
  if (index < 0 || index >= static_cast<int>(entries.size())) return;
  OpenDocumentFile(QString::fromStdU16String(entries[static_cast<std::size_t>(index)].u16string()));
}

bool CNuvoApp::SaveModified() {
  if (!doc_ || !doc_->IsModified()) return true;
  const std::string title = FromQString(DocumentTitle()).value_or(std::string());
  switch (AskMessage(*prompt_, IDS_SAVE_CHANGES, PromptButtons::YesNoCancel, {title}, 0,
                     PromptIcon::Default)) {
    case PromptAnswer::Yes:
      return OnFileSave();
    case PromptAnswer::No:
      return true;
    default:
      return false;
  }
}

CNetworkSession& CNuvoApp::Network() {
  if (!network_) {
    network_ = std::make_unique<CNetworkSession>();
    if (service_) network_->UseProxy(service_->Proxy());
    cookieBridge_ = std::make_unique<CBrowserCookieBridge>(
        *QWebEngineProfile::defaultProfile()->cookieStore(), network_->Cookies());
  }
  return *network_;
}

void CNuvoApp::OnSubmit() { frame_->Sheet().SubmitListing(nullptr); }

void CNuvoApp::OnBatchSubmit() { RunBatchSubmit(*this); }

bool CNuvoApp::OpenListingFrom(const QString& path, std::span<const std::uint8_t> bytes) {
  if (!doc_->LoadFromBytes(bytes)) return false;
  path_ = path;
  ListingReplaced();
  return true;
}

void CNuvoApp::OnUndo() {
  doc_->GetCommandHistory().Undo();
  if (frame_) frame_->UpdateFromDocument();
}

void CNuvoApp::OnRedo() {
  doc_->GetCommandHistory().Redo();
  if (frame_) frame_->UpdateFromDocument();
}

bool CNuvoApp::CanUndo() { return doc_ && doc_->GetCommandHistory().CanUndo(); }
bool CNuvoApp::CanRedo() { return doc_ && doc_->GetCommandHistory().CanRedo(); }

}  // namespace nuvo
