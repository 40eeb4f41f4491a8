#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <cstdint>

// The browser page of the category dialog. It shows the cleaned copies of the service's category
// pages and turns the seller's clicks into choices: a link to a category's sell form chooses
// that category, a link to another category page asks for that page to be fetched and cleaned;
// neither is followed. Every other address is left to the browser.
namespace nuvo {

class CCategoryWebPage : public QWebEnginePage {
  Q_OBJECT

 public:
  explicit CCategoryWebPage(QObject* parent = nullptr) : QWebEnginePage(parent) {}

 signals:
  void CategoryClicked(std::uint32_t id);
  void PageRequested(const QUrl& url);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  // The category pages open some links in new windows; they are taken here instead.
  QWebEnginePage* createWindow(WebWindowType type) override;
};

}  // namespace nuvo
