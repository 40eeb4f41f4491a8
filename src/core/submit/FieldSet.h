#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The sell form's values as the program means to send them: one slot per form field it manages,
// each either a value or "not set", which leaves the form's own value alone. Slot order and names
// are fixed; numbered fields ("shipfee1" ... "shipfee10") take ten consecutive slots.
namespace nuvo {

class CFormData;

// Slot indices. A numbered field's slot for row N (1 to 10) is its first slot + N - 1; see
// FieldRow.
enum FieldSlot : int {
  kFieldTos = 0,
  kFieldTitle,
  kFieldDescription,
  kFieldSalesMode,
  kFieldStartPrice,
  kFieldBidOrBuyPrice,
  kFieldOffer,
  kFieldQuantity,
  kFieldItemStatus,
  kFieldItemStatusComment,
  kFieldCategory,
  kFieldImageFullPath1 = 11,
  kFieldImageWidth1 = 21,
  kFieldImageHeight1 = 31,
  kFieldImageComment1 = 41,
  kFieldUserId = 51,
  kFieldLogin,
  kFieldDuration,
  kFieldClosingTime,
  kFieldNumResubmit,
  kFieldMarkdown,
  kFieldMarkdownRatio,
  kFieldCloseEarly,
  kFieldAutoExtension,
  kFieldShipping,
  kFieldShipTime,
  kFieldMinBidRating,
  kFieldBadRatingRatio,
  kFieldBidCreditLimit,
  kFieldAspj1 = 65,
  kFieldAspj3,
  kFieldAspj4,
  kFieldYpmOk,
  kFieldDskPayment,
  kFieldBankName1 = 70,
  kFieldPayMethod1 = 80,
  kFieldIntlOk = 90,
  kFieldYpkOk,
  kFieldLocationCode,
  kFieldCity,
  kFieldReturnPolicy,
  kFieldReturnPolicyComment,
  kFieldItemSize,
  kFieldItemWeight,
  kFieldHbItemSize,
  kFieldHbItemWeight,
  kFieldShipName1 = 100,
  kFieldShipFee1 = 110,
  kFieldLongDistShipping1 = 120,
  kFieldHokkaidoShipping1 = 130,
  kFieldOkinawaShipping1 = 140,
  kFieldIsolatedIslandShipping1 = 150,
  kFieldShipRateLink1 = 160,
  kFieldIntlAuction = 170,
  kFieldUseIntl,
  kFieldBoldSelected,
  kFieldHighlightListingSelected,
  kFieldPostageFreeSelected,
  kFieldFeaturedAmount,
  kFieldReservePrice,
  kFieldGiftSelected,
  kFieldCpaAmount,
  kFieldWrappingSelected,
  kFieldAffiliate,
  kFieldAffiliateRate,
  kFieldShippingInput = 182,
  kFieldShipSchedule,
  kFieldIsOtherShip,
  kFieldSalesContract,
  kFieldIsHbShip,
  kFieldIsHbMiniShip,
  kFieldSelectedHacoboonMiniCvsPref,
  kFieldIsYahunekoNekoposuShip,
  kFieldIsYahunekoTaqbinCompactShip,
  kFieldIsYahunekoTaqbinShip,
  kFieldIsJpYupacketOfficialShip,
  kFieldIsJpYupackOfficialShip,
};

// The slot of row `row` (1 to 10) of the numbered field whose row 1 is `first`.
constexpr int FieldRow(FieldSlot first, int row) { return first + row - 1; }

// Owns one value per slot.
class CFieldSet {
 public:
  static constexpr int kSlotCount = 194;
  static constexpr int kRows = 10;
  // The value of a slot that is not set.
  static constexpr std::string_view kNotDefined = "__zs_not_defined__";

  // The sell form's field name of `slot`; empty outside 0 to 193.
  static const std::string& Name(int slot);
  // The slot named `name` (exact letter case), or -1.
  static int SlotOf(std::string_view name);

  CFieldSet();

  // Every accessor ignores a slot outside 0 to 193: it reads as empty and writes nothing.
  void Set(int slot, std::string value);
  void SetInt(int slot, std::int64_t value) { Set(slot, std::to_string(value)); }
  // The slot's value; the marker when it is not set.
  const std::string& Get(int slot) const;
  // The leading decimal number of the value; 0 when it has none (an unset slot has none).
  std::int64_t GetInt(int slot) const;
  bool IsSet(int slot) const;
  // The value is the empty text (an unset slot is not empty).
  bool IsEmpty(int slot) const;
  // The value becomes the empty text: the field is sent empty.
  void Clear(int slot) { Set(slot, {}); }
  // The slot goes back to not set.
  void Unset(int slot);

  // Copies every slot that `from` sets; later writers win.
  void Merge(const CFieldSet& from);
  // Writes every set slot into `form` under its name, adding the fields the form lacks.
  void Apply(CFormData& form) const;

  bool operator==(const CFieldSet&) const = default;

 private:
  std::array<std::string, kSlotCount> values_;
};

}  // namespace nuvo
