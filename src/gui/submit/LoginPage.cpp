#include "gui/submit/LoginPage.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "core/submit/LoginFlow.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

// Stands in for a window a page opens, until the address meant for it is known.
class COutsideWindowCatcher : public QWebEnginePage {
 public:
  COutsideWindowCatcher(CLoginPage& opener, QWebEngineProfile* profile)
      : QWebEnginePage(profile, &opener), opener_(opener) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    if (!isMainFrame) return false;
    if (url != QUrl(QStringLiteral("about:blank"))) emit opener_.OpenOutside(url);
    deleteLater();
    return false;
  }

 private:
  CLoginPage& opener_;
};

std::string Cp932Url(const QUrl& url) {
  return FromQString(url.toString(QUrl::FullyEncoded)).value_or(std::string());
}

}  // namespace

CLoginPage::CLoginPage(CLoginFlow& flow, QObject* parent)
    : QWebEnginePage(QWebEngineProfile::defaultProfile(), parent), flow_(flow) {
  settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
}

bool CLoginPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  switch (flow_.OnNavigation(Cp932Url(url), isMainFrame)) {
    case LoginNavigation::kAllow:
      if (isMainFrame && type == NavigationTypeFormSubmitted) RememberTypedId(url);
      return true;
    case LoginNavigation::kSucceed:
      // The service can answer the sent form before the page has told us the ID in it.
      if (pendingIdReads_ > 0) {
        succeededDuringRead_ = true;
      } else {
        emit Succeeded();
      }
      return false;
    case LoginNavigation::kOpenOutside:
      emit OpenOutside(url);
      return false;
  }
  return false;
}

void CLoginPage::RememberTypedId(const QUrl& url) {
  // The form being sent is still the page's document: its "login" field is the ID typed. The
  // password field is never read. The answer is a string whenever the page lives; an invalid one
  // comes only while the page is being destroyed.
  ++pendingIdReads_;
  runJavaScript(
      QStringLiteral("(function(){var f=document.forms['login_form'];"
                     "return f&&f.elements['login']?String(f.elements['login'].value):'';})()"),
      [this, url](const QVariant& value) {
        if (!value.isValid()) return;
        const std::optional<std::string> id = FromQString(value.toString());
        if (id && !id->empty()) flow_.OnNavigation(Cp932Url(url), true, &*id);
        if (--pendingIdReads_ == 0 && succeededDuringRead_) {
          succeededDuringRead_ = false;
          emit Succeeded();
        }
      });
}

QWebEnginePage* CLoginPage::createWindow(WebWindowType) {
  return new COutsideWindowCatcher(*this, profile());
}

}  // namespace nuvo
