#pragma once

#include <cstdint>

#include "core/app/AppOptions.h"
#include "core/submit/FieldSet.h"

// What one submission run takes from the seller's standing choices: the common submission
// settings as sell-form values, and the options that change how the run goes. The settings
// dialog fills it; a default-made one holds the choices of a first start.
namespace nuvo {

class CSubmitSettings {
 public:
  // The combined-upload size limits the option "UPAAODataSizeLimit" chooses among, in bytes.
  static constexpr std::int64_t kUploadSizeLimits[] = {2'000'000, 5'000'000, 10'000'000,
                                                       20'000'000};

  // The common submission settings of a first start as sell-form values.
  CSubmitSettings();

  // Takes the run's options from the application options; the field set is left alone.
  void LoadOptions(const CAppOptions& options);

  // The common submission settings (auction length, bidder limits, markdown, payment, delivery,
  // return policy) as sell-form values; merged over the listing's own.
  CFieldSet fields;
  // Lists in the easy-trade form ("かんたん取引出品") rather than the normal one.
  bool easyTrade = true;
  // Send every photo in one request when their total size stays within the limit.
  bool uploadPhotosTogether = true;
  std::int64_t uploadSizeLimit = kUploadSizeLimits[1];
  // Show the service's confirmation page before the final post (single runs only).
  bool showFinalConfirmation = true;
  // Tell the seller when the listing is up (single runs only).
  bool showCompletionMessage = true;
  // Paint the progress window light green while the run goes on.
  bool colouredProgress = true;
};

}  // namespace nuvo
