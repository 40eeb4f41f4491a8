#pragma once

#include <QDialog>
#include <functional>

#include "core/batch/BatchRunner.h"

class QLabel;
class QPushButton;
class QTreeWidget;

// The window in which a batch runs: every file of the batch with its state (waiting, listed with
// its auction ID, skipped as listed before, failed with its message), the countdown between two
// submissions and a cancel that stops the batch between items, never inside a final post. It
// stays open with the result when the batch ends. It answers the runner for the seller; the
// submission of each item is the caller's.
namespace nuvo {

class IUserPrompt;

class CBatchProgressDialog : public QDialog, public IBatchHost {
  Q_OBJECT

 public:
  using SubmitItem = std::function<BatchSubmitResult(
      const BatchItem&, std::span<const std::uint8_t>, int, int, const std::function<bool()>&)>;

  // Runs `journal` once the window is on screen; `history` holds what other batches listed.
  CBatchProgressDialog(CBatchJournal& journal, CListedHistory history, int waitSeconds,
                       IUserPrompt& prompt, SubmitItem submit, QWidget* parent = nullptr);

  // Shows "一括自動出品が正常に終了しました。" when every item went through.
  void SetCompletionMessage(bool show) { completionMessage_ = show; }
  // Why the batch stopped; None when every item went through.
  BatchStop Stop() const { return stop_; }

  // IBatchHost
  BatchSubmitResult Submit(const BatchItem& item, std::span<const std::uint8_t> bytes, int index,
                           int total, const std::function<bool()>& posting) override;
  bool Wait(int seconds) override;
  bool ListAgain(const BatchItem& item, const ListedRecord& earlier) override;
  void ItemChanged(std::size_t index, const BatchItem& item) override;
  void ShowMessage(const std::string& text) override;

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void RunBatch();
  void ShowItem(std::size_t index, const BatchItem& item);

  CBatchJournal& journal_;
  CListedHistory history_;
  int waitSeconds_;
  IUserPrompt& prompt_;
  SubmitItem submit_;
  QTreeWidget* view_;
  QLabel* status_;
  QPushButton* cancel_;
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current_ = kNone;  // the item being submitted
  BatchStop stop_ = BatchStop::None;
  bool started_ = false;
  bool running_ = false;
  bool cancelled_ = false;
  bool completionMessage_ = false;
};

}  // namespace nuvo
