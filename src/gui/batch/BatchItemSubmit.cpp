#include "gui/batch/BatchItemSubmit.h"

#include "core/app/AppOptions.h"
#include "core/batch/BatchRunResult.h"
#include "core/document/NuvoDoc.h"
#include "core/document/PageComposer.h"
#include "core/submit/SubmitListingBuilder.h"
#include "gui/submit/SubmitDialog.h"

namespace nuvo {

BatchSubmitResult SubmitBatchItem(const CNuvoDoc& doc, const CAppOptions& options,
                                  CNetworkSession& network, const CServiceProfile& profile,
                                  int index, int total, const std::function<bool()>& posting,
                                  QWidget* parent) {
  CSubmitSettings settings;
  settings.LoadOptions(options);
  settings.showFinalConfirmation = false;
  settings.showCompletionMessage = false;
  SubmitRunOptions runOptions;
  runOptions.easyTrade = settings.easyTrade;
  runOptions.batchIndex = index;
  runOptions.batchTotal = total;
  const CPageOptions pageOptions = CPageOptions::FromAppOptions(options);

  BatchSubmitResult result;
  // A login on the way earns exactly one more run.
  for (int attempt = 0; attempt < 2; ++attempt) {
    CSubmitDialog* dialog = nullptr;
    bool posted = false;
    runOptions.beforeFinalPost = [&] {
      posted = posting();
      // Without its journal entry the post must not go out.
      if (!posted) dialog->reject();
    };
    CSubmitDialog window(network, profile, settings, BuildSubmitListing(doc, settings, pageOptions),
                         runOptions, parent);
    dialog = &window;
    window.exec();
    const CSubmitRun& run = window.Run();
    result = BatchResultOf(run, posted);
    if (run.Outcome() != SubmitOutcome::LoginRequired || !run.LoginAgainRequested()) break;
  }
  return result;
}

}  // namespace nuvo
