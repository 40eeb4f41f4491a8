#include "gui/batch/BatchProgressDialog.h"

#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/common/Encoding.h"
#include "core/common/MessageFormat.h"
#include "core/common/MessageIds.h"
#include "core/common/PathText.h"
#include "core/common/StringTable.h"
#include "core/common/UserPrompt.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

QString Text(int id) { return ToQString(LoadString(id)); }

}  // namespace

CBatchProgressDialog::CBatchProgressDialog(CBatchJournal& journal, CListedHistory history,
                                           int waitSeconds, IUserPrompt& prompt, SubmitItem submit,
                                           QWidget* parent)
    : QDialog(parent),
      journal_(journal),
      history_(std::move(history)),
      waitSeconds_(waitSeconds),
      prompt_(prompt),
      submit_(std::move(submit)) {
  setWindowTitle(QStringLiteral("一括自動出品"));
  view_ = new QTreeWidget(this);
  view_->setHeaderLabels({QStringLiteral("ファイル名"), QStringLiteral("状態"),
                          QStringLiteral("オークションID"), QStringLiteral("メッセージ")});
  view_->setRootIsDecorated(false);
  view_->setMinimumSize(720, 260);
  view_->header()->resizeSection(0, 200);
  view_->header()->resizeSection(1, 150);
  view_->header()->resizeSection(2, 120);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  cancel_ = new QPushButton(QStringLiteral("中止(&A)"), this);
  cancel_->setToolTip(QStringLiteral("現在の出品が終わったところで一括自動出品を中止します"));
  connect(cancel_, &QPushButton::clicked, this, &CBatchProgressDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(status_);
  layout->addLayout(buttons);
  for (std::size_t i = 0; i < journal_.Items().size(); ++i) {
    new QTreeWidgetItem(view_);
    ShowItem(i, journal_.Items()[i]);
  }
}

void CBatchProgressDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  // The batch starts once the window is on screen, as a single submission does.
  QTimer::singleShot(100, this, &CBatchProgressDialog::RunBatch);
}

void CBatchProgressDialog::RunBatch() {
  running_ = true;
  CBatchRunner runner(journal_, std::move(history_), *this, waitSeconds_);
  stop_ = runner.Run();
  running_ = false;
  const BatchSummary summary = Summarise(journal_);
  status_->setText(
      ToQString(FormatMessageId(IDS_BATCH_SUMMARY, {summary.listed, summary.skipped, summary.failed,
                                                    summary.unknown, summary.waiting})));
  cancel_->setText(QStringLiteral("閉じる"));
  cancel_->setToolTip({});
  if (stop_ == BatchStop::Cancelled) ShowMessage(LoadString(IDS_BATCH_STOPPED));
  if (stop_ == BatchStop::None && completionMessage_ &&
      summary.listed + summary.skipped == static_cast<int>(journal_.Items().size()))
    nuvo::ShowMessage(prompt_, IDS_BATCH_COMPLETED, {}, PromptIcon::Information);
}

void CBatchProgressDialog::reject() {
  if (!running_) {
    QDialog::reject();
    return;
  }
  // The item under way finishes first: its own window has a cancel of its own.
  cancelled_ = true;
  cancel_->setEnabled(false);
}

BatchSubmitResult CBatchProgressDialog::Submit(const BatchItem& item,
                                               std::span<const std::uint8_t> bytes, int index,
                                               int total, const std::function<bool()>& posting) {
  current_ = static_cast<std::size_t>(index - 1);
  ShowItem(current_, item);
  view_->scrollToItem(view_->topLevelItem(index - 1));
  status_->setText(ToQString(FormatMessageId(IDS_CAPTION_BATCH, {index, total})));
  const BatchSubmitResult result = submit_(item, bytes, index, total, posting);
  current_ = kNone;
  return result;
}

bool CBatchProgressDialog::Wait(int seconds) {
  for (int left = seconds; left > 0 && !cancelled_; --left) {
    status_->setText(ToQString(FormatMessageId(IDS_BATCH_WAITING, {left})));
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    connect(cancel_, &QPushButton::clicked, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return !cancelled_;
}

bool CBatchProgressDialog::ListAgain(const BatchItem& item, const ListedRecord& earlier) {
  const std::string name = PathCp932(item.path.filename());
  const PromptAnswer answer =
      earlier.state == BatchItemState::Posting
          ? AskMessage(prompt_, IDS_BATCH_ASK_POST_UNKNOWN, PromptButtons::YesNo, {name}, 1,
                       PromptIcon::Exclamation)
          : AskMessage(prompt_, IDS_BATCH_ASK_LIST_AGAIN, PromptButtons::YesNo,
                       {name, earlier.auctionId}, 1);
  return answer == PromptAnswer::Yes;
}

void CBatchProgressDialog::ItemChanged(std::size_t index, const BatchItem& item) {
  ShowItem(index, item);
}

void CBatchProgressDialog::ShowMessage(const std::string& text) {
  prompt_.Ask({0, text, PromptButtons::Ok, PromptIcon::Exclamation, 0});
}

void CBatchProgressDialog::ShowItem(std::size_t index, const BatchItem& item) {
  QTreeWidgetItem* row = view_->topLevelItem(static_cast<int>(index));
  QString state;
  switch (item.state) {
    case BatchItemState::Waiting:
      state = Text(index == current_ ? IDS_BATCH_STATE_SUBMITTING : IDS_BATCH_STATE_WAITING);
      break;
    case BatchItemState::Posting:
      state = Text(index == current_ ? IDS_BATCH_STATE_POSTING : IDS_BATCH_STATE_UNKNOWN);
      break;
    case BatchItemState::Listed:
      state = Text(IDS_BATCH_STATE_LISTED);
      break;
    case BatchItemState::Skipped:
      state = Text(IDS_BATCH_STATE_SKIPPED);
      break;
    case BatchItemState::Failed:
      state = Text(IDS_BATCH_STATE_FAILED);
      break;
  }
  row->setText(0, QString::fromStdU16String(item.path.filename().u16string()));
  row->setToolTip(0, QString::fromStdU16String(item.path.u16string()));
  row->setText(1, state);
  row->setText(2, ToQString(item.auctionId));
  const QString message =
      ToQString(item.message).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  row->setText(3, message);
  row->setToolTip(3, ToQString(item.message));
}

}  // namespace nuvo
