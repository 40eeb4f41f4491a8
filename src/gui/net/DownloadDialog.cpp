#include "gui/net/DownloadDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/common/QtText.h"
#include "gui/net/NetworkSession.h"

namespace nuvo {
namespace {

// The pause between the window appearing and the request starting.
constexpr int kStartDelayMs = 100;

}  // namespace

CDownloadDialog::CDownloadDialog(CNetworkSession& session, QWidget* parent)
    : QDialog(parent),
      transport_(session),
      prompt_(this),
      client_(transport_, &prompt_),
      message_(new QLabel(QStringLiteral("サーバーにアクセスしています..."), this)),
      address_(new QLabel(this)),
      received_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("キャンセル"), this)) {
  setWindowTitle(QStringLiteral("ぬぼ"));
  setModal(true);
  client_.SetStatusSink(this);
  address_->setTextFormat(Qt::PlainText);
  address_->setMinimumWidth(360);
  // The size of the answer is not known in advance: the bar only shows that work goes on.
  bar_->setRange(0, 0);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDownloadDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(address_);
  layout->addWidget(bar_);
  layout->addWidget(received_);
  layout->addWidget(buttons);
}

CDownloadDialog::~CDownloadDialog() { client_.SetStatusSink(nullptr); }

void CDownloadDialog::SetRequest(std::string url, std::string body, std::string headers,
                                 bool retryOnce) {
  url_ = std::move(url);
  body_ = std::move(body);
  headers_ = std::move(headers);
  retryOnce_ = retryOnce;
}

void CDownloadDialog::SetMessage(const QString& text) { message_->setText(text); }

void CDownloadDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(kStartDelayMs, this, &CDownloadDialog::Run);
}

void CDownloadDialog::Run() {
  running_ = true;
  const bool succeeded = client_.Request(url_, body_, headers_, retryOnce_);
  running_ = false;
  done(succeeded ? Accepted : Rejected);
}

void CDownloadDialog::reject() {
  // While the request runs, stopping it is enough: Run closes the window once it returns.
  if (running_) {
    client_.Cancel();
    cancel_->setEnabled(false);
    return;
  }
  QDialog::reject();
}

void CDownloadDialog::OnRequestStart(const std::string& url) {
  address_->setText(ToQString(url));
  received_->clear();
}

void CDownloadDialog::OnAutomaticRetry() {
  received_->setText(QStringLiteral("接続し直しています..."));
}

void CDownloadDialog::OnReceived(std::size_t total) {
  received_->setText(QStringLiteral("%1 バイト受信しました")
                         .arg(QLocale(QLocale::Japanese).toString(static_cast<qulonglong>(total))));
}

}  // namespace nuvo
