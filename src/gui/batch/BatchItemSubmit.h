#pragma once

#include <functional>

#include "core/batch/BatchRunner.h"

class QWidget;

// One item of a batch from the desktop program: the open listing submitted in the progress
// window "自動出品中(i/n)...", without the final confirmation and the completion message, and
// run once more when the seller logged in on the way.
namespace nuvo {

class CAppOptions;
class CNetworkSession;
class CNuvoDoc;
class CServiceProfile;

BatchSubmitResult SubmitBatchItem(const CNuvoDoc& doc, const CAppOptions& options,
                                  CNetworkSession& network, const CServiceProfile& profile,
                                  int index, int total, const std::function<bool()>& posting,
                                  QWidget* parent);

}  // namespace nuvo
