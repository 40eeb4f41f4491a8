#include "gui/app/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

#include "core/document/NuvoDoc.h"
#include "core/document/PreviewFile.h"
#include "core/net/ServerReply.h"
#include "gui/app/HtmlView.h"
#include "gui/app/NuvoApp.h"
#include "gui/app/NuvoView.h"
#include "gui/app/PreviewWindow.h"
#include "gui/app/QtWindowState.h"
#include "gui/common/QtText.h"
#include "gui/editing/NuvoTabsDialog.h"
#include "gui/submit/SubmitDialog.h"

namespace nuvo {
namespace {

// The pause before a notice of the version check appears in the message pane.
constexpr int kStatusNoticeDelayMs = 100;
// A move or resize counts as ended once the window has kept still this long.
constexpr int kPlacementSettleMs = 500;
// How far below the main window's top the separate preview window opens.
constexpr int kPreviewWindowDrop = 100;
const char kBarSection[] = "Bar\\State";
const char kBarKey[] = "Layout";

bool SideBySide(int previewPos) { return previewPos == 0 || previewPos == 1; }
bool Stacked(int previewPos) { return previewPos == 2 || previewPos == 3; }
bool HasSplitter(int previewPos) { return SideBySide(previewPos) || Stacked(previewPos); }

// Each layout remembers its own placement, with the size that suits it.
std::unique_ptr<CWindowState> MakeWindowState(CAppComm& comm, int previewPos) {
  if (SideBySide(previewPos)) {
    return std::make_unique<CWindowState>(comm, 0, 1220, 850, CWindowState::kAllowMaximize);
  }
  if (Stacked(previewPos)) {
    return std::make_unique<CWindowState>(comm, 1, 1045, 900, CWindowState::kAllowMaximize);
  }
  return std::make_unique<CWindowState>(comm, 2, 1125, 560, CWindowState::kAllowMaximize);
}

}  // namespace

CMainFrame::CMainFrame(CNuvoApp& app) : app_(app) {
  options_.Load(app_.Comm());
  previewPos_ = options_.previewPos;
  windowState_ = MakeWindowState(app_.Comm(), previewPos_);
  setObjectName(QStringLiteral("ZabutosoftNuvoClass"));
  setAcceptDrops(true);
  CreatePanes();
  CreateActions();
  CreateMenus();
  CreateToolBars();
  CreateStatusBar();
  app_.Document().Listeners().Add(this);
  previewTimer_.setSingleShot(true);
  previewTimer_.setInterval(kPreviewDelayMs);
  connect(&previewTimer_, &QTimer::timeout, this, &CMainFrame::RefreshPreview);
  statusTimer_.setSingleShot(true);
  statusTimer_.setInterval(kStatusNoticeDelayMs);
  connect(&statusTimer_, &QTimer::timeout, this, [this] {
    messagePane_->setText(pendingStatus_);
    pendingStatus_.clear();
  });
  placementTimer_.setSingleShot(true);
  placementTimer_.setInterval(kPlacementSettleMs);
  connect(&placementTimer_, &QTimer::timeout, this, [this] {
    if (isVisible() && !stateSaved_) SaveWindowState(*windowState_, *this);
  });
  const std::string barState = app_.Comm().GetProfileString(kBarSection, kBarKey);
  if (!barState.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(barState)));
  UpdateFromDocument();
}

CMainFrame::~CMainFrame() {
  // Closing moves the focus, and the commands must not be updated once the frame is going.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  app_.Document().Listeners().Remove(this);
  SaveState();
}

