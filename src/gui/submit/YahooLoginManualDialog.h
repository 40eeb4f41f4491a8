#pragma once

#include <QTimer>
#include <QUrl>
#include <functional>
#include <string>

#include "core/submit/LoginFlow.h"
#include "gui/submit/PlacedDialog.h"

class QLabel;
class QPushButton;
class QWebEngineView;

namespace nuvo {

class CLoginPage;
class IUserPrompt;

// The dialog "ログインの認証": the service's login page in a browser, where the seller logs in
// by hand. It closes with OK by itself once the browser reaches the login's target, or when the
// seller says the login has succeeded; "出品を中止する" closes it with Cancel. It owns the login
// rules and the browser; the seller chooses where it opens. Cookies go to the program's one store
// through the browser profile.
class CYahooLoginManualDialog : public CPlacedDialog {
  Q_OBJECT

 public:
  // Where addresses that leave the login go; by default a browser window of their own.
  using OutsideOpener = std::function<void(const QUrl&)>;

  // `flow` names the login host and the start address; `reverification` asks for the password
  // check rather than a full login.
  CYahooLoginManualDialog(CLoginFlow flow, bool reverification, IUserPrompt& prompt,
                          QWidget* parent = nullptr);

  void SetOutsideOpener(OutsideOpener opener) { outsideOpener_ = std::move(opener); }

  // The ID typed into the login form, once it was sent; empty otherwise.
  const std::string& SellerId() const { return flow_.SellerId(); }
  // Whether the notice about the manual button was raised for a page without a login form.
  bool ManualNoticeRaised() const { return manualNoticeRaised_; }
  QWebEngineView& View() { return *view_; }
  // The delay between the first blank page and the move to the login page.
  static constexpr int kMoveDelayMs = 1000;
  // The size the dialog first opens at, before the seller resizes it.
  static constexpr int kDefaultWidth = 820;
  static constexpr int kDefaultHeight = 700;

 private:
  void OnLoadFinished();
  void MoveToLoginPage();
  void OnPageComplete(const QUrl& url, bool hasLoginForm, bool hasCaptchaForm);
  void RaiseManualNotice();
  void ShowHelp();
  void OpenOutside(const QUrl& url);

  CLoginFlow flow_;
  IUserPrompt& prompt_;
  OutsideOpener outsideOpener_;
  QLabel* notice_;
  QLabel* instruction_;
  QWebEngineView* view_;
  CLoginPage* page_;
  QPushButton* assumeSuccess_;
  QTimer moveTimer_;
  bool movePending_ = true;
  bool manualNoticeRaised_ = false;
  QString instructionText_;
};

}  // namespace nuvo
