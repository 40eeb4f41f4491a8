#include "gui/net/CategoryWebPage.h"

#include "core/net/CategoryPage.h"

namespace nuvo {

bool CCategoryWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type,
                                               bool isMainFrame) {
  // The page's own file, and whatever a script or frame loads, are not the seller's clicks.
  if (url.isLocalFile() || !isMainFrame || type == NavigationTypeReload) return true;
  const CategoryLink link = ClassifyCategoryLink(url.toString(QUrl::FullyEncoded).toStdString());
  switch (link.kind) {
    case CategoryLink::Kind::Select:
      emit CategoryClicked(link.id);
      return false;
    case CategoryLink::Kind::Show:
      emit PageRequested(url);
      return false;
    case CategoryLink::Kind::Browser:
      break;
  }
  return true;
}

QWebEnginePage* CCategoryWebPage::createWindow(WebWindowType) { return this; }

}  // namespace nuvo
