#include "core/batch/BatchSettings.h"

#include <algorithm>

#include "core/app/AppComm.h"

namespace nuvo {
namespace {

constexpr char kSection[] = "Settings";
constexpr char kKey[] = "BatchWaitSeconds";

}  // namespace

int BatchWaitSeconds(const CAppComm& comm) {
  return std::clamp(comm.GetProfileInt(kSection, kKey, kDefaultBatchWaitSeconds), 0,
                    kMaxBatchWaitSeconds);
}

void SaveBatchWaitSeconds(CAppComm& comm, int seconds) {
  comm.WriteProfileInt(kSection, kKey, std::clamp(seconds, 0, kMaxBatchWaitSeconds));
}

}  // namespace nuvo
