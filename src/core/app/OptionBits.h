#pragma once

// The on/off options kept together in the bit set "OptionValue" of the section "Settings". Code
// tests an option by name: `options.optionValue & kOptionShowCompletion`. Bits without a name
// here belong to the feature that uses them.
namespace nuvo {

// Remember the last page opened when a category is chosen from the service's web pages.
inline constexpr int kOptionRememberCategoryPage = 0x0001;
// Ask for confirmation before submitting a listing with paid options.
inline constexpr int kOptionConfirmPaidOptions = 0x0004;
// Warn about characters that other systems cannot show.
inline constexpr int kOptionWarnMachineDependentChars = 0x0008;
// Show the completion message after a submission.
inline constexpr int kOptionShowCompletionMessage = 0x0010;
// Show the final confirmation dialog before the listing is posted.
inline constexpr int kOptionShowFinalConfirmation = 0x0020;
// Warn about empty items in the description's lists.
inline constexpr int kOptionWarnEmptyItems = 0x0040;
// Find addresses in the description that have no link.
inline constexpr int kOptionDetectUnlinkedAddresses = 0x0080;
// Warn when a photo of more than one megabyte is added.
inline constexpr int kOptionWarnLargePhotos = 0x0400;
// Ask for confirmation when automatic markdown is set.
inline constexpr int kOptionConfirmMarkdown = 0x0800;
// Upload the photos together in as few requests as their size allows.
inline constexpr int kOptionUploadPhotosTogether = 0x2000;
// Warn when seller-paid postage is combined with cash-on-delivery shipping.
inline constexpr int kOptionWarnCashOnDelivery = 0x4000;

// The bits that can be set: bit 0x0200 and every bit from 0x8000 up are cleared on reading.
inline constexpr int kOptionValueMask = 0x7DFF;
// The options of a first start, and what the options dialog resets to.
inline constexpr int kOptionValueDefault = 0x7CFF & kOptionValueMask;

}  // namespace nuvo
