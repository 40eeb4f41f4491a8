#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <random>
#include <span>

#include "core/app/AppComm.h"
#include "core/app/SettingsBackend.h"
#include "core/common/UserPrompt.h"
#include "core/net/ServiceProfile.h"
#include "gui/app/RecentFileList.h"
#include "gui/app/TempWorkName.h"

class QTranslator;

// The desktop program: its start-up and shut-down, the one listing document and the file that
// holds it, the recent files, the temporary work name and the main frame. It owns the document
// and the frame; the settings backend and the prompt are its own unless the caller (a test)
// hands in others.
namespace nuvo {

class CBrowserCookieBridge;
class CMainFrame;
class CNetworkSession;
class CNuvoDoc;
class CNuvoView;
class CPrivateSandbox;

class CNuvoApp {
 public:
  // The document kind the program knows: its untitled name, extension, filter, type name.
  static const QString kUntitledName;
  static const QString kExtension;
  static const QString kFilterName;
  static const QString kTypeName;

  // Without `settings` the program's own settings store is opened at start; without `prompt`
  // messages show in message boxes.
  explicit CNuvoApp(ISettingsBackend* settings = nullptr, IUserPrompt* prompt = nullptr);
  ~CNuvoApp();
  CNuvoApp(const CNuvoApp&) = delete;
  CNuvoApp& operator=(const CNuvoApp&) = delete;

  // Starts the program with the command line `arguments` (the program's name first). False
  // when the file named there cannot be opened: the program ends then.
  bool InitInstance(const QStringList& arguments);
  // Start-up, the event loop and shut-down; the program's exit code.
  int Run();
  // Removes the work files; the frame has written the options and its placement when it closed.
  void ExitInstance();

  // Opens a listing file; a JPEG or GIF becomes a photo of the open listing instead.
  bool OpenDocumentFile(const QString& path);

  // The file commands; each asks first whether changes to the open listing are to be saved.
  bool OnFileNew();
  void OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();
  void OpenRecentFile(int index);
  // Asks whether the changed listing is to be saved and saves it when the answer is yes. False
  // when the seller cancels or saving fails.
  bool SaveModified();

  // Puts the open listing on the service ("出品(&S)...", F9).
  void OnSubmit();
  // Submits many saved listings one after another ("一括自動出品(&U)...").
  void OnBatchSubmit();
  // Makes the listing held in `bytes`, as read from `path`, the open listing, as opening that
  // file would; a batch submits exactly the bytes it fingerprinted.
  bool OpenListingFrom(const QString& path, std::span<const std::uint8_t> bytes);
  // The program's one network session, with the cookie jar the browser shares; made on first
  // use.
  CNetworkSession& Network();

  void OnUndo();
  void OnRedo();
  bool CanUndo();
  bool CanRedo();

  CMainFrame* MainFrame() const { return frame_.get(); }
  CNuvoView* ActiveView() const;
  CAppComm& Comm() { return *comm_; }
  CNuvoDoc& Document() { return *doc_; }
  IUserPrompt& Prompt() { return *prompt_; }
  CRecentFileList& RecentFiles() { return *recentFiles_; }
  // The open listing's file; empty while it is untitled.
  const QString& DocumentPath() const { return path_; }
  // The name the title bar shows: the file's name, or "(無題)".
  QString DocumentTitle() const;
  // The service this run submits to: "--service FILE", "--sandbox", the "ServiceProfile"
  // setting or the real service.
  const CServiceProfile& ServiceProfile() const { return *service_; }
  // The work file the preview files are named after, made on first request.
  const std::filesystem::path& TempWorkName() { return workName_.Get(); }

 private:
  bool OpenListing(const QString& path);
  bool SaveListing(const QString& path);
  bool AddPhotoFile(const QString& path);
  void ListingReplaced();
  bool ChooseService(const QString& serviceFile, bool privateSandbox);

  std::unique_ptr<QTranslator> translator_;
  std::unique_ptr<ISettingsBackend> ownSettings_;
  ISettingsBackend* settings_;
  std::unique_ptr<IUserPrompt> ownPrompt_;
  IUserPrompt* prompt_;
  std::mt19937 random_;
  CTempWorkName workName_{random_};
  std::unique_ptr<CAppComm> comm_;
  std::unique_ptr<CRecentFileList> recentFiles_;
  std::unique_ptr<CNuvoDoc> doc_;
  std::unique_ptr<CPrivateSandbox> sandbox_;
  std::optional<CServiceProfile> service_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<CNetworkSession> network_;
  std::unique_ptr<CBrowserCookieBridge> cookieBridge_;
  QString path_;
  QString screenshotPath_;
  bool screenshotTaken_ = false;
};

}  // namespace nuvo
