#pragma once

#include <QDialog>
#include <memory>

#include "core/editing/ListingSubmitter.h"
#include "core/submit/SubmitRun.h"
#include "gui/common/MessageBoxPrompt.h"
#include "gui/net/QtHttpTransport.h"
#include "gui/submit/SubmitWindows.h"

class QLabel;
class QPushButton;
class QTimer;

namespace nuvo {

class CNetworkSession;

// The small modal window "出品中..." in which one submission runs: the status line, the abort
// button and a moving ">>>" line while the run waits for the service. The run starts 100 ms
// after the window is on screen; "中止(&A)", Escape or closing the window cancel it. The window
// shows the run's closing message itself, with a button that opens the message's address. Owns
// the run.
class CSubmitDialog : public QDialog, public ISubmitHost {
  Q_OBJECT

 public:
  CSubmitDialog(CNetworkSession& network, const CServiceProfile& profile,
                const CSubmitSettings& settings, SubmitListing listing, SubmitRunOptions options,
                QWidget* parent = nullptr);
  ~CSubmitDialog() override;

  // Shows the moving ">>>" line while the run waits, as the animation option asks.
  void SetAnimated(bool animated);

  const CSubmitRun& Run() const { return *run_; }

  // ISubmitHost
  PromptAnswer Ask(const PromptRequest& request) override;
  void SetStatus(const std::string& text) override;
  void SetCaption(const std::string& text) override;
  void ShowSubmitMessage(const SubmitMessage& message) override;
  LoginResult LogIn(const LoginRequest& request) override { return windows_.LogIn(request); }
  bool ConfirmListing(const ConfirmationPage& page) override {
    return windows_.ConfirmListing(page);
  }
  CSubmitWindows& Windows() { return windows_; }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Paints the window in the program's light green, as the colour option asks.
  void SetColoured(bool coloured);
  void Start();
  void Animate();

  CQtHttpTransport transport_;
  CMessageBoxPrompt prompt_;
  CSubmitWindows windows_;
  std::unique_ptr<CSubmitRun> run_;
  QLabel* status_;
  QLabel* animation_;
  QPushButton* abort_;
  QTimer* animationTimer_;
  int animationStep_ = 0;
  bool animated_ = true;
  bool started_ = false;
  bool running_ = false;
};

// Runs one submission of the desktop program in the progress window, painted as the options
// say, and reports how it ended. The seller's "don't show again" on the confirmation page turns
// that option off in `options`.
CRunReport RunInWindow(CNetworkSession& network, const CServiceProfile& profile,
                       CAppOptions& options, const CSubmitSettings& settings, SubmitListing listing,
                       const SubmitRunOptions& runOptions, QWidget* parent);

}  // namespace nuvo
