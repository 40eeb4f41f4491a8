#include "core/submit/SubmitSettings.h"

#include <iterator>

namespace nuvo {

CSubmitSettings::CSubmitSettings() {
  // Auction length 5 days, closing at 21 o'clock, re-listed up to three times, closing early
  // and extending automatically.
  fields.Set(kFieldDuration, "5");
  fields.Set(kFieldClosingTime, "21");
  fields.Set(kFieldNumResubmit, "3");
  fields.Set(kFieldCloseEarly, "yes");
  fields.Set(kFieldAutoExtension, "yes");
  // Bidders with a bad rating overall or many bad ratings are turned away.
  fields.Set(kFieldMinBidRating, "0");
  fields.Set(kFieldBadRatingRatio, "yes");
  fields.Clear(kFieldBidCreditLimit);
  fields.Clear(kFieldMarkdown);
  fields.Clear(kFieldMarkdownRatio);
  // The buyer pays the postage; the item ships from Tokyo.
  fields.Set(kFieldShipping, "buyer");
  fields.Set(kFieldLocationCode, "13");
  fields.Clear(kFieldCity);
  fields.Clear(kFieldIntlOk);
  fields.Clear(kFieldYpkOk);
  fields.Clear(kFieldShipSchedule);
  fields.Set(kFieldReturnPolicy, "0");
  fields.Clear(kFieldReturnPolicyComment);
}

void CSubmitSettings::LoadOptions(const CAppOptions& options) {
  uploadPhotosTogether = (options.optionValue & kOptionUploadPhotosTogether) != 0;
  const int index = options.upaaoDataSizeLimit;
  uploadSizeLimit = index >= 0 && index < static_cast<int>(std::size(kUploadSizeLimits))
                        ? kUploadSizeLimits[index]
                        : kUploadSizeLimits[1];
  showFinalConfirmation = (options.optionValue & kOptionShowFinalConfirmation) != 0;
  showCompletionMessage = (options.optionValue & kOptionShowCompletionMessage) != 0;
  colouredProgress = options.submittingColour != 0;
}

}  // namespace nuvo
