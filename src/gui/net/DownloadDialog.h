#pragma once

#include <QDialog>
#include <string>

#include "core/net/HttpClient.h"
#include "gui/common/MessageBoxPrompt.h"
#include "gui/net/QtHttpTransport.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace nuvo {

class CNetworkSession;

// The modal window that runs one request of its own HTTP client and shows how it goes. The
// request starts 100 ms after the window is shown, so that the window is drawn first; Cancel,
// Escape or closing the window stops it. The window is accepted when the request succeeded,
// and the client then holds the response.
class CDownloadDialog : public QDialog, private IHttpStatusSink {
  Q_OBJECT

 public:
  explicit CDownloadDialog(CNetworkSession& session, QWidget* parent = nullptr);
  ~CDownloadDialog() override;

  CHttpClient& Client() { return client_; }
  // What to fetch: a GET of `url`, or a POST when `body` is not empty (`headers` as for
  // CHttpClient::Request).
  void SetRequest(std::string url, std::string body = {}, std::string headers = {},
                  bool retryOnce = true);
  // The line that tells the user what is being fetched.
  void SetMessage(const QString& text);

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Run();
  void OnRequestStart(const std::string& url) override;
  void OnAutomaticRetry() override;
  void OnReceived(std::size_t total) override;

  CQtHttpTransport transport_;
  CMessageBoxPrompt prompt_;
  CHttpClient client_;
  QLabel* message_;
  QLabel* address_;
  QLabel* received_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  std::string url_;
  std::string body_;
  std::string headers_;
  bool retryOnce_ = true;
  bool started_ = false;
  bool running_ = false;
};

}  // namespace nuvo
