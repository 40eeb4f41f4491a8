#include "core/batch/BatchRunResult.h"

namespace nuvo {

BatchSubmitResult BatchResultOf(const CRunReport& run, bool posted) {
  BatchSubmitResult result;
  result.auctionId = run.auctionId;
  result.message = run.message;
  switch (run.outcome) {
    case SubmitOutcome::Completed:
      result.outcome = BatchSubmitResult::Outcome::Listed;
      break;
    case SubmitOutcome::Cancelled:
      result.outcome = BatchSubmitResult::Outcome::Cancelled;
      break;
    case SubmitOutcome::LoginRequired:
      result.outcome = BatchSubmitResult::Outcome::LoginRequired;
      break;
    case SubmitOutcome::Confirmed:
    case SubmitOutcome::Failed:
      result.outcome = BatchSubmitResult::Outcome::Failed;
      break;
  }
  // A post that went out and came back with no page of the service (a broken connection, a
  // cancel while it waited) may have listed the item.
  result.answerUnknown = posted && (run.outcome == SubmitOutcome::Cancelled ||
                                    (run.outcome == SubmitOutcome::Failed && run.message.empty()));
  return result;
}

BatchSubmitResult BatchResultOf(const CSubmitResult& submitted, bool posted) {
  if (submitted.run) {
    BatchSubmitResult result = BatchResultOf(*submitted.run, posted);
    // The routine repeats a run after a login; only its own verdict says the item is listed.
    if (!submitted.Submitted() && result.outcome == BatchSubmitResult::Outcome::Listed)
      result.outcome = BatchSubmitResult::Outcome::Failed;
    return result;
  }
  BatchSubmitResult result;
  result.message = submitted.Message();
  if (submitted.result == ESubmitResult::Cancelled)
    result.outcome = BatchSubmitResult::Outcome::Cancelled;
  return result;
}

}  // namespace nuvo
