#include "gui/app/HtmlView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <string>

#include "core/net/UserAgent.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

// Addresses compared without their fragment: a jump to "#top" stays on the same page.
bool SamePage(const QUrl& a, const QUrl& b) {
  return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

// Stands in for a new window for as long as it takes to learn the address meant for it, then
// sends its opener there and goes.
class CNewWindowCatcher : public QWebEnginePage {
 public:
  CNewWindowCatcher(QWebEnginePage& opener, QWebEngineProfile* profile)
      : QWebEnginePage(profile, &opener), opener_(opener) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    if (!isMainFrame) return false;
    // A window opened blank is written into by its opener's script; it opens in the opener.
    if (url != QUrl(QStringLiteral("about:blank"))) opener_.setUrl(url);
    deleteLater();
    return false;
  }

 private:
  QWebEnginePage& opener_;
};

}  // namespace

CHtmlCommPage::CHtmlCommPage(QObject* parent) : QWebEnginePage(parent) {
  // The service's pages open windows from their scripts; createWindow keeps them in this view.
  settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
}

bool CHtmlCommPage::acceptNavigationRequest(const QUrl& url, NavigationType type,
                                            bool isMainFrame) {
  if (!locked_ || !isMainFrame || SamePage(url, requestedUrl_)) {
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
  }
  emit NavigationRefused(url);
  return false;
}

QWebEnginePage* CHtmlCommPage::createWindow(WebWindowType) {
  if (locked_) return nullptr;
  return new CNewWindowCatcher(*this, profile());
}

CHtmlCommView::CHtmlCommView(QWidget* parent)
    : QWebEngineView(parent), page_(new CHtmlCommPage(this)) {
  setPage(page_);
  // Files dropped here belong to the main window, which opens them.
  setAcceptDrops(false);
  refreshAction_ = new QAction(QStringLiteral("更新(&R)"), this);
  refreshAction_->setShortcut(QKeySequence(Qt::Key_F5));
  // A window shortcut of the window the view is in: the main window or the separate preview
  // window, whichever holds it.
  refreshAction_->setShortcutContext(Qt::WindowShortcut);
  refreshAction_->setToolTip(QStringLiteral("プレビューを最新の状態に更新します (F5)"));
  connect(refreshAction_, &QAction::triggered, this, &CHtmlCommView::Refresh);
  addAction(refreshAction_);
  connect(page_, &QWebEnginePage::loadFinished, this, &CHtmlCommView::RestoreScroll);
  connect(page_, &QWebEnginePage::linkHovered, this, &CHtmlCommView::StatusText);
}

void CHtmlCommView::Navigate(const QUrl& url) {
  if (SamePage(url, page_->url())) {
    page_->SetRequestedUrl(url);
    Refresh();
    return;
  }
  pendingScroll_.reset();
  page_->SetRequestedUrl(url);
  page_->setUrl(url);
}

void CHtmlCommView::Refresh() {
  if (page_->url().isEmpty()) return;
  // A reload that is still loading has not drawn its page yet: its place is the one to keep.
  if (!pendingScroll_) pendingScroll_ = page_->scrollPosition();
  page_->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

void CHtmlCommView::RestoreScroll(bool ok) {
  if (!ok || !pendingScroll_) return;
  const QPointF position = *pendingScroll_;
  pendingScroll_.reset();
  page_->runJavaScript(
      QStringLiteral("window.scrollTo(%1, %2);").arg(position.x()).arg(position.y()));
}

void CHtmlCommView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(refreshAction_);
  menu.exec(event->globalPos());
}

CHtmlFrame::CHtmlFrame(QWidget* parent) : QWidget(parent), view_(new CHtmlCommView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
}

void SetBrowserUserAgent(int kind) {
  std::string agent;
  if (GetUserAgent(agent, kind)) {
    QWebEngineProfile::defaultProfile()->setHttpUserAgent(ToQString(agent));
  }
}

void SetBrowserFontFamily(const QString& family) {
  QWebEngineSettings* settings = QWebEngineProfile::defaultProfile()->settings();
  settings->setFontFamily(QWebEngineSettings::StandardFont, family);
  settings->setFontFamily(QWebEngineSettings::SansSerifFont, family);
}

}  // namespace nuvo
