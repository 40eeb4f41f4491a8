#pragma once

#include <cstdint>
#include <string>

// One shipping method of the listing: a name, how its fee is told, the fees and the address of
// a fee table. Which fields count depends on the fee type. Amounts are yen; -1 is not entered.
namespace nuvo {

class CShipMethod {
 public:
  enum FeeType : std::int32_t {
    kFlatFee = 0,        // "全国一律"
    kFlatFeeAndRegions,  // "全国一律 + 別料金"
    kFeeTable,           // "料金表ページ"
    kNotShown,           // "表示しない"
    kCashOnDelivery,     // "着払い"
  };
  static constexpr std::int32_t kFeeTypeCount = 5;
  static constexpr std::int64_t kNotEntered = -1;

  std::string name;
  std::int32_t feeType = kFlatFee;
  std::int64_t fee = kNotEntered;
  std::int64_t hokkaidoFee = kNotEntered;
  std::int64_t okinawaFee = kNotEntered;
  std::int64_t islandsFee = kNotEntered;
  std::string feeTableUrl;

  // A fee type outside 0..4 becomes "表示しない".
  void SetFeeType(std::int32_t type) {
    feeType = type >= 0 && type < kFeeTypeCount ? type : kNotShown;
  }
  bool UsesFee() const { return feeType == kFlatFee || feeType == kFlatFeeAndRegions; }
  bool UsesRegionalFees() const { return feeType == kFlatFeeAndRegions; }
  bool UsesFeeTable() const { return feeType == kFeeTable; }
  // Any fee at or above 0 was typed in.
  static bool IsEntered(std::int64_t yen) { return yen >= 0; }
  bool HasRegionalFees() const {
    return IsEntered(hokkaidoFee) || IsEntered(okinawaFee) || IsEntered(islandsFee);
  }
  // The fee type that fits what the method holds: regional fees, else a fee, else a fee table
  // address, else nothing to show. Listings from before fee types existed get theirs this way.
  std::int32_t FeeTypeFromContent() const;

  // The display text of a fee type (code page 932); empty outside 0..4.
  static const std::string& FeeTypeText(std::int32_t type);

  friend bool operator==(const CShipMethod&, const CShipMethod&) = default;
};

}  // namespace nuvo
