#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/app/AppOptions.h"
#include "core/app/WindowState.h"
#include "core/document/DocumentListener.h"
#include "core/net/ServiceProfile.h"

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

// The main window: the listing view and the preview in one of the layouts "PreviewPos" chooses,
// the menu, two tool bars and the status bar. It owns the application options (read when it is
// made, written when it closes), its remembered placement and the separate preview window. It
// hears the document's change notices and regenerates the preview after a short pause.
namespace nuvo {

class CHtmlFrame;
class CNuvoApp;
class CNuvoTabsDialog;
class CNuvoView;
class CPreviewWndDialog;

// The program's command ids, shared by the menu, the tool bars and the tests.
namespace command {
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kBatchSubmit = 40000;
inline constexpr int kRecentFile1 = 57616;
inline constexpr int kAppExit = 57665;
inline constexpr int kSubmit = 40010;
inline constexpr int kPaidOptions = 40013;
inline constexpr int kSelectCategory = 40014;
inline constexpr int kNetImages = 40015;
inline constexpr int kSubmitSettings = 40012;
inline constexpr int kBanners = 40016;
inline constexpr int kSizeWeight = 40017;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kFind = 57636;
inline constexpr int kFindPrevious = 40040;
inline constexpr int kFindNext = 40041;
inline constexpr int kReplace = 57641;
inline constexpr int kPreview = 40050;
inline constexpr int kRefreshPreview = 40070;
inline constexpr int kOptions = 40060;
inline constexpr int kLayoutSettings = 40061;
inline constexpr int kTemplateSettings = 40062;
inline constexpr int kDecorateSettings = 40063;
inline constexpr int kToolBarSettings = 40064;
inline constexpr int kColorSettings = 40065;
inline constexpr int kPageAccessSettings = 40249;
inline constexpr int kHelpContents = 57666;
inline constexpr int kAbout = 57664;
}  // namespace command

class CMainFrame : public QMainWindow, public IDocumentListener {
  Q_OBJECT

 public:
  // The pause between the last change and the preview's regeneration.
  static constexpr int kPreviewDelayMs = 500;

  explicit CMainFrame(CNuvoApp& app);
  ~CMainFrame() override;

  // The layout chosen when the frame was made: 0..3, or any other value for the separate window.
  int PreviewPos() const { return previewPos_; }
  CAppOptions& Options() { return options_; }
  CNuvoView& View() { return *view_; }
  // The editor sheet, through which the listing is submitted.
  CNuvoTabsDialog& Sheet() { return *sheet_; }
  CHtmlFrame& PreviewFrame() { return *htmlFrame_; }
  QSplitter* Splitter() { return splitter_; }
  CPreviewWndDialog* PreviewWindow() { return previewWnd_; }
  QAction* Action(int id) const;
  const QTimer& PreviewTimer() const { return previewTimer_; }
  QString MessagePaneText() const;

  // Shows the frame with its remembered placement, the separate preview window when it is
  // wanted, and the first preview.
  void ShowAtStart();

  // Writes the preview page and shows it now.
  void RefreshPreview();
  // The title, the modified mark, the recent files and the enabled commands, from the document.
  void UpdateFromDocument();

  // Names the service in the status bar when it is not the real one, so that a seller never
  // takes the sandbox for the auction service.
  void ShowServiceName(const CServiceProfile& profile);
  QString ServicePaneText() const;

  // Shows the pending notice of the version check in the message pane a moment from now.
  void PostStatusNotice(std::string& pendingNotice);

  void NotifyChanged(std::uint32_t mask, std::int32_t selection) override;
  void NotifyFocus(std::uint32_t mask) override;
  void SchedulePreview(std::uint32_t flags) override;
  void RefreshMenus() override;

  // The settings commands' effects: written to the options at once and shown now.
  void SetToolBarColor(int bgr);
  void SetUserAgentSetting(int setting);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreatePanes();
  void CreateActions();
  void CreateMenus();
  // The decoration commands act on the decorated editor that has the focus and show its state.
  void ConnectDecorateCommands();
  void UpdateDecorateCommands();
  void CreateToolBars();
  void CreateStatusBar();
  QAction* AddCommand(int id, const QString& text, const QKeySequence& shortcut,
                      const QString& tip);
  void UpdateRecentFileMenu();
  void ShowPreview(bool shown);
  void ShowAbout();
  // The listing's internet images and the seller's common banners.
  void EditInternetImages();
  void EditBanners();
  void ConnectSettingsCommands();
  void ApplyToolBarColor();
  // The closing steps that outlast the window: pane sizes, the preview window, the placement
  // and the options. Done once.
  void SaveState();

  CNuvoApp& app_;
  CAppOptions options_;
  int previewPos_;
  std::unique_ptr<CWindowState> windowState_;
  QSplitter* splitter_ = nullptr;
  CNuvoView* view_ = nullptr;
  CNuvoTabsDialog* sheet_ = nullptr;
  CHtmlFrame* htmlFrame_ = nullptr;
  CPreviewWndDialog* previewWnd_ = nullptr;
  std::map<int, QAction*> actions_;
  QMenu* fileMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QAction* recentFilesAnchor_ = nullptr;
  std::vector<QAction*> recentFileActions_;
  QToolBar* standardBar_ = nullptr;
  QToolBar* decorateBar_ = nullptr;
  QLabel* messagePane_ = nullptr;
  QAction* statusBarToggle_ = nullptr;
  QLabel* servicePane_ = nullptr;
  QTimer previewTimer_;
  QTimer statusTimer_;
  // Remembers the placement once the window has stopped moving or changing size.
  QTimer placementTimer_;
  QString pendingStatus_;
  bool stateSaved_ = false;
};

}  // namespace nuvo
