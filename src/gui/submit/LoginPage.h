#pragma once

#include <QUrl>
#include <QWebEnginePage>

namespace nuvo {

class CLoginFlow;

// The browser page of the login dialog. It asks the login rules about every navigation: the
// login's own pages go through, the target ends the login, and anything else goes to a window of
// its own, as do the windows the pages open. The rules are not owned.
class CLoginPage : public QWebEnginePage {
  Q_OBJECT

 public:
  CLoginPage(CLoginFlow& flow, QObject* parent = nullptr);

 signals:
  void Succeeded();
  void OpenOutside(const QUrl& url);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  void RememberTypedId(const QUrl& url);

  CLoginFlow& flow_;
  int pendingIdReads_ = 0;
  // The target was reached while an ID read was pending: success is told once it has answered.
  bool succeededDuringRead_ = false;
};

}  // namespace nuvo
