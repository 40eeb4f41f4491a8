#include "gui/submit/SubmitDialog.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "core/app/AppOptions.h"
#include "core/app/OptionBits.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "gui/common/MessageBoxPrompt.h"
#include "gui/common/QtText.h"
#include "gui/net/NetworkSession.h"

namespace nuvo {

namespace {

constexpr int kStartDelayMs = 100;
constexpr int kAnimationMs = 150;
constexpr int kAnimationLength = 9;

}  // namespace

CSubmitDialog::CSubmitDialog(CNetworkSession& network, const CServiceProfile& profile,
                             const CSubmitSettings& settings, SubmitListing listing,
                             SubmitRunOptions options, QWidget* parent)
    : QDialog(parent),
      transport_(network),
      prompt_(this),
      windows_(profile, prompt_, this),
      run_(std::make_unique<CSubmitRun>(transport_, *this, profile, settings, std::move(listing),
                                        options)),
      status_(new QLabel(ToQString(LoadString(IDS_STATUS_SUBMITTING_AUCTION)), this)),
      animation_(new QLabel(QStringLiteral(">>>>>>>>>"), this)),
      abort_(new QPushButton(ToQString(LoadString(IDS_ABORT_SUBMIT)), this)),
      animationTimer_(new QTimer(this)) {
  setWindowTitle(ToQString(LoadString(IDS_CAPTION_SUBMITTING)));
  setModal(true);
  status_->setMinimumWidth(status_->fontMetrics().horizontalAdvance(QString(32, QChar(0x3042))));
  animation_->setFont(QFont(QStringLiteral("monospace")));
  abort_->setToolTip(ToQString(LoadString(IDS_ABORT_SUBMIT_TIP)));
  abort_->setAutoDefault(false);
  connect(abort_, &QPushButton::clicked, this, &CSubmitDialog::reject);
  connect(animationTimer_, &QTimer::timeout, this, &CSubmitDialog::Animate);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  auto* row = new QHBoxLayout;
  row->addWidget(animation_, 1);
  row->addWidget(abort_);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetColoured(settings.colouredProgress);
}

CSubmitDialog::~CSubmitDialog() = default;

void CSubmitDialog::SetColoured(bool coloured) {
  setAutoFillBackground(coloured);
  QPalette palette = this->palette();
  if (coloured) palette.setColor(QPalette::Window, QColor(0xCE, 0xFF, 0x6F));
  setPalette(coloured ? palette : QPalette());
}

void CSubmitDialog::SetAnimated(bool animated) {
  animated_ = animated;
  animation_->setVisible(animated);
}

void CSubmitDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(kStartDelayMs, this, &CSubmitDialog::Start);
}

void CSubmitDialog::Start() {
  if (!isVisible()) return;
  running_ = true;
  if (animated_) animationTimer_->start(kAnimationMs);
  const SubmitOutcome outcome = run_->Run();
  running_ = false;
  animationTimer_->stop();
  if (outcome == SubmitOutcome::Completed || outcome == SubmitOutcome::Confirmed)
    accept();
  else
    QDialog::reject();
}

void CSubmitDialog::Animate() {
  animationStep_ = (animationStep_ + 1) % (kAnimationLength + 1);
  animation_->setText(QString(animationStep_, QLatin1Char('>')));
}

void CSubmitDialog::reject() {
  // While the run waits for the service it is stopped, and it closes the window itself.
  if (running_) {
    run_->Cancel();
    abort_->setEnabled(false);
    return;
  }
  QDialog::reject();
}

PromptAnswer CSubmitDialog::Ask(const PromptRequest& request) { return prompt_.Ask(request); }

void CSubmitDialog::SetStatus(const std::string& text) { status_->setText(ToQString(text)); }

void CSubmitDialog::SetCaption(const std::string& text) { setWindowTitle(ToQString(text)); }

void CSubmitDialog::ShowSubmitMessage(const SubmitMessage& message) {
  QMessageBox box(MessageBoxIcon(message.icon), QStringLiteral("ぬぼ"), ToQString(message.text),
                  QMessageBox::Ok, isVisible() ? this : parentWidget());
  QPushButton* open = nullptr;
  if (!message.linkUrl.empty()) {
    box.setInformativeText(
        ToQString(message.linkCaption.empty() ? message.linkUrl : message.linkCaption));
    open = box.addButton(ToQString(LoadString(IDS_OPEN_LINK)), QMessageBox::ActionRole);
  }
  box.exec();
  if (open && box.clickedButton() == open)
    QDesktopServices::openUrl(QUrl(ToQString(message.linkUrl)));
}

CRunReport RunInWindow(CNetworkSession& network, const CServiceProfile& profile,
                       CAppOptions& options, const CSubmitSettings& settings, SubmitListing listing,
                       const SubmitRunOptions& runOptions, QWidget* parent) {
  CSubmitDialog dialog(network, profile, settings, std::move(listing), runOptions, parent);
  dialog.SetAnimated(options.submittingAnim != 0);
  dialog.Windows().SetFinalConfirmationOff(
      [&options] { options.optionValue &= ~kOptionShowFinalConfirmation; });
  dialog.Windows().SetPlacements(options.loginDialogPlacement, options.finalConfirmPlacement);
  dialog.exec();
  return CRunReport::Of(dialog.Run());
}

}  // namespace nuvo
