#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/editing/CommonSubmitSettings.h"

// The checks a listing passes before it is submitted: prices, title, condition, the images the
// page loads by address, characters other systems cannot show, empty list items, paid options,
// the shipping rules of the form and the numbers the form can take. Each check looks at the
// listing, the option bits and the common settings and returns what it found; it changes
// nothing and asks nothing. The editor sheet turns a finding into focus and a message, nuvo-cli
// prints them all.
namespace nuvo {

class CNuvoDoc;

// The parts of the listing a finding points at (nuvo-cli prints these names).
namespace check_field {
inline constexpr char kStartPrice[] = "StartPrice";
inline constexpr char kBuyNowPrice[] = "BidOrBuyPrice";
inline constexpr char kQuantity[] = "Quantity";
inline constexpr char kTitle[] = "Title";
inline constexpr char kCondition[] = "Condition";
inline constexpr char kInternetImages[] = "InternetImage";
inline constexpr char kDescription[] = "Description";
inline constexpr char kPost[] = "Post";
inline constexpr char kPay[] = "Pay";
inline constexpr char kOther[] = "Other";
inline constexpr char kPaidOptions[] = "ChargeOption";
inline constexpr char kShipMethod[] = "ShipMethod";      // a row of the shipping methods
inline constexpr char kShipServices[] = "ShipServices";  // the service's own methods
inline constexpr char kSettings[] = "SubmitSettings";
}  // namespace check_field

struct CSubmitFinding {
  std::string step;  // which check found it: "start-price", "shipping", ...
  int messageId = 0;
  std::string message;  // code page 932, placeholders filled
  std::string field;    // one of check_field
  int row = -1;         // the row of a list field, else -1
  // The text to select in the field: byte offset and length in the field's text.
  std::size_t selectionStart = 0;
  std::size_t selectionLength = 0;
  bool stops = false;  // the submission cannot go on
  bool asks = false;   // the seller decides, Yes goes on
  // For a title or list field: which text of a row ("Item" or "Detail"); else empty.
  std::string part;
};

// What the checks need besides the listing.
struct CSubmitCheckContext {
  int optionValue = 0;  // bits of OptionBits.h
  ESubmitForm form = ESubmitForm::EasyTrade;
  bool sellerPaysPostage = false;  // from the delivery settings
  std::size_t bannerCount = 0;     // the seller's common banners that the page can show
};

// The most images a page may load by address.
inline constexpr std::size_t kMaxPageInternetImages = 7;
// The range of a start price.
inline constexpr std::int64_t kMinStartPrice = 1;
inline constexpr std::int64_t kMaxStartPrice = 9'999'999'999;

// The buy-now price the form is sent: a fixed-price listing sells at its start price.
std::int64_t SubmittedBuyNowPrice(const CNuvoDoc& doc);
// The images the listing's page loads by address: the internet images, the banners the page
// shows and, for HTML input, the images of the description itself.
std::size_t CountPageInternetImages(const CNuvoDoc& doc, std::size_t bannerCount,
                                    std::size_t* inDescription = nullptr);

// One check each, in the order a submission runs them.
std::vector<CSubmitFinding> CheckStartPrice(const CNuvoDoc& doc);
std::vector<CSubmitFinding> CheckBuyNowPrice(const CNuvoDoc& doc);
std::vector<CSubmitFinding> CheckTitle(const CNuvoDoc& doc);
std::vector<CSubmitFinding> CheckCondition(const CNuvoDoc& doc);
std::vector<CSubmitFinding> CheckInternetImages(const CNuvoDoc& doc, std::size_t bannerCount);
// Every title, description text and list item of the current input type that holds one.
std::vector<CSubmitFinding> CheckMachineDependentChars(const CNuvoDoc& doc);
// One finding per item list (shipping, payment, other) that holds empty items.
std::vector<CSubmitFinding> CheckEmptyItems(const CNuvoDoc& doc);
std::vector<CSubmitFinding> CheckPaidOptions(const CNuvoDoc& doc, int optionValue);
std::vector<CSubmitFinding> CheckShipping(const CNuvoDoc& doc, ESubmitForm form);
std::vector<CSubmitFinding> CheckCashOnDelivery(const CNuvoDoc& doc,
                                                const CSubmitCheckContext& context);
// The numbers whose text is longer than the form's fields take.
std::vector<CSubmitFinding> CheckNumberLengths(const CNuvoDoc& doc);

// One check bound to what it needs besides the listing.
using SubmitCheck = std::function<std::vector<CSubmitFinding>(const CNuvoDoc&)>;

// The checks the options turn on, in the order a submission runs them. A submission offers links
// for bare addresses between the first two lists and confirms the common settings before the
// last, whose checks read the settings through the context.
std::vector<SubmitCheck> ChecksBeforeLinks(const CSubmitCheckContext& context);
std::vector<SubmitCheck> ChecksAfterLinks(const CSubmitCheckContext& context);
std::vector<SubmitCheck> ChecksAfterSettings(const CSubmitCheckContext& context);

// Everything the checks of the lists find, so that a seller can fix a listing in one pass.
std::vector<CSubmitFinding> CheckBeforeSettings(const CNuvoDoc& doc,
                                                const CSubmitCheckContext& context);
std::vector<CSubmitFinding> CheckAfterSettings(const CNuvoDoc& doc,
                                               const CSubmitCheckContext& context);
std::vector<CSubmitFinding> CheckListing(const CNuvoDoc& doc, const CSubmitCheckContext& context);

// Whether the names are reserved to the service's own methods (list A), cannot hide their fee
// (list B) or cannot be sent cash on delivery (list C). A name matches when it starts with an
// entry.
bool IsReservedShipName(const std::string& name);
bool IsFixedFeeShipName(const std::string& name);
bool IsNoCashOnDeliveryShipName(const std::string& name);

}  // namespace nuvo
