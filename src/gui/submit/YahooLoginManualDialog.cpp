#include "gui/submit/YahooLoginManualDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/common/UserPrompt.h"
#include "gui/app/HelpPages.h"
#include "gui/app/HtmlView.h"
#include "gui/common/QtText.h"
#include "gui/submit/LoginPage.h"
#include "gui/submit/PlacementChoiceBox.h"

namespace nuvo {
namespace {

QString Text(int id) { return QString::fromUtf8(LoadStringUtf8(id)); }

// The service's pages say what the form is for, so only the two forms the rules ask about are
// looked for.
constexpr char kFindForms[] = "[!!document.forms['login_form'], !!document.forms['captchaForm']]";

}  // namespace

CYahooLoginManualDialog::CYahooLoginManualDialog(CLoginFlow flow, bool reverification,
                                                 IUserPrompt& prompt, QWidget* parent)
    : CPlacedDialog(CDialogPlacement(kDefaultWidth, kDefaultHeight), parent),
      flow_(std::move(flow)),
      prompt_(prompt) {
  setWindowTitle(Text(reverification ? IDS_LOGIN_REVERIFY_CAPTION : IDS_LOGIN_CAPTION));
  instructionText_ = Text(reverification ? IDS_LOGIN_REVERIFY_INSTRUCTION : IDS_LOGIN_INSTRUCTION)
                         .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

  notice_ = new QLabel(Text(IDS_LOGIN_MANUAL_NOTICE), this);
  notice_->setWordWrap(true);
  instruction_ = new QLabel(instructionText_, this);
  instruction_->setWordWrap(true);
  page_ = new CLoginPage(flow_, this);
  view_ = new QWebEngineView(this);
  view_->setPage(page_);
  view_->setMinimumSize(640, 420);

  auto* abort = new QPushButton(Text(IDS_LOGIN_ABORT_BUTTON), this);
  auto* help = new QPushButton(Text(IDS_HELP_BUTTON), this);
  assumeSuccess_ = new QPushButton(Text(IDS_LOGIN_ASSUME_SUCCESS_BUTTON), this);
  for (QPushButton* button : {abort, help, assumeSuccess_}) button->setAutoDefault(false);
  connect(abort, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, &CYahooLoginManualDialog::ShowHelp);
  connect(assumeSuccess_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(abort);
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(MakeChoiceBox(this));
  buttons->addSpacing(12);
  buttons->addWidget(assumeSuccess_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notice_);
  layout->addWidget(instruction_);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
  Apply();

  outsideOpener_ = [](const QUrl& url) {
    auto* window = new CHtmlCommView;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(Text(IDS_OUTSIDE_WINDOW_CAPTION));
    window->resize(900, 700);
    window->Navigate(url);
    window->show();
  };
  connect(page_, &CLoginPage::Succeeded, this, &QDialog::accept);
  connect(page_, &CLoginPage::OpenOutside, this, &CYahooLoginManualDialog::OpenOutside);
  connect(page_, &QWebEnginePage::loadFinished, this, &CYahooLoginManualDialog::OnLoadFinished);
  moveTimer_.setSingleShot(true);
  moveTimer_.setInterval(kMoveDelayMs);
  connect(&moveTimer_, &QTimer::timeout, this, &CYahooLoginManualDialog::MoveToLoginPage);

  // The browser first finishes a blank page, so that it is on screen before the service answers.
  page_->setUrl(QUrl(QStringLiteral("about:blank")));
}

void CYahooLoginManualDialog::OnLoadFinished() {
  if (movePending_) {
    if (!moveTimer_.isActive()) moveTimer_.start();
    return;
  }
  const QUrl url = page_->url();
  if (url.isEmpty() || url == QUrl(QStringLiteral("about:blank"))) return;
  instruction_->setText(instructionText_);
  QPointer<CYahooLoginManualDialog> self(this);
  page_->runJavaScript(QString::fromLatin1(kFindForms), [self, url](const QVariant& result) {
    if (!self) return;
    const QVariantList forms = result.toList();
    if (forms.size() != 2) return;
    self->OnPageComplete(url, forms[0].toBool(), forms[1].toBool());
  });
}

void CYahooLoginManualDialog::MoveToLoginPage() {
  movePending_ = false;
  const QUrl start(ToQString(flow_.StartAddress()), QUrl::StrictMode);
  if (!start.isValid() || start.scheme().isEmpty()) {
    ShowMessage(prompt_, IDS_LOGIN_NAVIGATION_FAILED);
    instruction_->setText(instructionText_);
    return;
  }
  instruction_->setText(Text(IDS_LOGIN_MOVING));
  page_->load(start);
}

void CYahooLoginManualDialog::OnPageComplete(const QUrl& url, bool hasLoginForm,
                                             bool hasCaptchaForm) {
  const std::string address = FromQString(url.toString(QUrl::FullyEncoded)).value_or("");
  switch (flow_.OnDocumentComplete(address, hasLoginForm, hasCaptchaForm)) {
    case LoginPageState::kSucceeded:
      accept();
      break;
    case LoginPageState::kShowManualNotice:
      RaiseManualNotice();
      break;
    case LoginPageState::kWaiting:
      break;
  }
}

void CYahooLoginManualDialog::RaiseManualNotice() {
  manualNoticeRaised_ = true;
  notice_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  assumeSuccess_->setFocus();
}

void CYahooLoginManualDialog::ShowHelp() {
  // Without its page (a program run from an unusual place) the short text still helps.
  if (!ShowHelpPage(QStringLiteral("login.html"))) {
    ShowMessage(prompt_, IDS_LOGIN_HELP, {}, PromptIcon::Information);
  }
}

void CYahooLoginManualDialog::OpenOutside(const QUrl& url) {
  if (outsideOpener_) outsideOpener_(url);
}

}  // namespace nuvo
