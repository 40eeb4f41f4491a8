#include "core/document/ShipSettings.h"

namespace nuvo {

void CShipSettings::SetGroupBPrefecture(std::int32_t index) {
  groupBPrefecture_ = index >= 0 && index <= kPrefectureCount ? index : kDefaultPrefecture;
}

}  // namespace nuvo
