#pragma once

// The batch's own setting: the wait between two submissions, which the batch window sets and
// nuvo-cli takes when --wait is not given.
namespace nuvo {

class CAppComm;

inline constexpr int kDefaultBatchWaitSeconds = 5;
inline constexpr int kMaxBatchWaitSeconds = 600;

// "BatchWaitSeconds" in "Settings", read into 0 to kMaxBatchWaitSeconds.
int BatchWaitSeconds(const CAppComm& comm);
void SaveBatchWaitSeconds(CAppComm& comm, int seconds);

}  // namespace nuvo
