#pragma once

#include "core/batch/BatchRunner.h"
#include "core/editing/ListingSubmitter.h"

// How a batch reads the end of one submission, the same in the window and in nuvo-cli.
namespace nuvo {

// `posted`: the run announced its final post and the batch recorded it.
BatchSubmitResult BatchResultOf(const CRunReport& run, bool posted);
// A submission through the submitting routine: its checks may have stopped it before any run.
BatchSubmitResult BatchResultOf(const CSubmitResult& result, bool posted);

}  // namespace nuvo
