#include "core/document/ChargeOptions.h"

#include <cstdlib>

namespace nuvo {

std::string CChargeOptions::CollectionRateText() const {
  return std::to_string(collectionRate_ / 10) + "." +
         std::to_string(std::abs(collectionRate_ % 10));
}

bool CChargeOptions::IsSet() const {
  return featuredAmount_ > 0 || reservePrice_ > 0 || IsIconKind(iconKind_) || collectionRate_ > 0 ||
         (optionFlags_ & kOptionFlagMask) != 0;
}

}  // namespace nuvo
