#include "gui/batch/BatchSubmitCommand.h"

#include <QString>

#include "core/app/OptionBits.h"
#include "core/batch/BatchRunResult.h"
#include "core/batch/BatchSettings.h"
#include "core/common/MessageIds.h"
#include "core/common/UserPrompt.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/CommonSubmitSettings.h"
#include "gui/app/MainFrame.h"
#include "gui/app/NuvoApp.h"
#include "gui/batch/BatchJournalFolder.h"
#include "gui/batch/BatchProgressDialog.h"
#include "gui/batch/BatchSubmitDialog.h"
#include "gui/editing/NuvoTabsDialog.h"
#include "gui/editing/SubmitSettingDialog.h"

namespace nuvo {

void RunBatchSubmit(CNuvoApp& app) {
  if (!app.SaveModified()) return;
  QWidget* parent = app.MainFrame();
  IUserPrompt& prompt = app.Prompt();
  CAppOptions& options = app.MainFrame()->Options();
  const std::filesystem::path folder = BatchJournalFolder();

  std::optional<CBatchJournal> journal = CBatchJournal::LatestUnfinished(folder);
  if (journal && AskMessage(prompt, IDS_BATCH_ASK_RESUME, PromptButtons::YesNo,
                            {journal->CountToDo()}) != PromptAnswer::Yes)
    journal.reset();
  if (!journal) {
    CBatchSubmitDialog dialog(app.Comm(), prompt,
                              (options.optionValue & kOptionShowFinalConfirmation) != 0, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.Files().empty()) return;
    journal.emplace(CBatchJournal::NewFile(folder), dialog.Files());
  }

  // The common settings are confirmed once for the whole batch.
  CSubmitSettingDialog settings(app.Comm(), prompt, ESubmitForm::EasyTrade,
                                CSubmitSettingDialog::EMode::Confirm, parent);
  if (settings.exec() != QDialog::Accepted) return;

  const CCommonSubmitSettings confirmed = settings.Settings();
  auto submit = [&](const BatchItem& item, std::span<const std::uint8_t> bytes, int index,
                    int total, const std::function<bool()>& posting) {
    if (!app.OpenListingFrom(QString::fromStdU16String(item.path.u16string()), bytes))
      return BatchSubmitResult{};
    bool posted = false;
    const CSubmitResult result = app.MainFrame()->Sheet().SubmitListing(
        &confirmed, index, total, [&] { return posted = posting(); });
    return BatchResultOf(result, posted);
  };
  CBatchProgressDialog progress(*journal, CListedHistory::Read(folder, journal->File()),
                                BatchWaitSeconds(app.Comm()), prompt, submit, parent);
  progress.SetCompletionMessage((options.optionValue & kOptionShowCompletionMessage) != 0);
  progress.exec();
}

}  // namespace nuvo
