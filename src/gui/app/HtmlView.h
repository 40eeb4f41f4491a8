#pragma once

#include <QPointF>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>
#include <optional>

class QAction;

// The embedded browser views: the page that decides where a view may go, the view with its
// context menu and reading position, and the frame that carries a view as a pane.
namespace nuvo {

// Decides which navigations its view allows. A locked page shows only the address its view last
// asked for (and places inside it): links and scripts cannot take it elsewhere and new windows
// are not opened. An unlocked page goes where it is sent, and an address meant for a new window
// opens in this page instead.
class CHtmlCommPage : public QWebEnginePage {
  Q_OBJECT

 public:
  explicit CHtmlCommPage(QObject* parent = nullptr);

  void SetLocked(bool locked) { locked_ = locked; }
  bool IsLocked() const { return locked_; }
  // The address a locked page may show.
  void SetRequestedUrl(const QUrl& url) { requestedUrl_ = url; }
  const QUrl& RequestedUrl() const { return requestedUrl_; }

 signals:
  // A locked page refused to go to `url`.
  void NavigationRefused(const QUrl& url);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  bool locked_ = false;
  QUrl requestedUrl_;
};

// A browser view on a CHtmlCommPage. It keeps the reader's place when the same address is shown
// again, and offers "更新(&R)" (F5) in its context menu.
class CHtmlCommView : public QWebEngineView {
  Q_OBJECT

 public:
  explicit CHtmlCommView(QWidget* parent = nullptr);

  CHtmlCommPage& CommPage() { return *page_; }

  // Shows `url`. Showing the address that is already shown reloads it and brings the scroll
  // position back once the page has loaded again.
  void Navigate(const QUrl& url);
  // Reloads the page where the reader left it.
  void Refresh();
  // The document's scroll offsets, in page pixels.
  QPointF ScrollPosition() const { return page_->scrollPosition(); }
  QAction& RefreshAction() { return *refreshAction_; }

 signals:
  // The text the status bar should show for the link under the pointer (empty when none).
  void StatusText(const QString& text);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RestoreScroll(bool ok);

  CHtmlCommPage* page_;
  QAction* refreshAction_;
  std::optional<QPointF> pendingScroll_;
};

// The preview pane: a frame that carries one CHtmlCommView.
class CHtmlFrame : public QWidget {
  Q_OBJECT

 public:
  explicit CHtmlFrame(QWidget* parent = nullptr);

  CHtmlCommView& View() { return *view_; }

 private:
  CHtmlCommView* view_;
};

// Makes `kind` (kProgramAgent, kBrowserAgent) the agent every embedded browser of the program
// presents.
void SetBrowserUserAgent(int kind);

// Makes the embedded browsers show pages in `family` unless a page names a font of its own.
void SetBrowserFontFamily(const QString& family);

}  // namespace nuvo
