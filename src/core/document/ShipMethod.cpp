#include "core/document/ShipMethod.h"

#include <array>

#include "core/common/Encoding.h"

namespace nuvo {

std::int32_t CShipMethod::FeeTypeFromContent() const {
  if (HasRegionalFees()) return kFlatFeeAndRegions;
  if (IsEntered(fee)) return kFlatFee;
  if (!feeTableUrl.empty()) return kFeeTable;
  return kNotShown;
}

const std::string& CShipMethod::FeeTypeText(std::int32_t type) {
  static const std::array<std::string, kFeeTypeCount> texts = {
      Cp932("全国一律"), Cp932("全国一律 + 別料金"), Cp932("料金表ページ"), Cp932("表示しない"),
      Cp932("着払い")};
  static const std::string none;
  return type >= 0 && type < kFeeTypeCount ? texts[type] : none;
}

}  // namespace nuvo