void CMainFrame::CreatePanes() {
  view_ = new CNuvoView;
  auto* sheet = new CNuvoTabsDialog(app_.Document(), app_.Prompt(), app_.Comm(), options_, this,
                                    SheetLayoutFor(previewPos_));
  sheet->SetSubmitRunner([this](const CSubmitSettings& settings, SubmitListing listing,
                                const SubmitRunOptions& runOptions) {
    return RunInWindow(app_.Network(), app_.ServiceProfile(), options_, settings,
                       std::move(listing), runOptions, this);
  });
  sheet_ = sheet;
  view_->SetSheet(sheet, sheet);
  if (HasSplitter(previewPos_)) {
    splitter_ = new QSplitter(SideBySide(previewPos_) ? Qt::Horizontal : Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    htmlFrame_ = new CHtmlFrame;
    const bool previewFirst = previewPos_ % 2 == 0;
    const int sheetSize = SideBySide(previewPos_) ? options_.sheetWidth : options_.sheetHeight;
    const int previewSize =
        SideBySide(previewPos_) ? options_.htmlFrmWidth : options_.htmlFrmHeight;
    splitter_->addWidget(previewFirst ? static_cast<QWidget*>(htmlFrame_) : view_);
    splitter_->addWidget(previewFirst ? static_cast<QWidget*>(view_) : htmlFrame_);
    splitter_->setSizes(previewFirst ? QList<int>{previewSize, sheetSize}
                                     : QList<int>{sheetSize, previewSize});
    // A wider window gives its extra room to the preview, not to the sheet.
    splitter_->setStretchFactor(splitter_->indexOf(htmlFrame_), 1);
    splitter_->setStretchFactor(splitter_->indexOf(view_), 0);
    setCentralWidget(splitter_);
  } else {
    setCentralWidget(view_);
    previewWnd_ = new CPreviewWndDialog(this);
    htmlFrame_ = &previewWnd_->Frame();
  }
  // The preview shows the listing's page and nothing else: a link clicked there goes nowhere.
  htmlFrame_->View().CommPage().SetLocked(true);
  connect(&htmlFrame_->View(), &CHtmlCommView::StatusText, this,
          [this](const QString& text) { statusBar()->showMessage(text); });
  view_->setFocus();
}

QAction* CMainFrame::Action(int id) const {
  auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

QString CMainFrame::MessagePaneText() const { return messagePane_->text(); }

void CMainFrame::ShowAtStart() {
  RestoreWindowState(*windowState_, *this);
  show();
  RestoreWindowMaximized(*windowState_, *this);
  if (previewWnd_ && options_.nuvoPreviewWndDialog != 0) {
    // Against the right edge of the screen, a little below the main window's top, so that the
    // sheet's left part stays in view beside it.
    const QRect work = screen()->availableGeometry();
    QRect placed(QPoint(), previewWnd_->size().boundedTo(work.size()));
    placed.moveTopRight(QPoint(work.right(), std::min(frameGeometry().top() + kPreviewWindowDrop,
                                                      work.bottom() - placed.height())));
    previewWnd_->setGeometry(placed);
    previewWnd_->show();
  }
  Action(command::kPreview)->setChecked(!previewWnd_ || previewWnd_->isVisible());
  SchedulePreview(kPreviewImmediately);
}

void CMainFrame::RefreshPreview() {
  previewTimer_.stop();
  const std::filesystem::path& work = app_.TempWorkName();
  if (work.empty()) return;
  if (!WritePreviewFile(app_.Document(), work, CPageOptions::FromAppOptions(options_))) return;
  const std::u8string page = PreviewFilePath(work).u8string();
  htmlFrame_->View().Navigate(QUrl::fromLocalFile(QString::fromUtf8(
      reinterpret_cast<const char*>(page.data()), static_cast<qsizetype>(page.size()))));
}

void CMainFrame::UpdateFromDocument() {
  setWindowTitle(app_.DocumentTitle() + QStringLiteral("[*] - ぬぼ"));
  RefreshMenus();
  UpdateRecentFileMenu();
}

void CMainFrame::PostStatusNotice(std::string& pendingNotice) {
  const std::string text = TakeStatusNotice(pendingNotice);
  if (text.empty()) return;
  pendingStatus_ = ToQString(text);
  statusTimer_.start();
}

void CMainFrame::NotifyChanged(std::uint32_t mask, std::int32_t selection) {
  view_->OnUpdate(mask, selection);
}

void CMainFrame::NotifyFocus(std::uint32_t mask) { view_->OnFocus(mask); }

void CMainFrame::SchedulePreview(std::uint32_t flags) {
  if (flags & kPreviewImmediately) {
    RefreshPreview();
    return;
  }
  // Every change starts the pause again, so typing regenerates the page once it stops.
  previewTimer_.start();
}

void CMainFrame::RefreshMenus() {
  setWindowModified(app_.Document().IsModified());
  Action(command::kUndo)->setEnabled(app_.CanUndo());
  Action(command::kRedo)->setEnabled(app_.CanRedo());
}

void CMainFrame::ShowPreview(bool shown) {
  if (previewWnd_) {
    previewWnd_->setVisible(shown);
  } else {
    htmlFrame_->setVisible(shown);
  }
  if (shown) SchedulePreview(kPreviewImmediately);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!app_.SaveModified()) {
    event->ignore();
    return;
  }
  app_.Comm().WriteProfileString(kBarSection, kBarKey, saveState().toBase64().toStdString());
  SaveState();
  event->accept();
}

void CMainFrame::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (isVisible()) placementTimer_.start();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (isVisible()) placementTimer_.start();
}

void CMainFrame::SaveState() {
  if (stateSaved_) return;
  stateSaved_ = true;
  previewTimer_.stop();
  placementTimer_.stop();
  // A hidden pane has no size worth remembering.
  if (splitter_ && htmlFrame_->isVisibleTo(this) && view_->isVisibleTo(this)) {
    const int sheet = splitter_->sizes().at(splitter_->indexOf(view_));
    const int preview = splitter_->sizes().at(splitter_->indexOf(htmlFrame_));
    if (SideBySide(previewPos_)) {
      options_.sheetWidth = sheet;
      options_.htmlFrmWidth = preview;
    } else {
      options_.sheetHeight = sheet;
      options_.htmlFrmHeight = preview;
    }
  }
  if (previewWnd_) {
    options_.nuvoPreviewWndDialog = previewWnd_->isVisible() ? 1 : 0;
    previewWnd_->close();
  }
  if (isVisible()) SaveWindowState(*windowState_, *this);
  options_.Save(app_.Comm());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    if (!app_.OpenDocumentFile(url.toLocalFile())) break;
  }
  event->acceptProposedAction();
}

}  // namespace nuvo
