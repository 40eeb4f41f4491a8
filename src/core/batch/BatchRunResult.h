#pragma once

#include "core/batch/BatchRunner.h"
#include "core/submit/SubmitRun.h"

// How a batch reads the end of one submission run, the same in the window and in nuvo-cli.
namespace nuvo {

// `posted`: the run announced its final post and the batch recorded it.
BatchSubmitResult BatchResultOf(const CSubmitRun& run, bool posted);

}  // namespace nuvo
