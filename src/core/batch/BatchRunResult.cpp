#include "core/batch/BatchRunResult.h"

namespace nuvo {

BatchSubmitResult BatchResultOf(const CSubmitRun& run, bool posted) {
  BatchSubmitResult result;
  result.auctionId = run.AuctionId();
  result.message = run.Message();
  switch (run.Outcome()) {
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
  result.answerUnknown =
      posted && (run.Outcome() == SubmitOutcome::Cancelled ||
                 (run.Outcome() == SubmitOutcome::Failed && run.Message().empty()));
  return result;
}

}  // namespace nuvo
