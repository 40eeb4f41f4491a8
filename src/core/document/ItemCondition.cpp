#include "core/document/ItemCondition.h"

#include <algorithm>
#include <array>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

constexpr std::array<std::int32_t, 8> kListOrder = {1, 3, 4, 5, 6, 7, 0, 2};
constexpr std::size_t kCurrentKindCount = 6;

}  // namespace

CItemCondition::CItemCondition(std::int32_t kind, std::string remark) : remark_(std::move(remark)) {
  SetKind(kind);
}

void CItemCondition::SetKind(std::int32_t kind) {
  kind_ = kind >= 0 && kind < kKindCount ? kind : kDefaultKind;
}

const std::string& CItemCondition::KindText(std::int32_t kind) {
  static const std::array<std::string, kKindCount> texts = {
      Cp932("中古"),         Cp932("新品、未使用"),         Cp932("その他"),
      Cp932("未使用に近い"), Cp932("目立った傷や汚れなし"), Cp932("やや傷や汚れあり"),
      Cp932("傷や汚れあり"), Cp932("全体的に状態が悪い"),
  };
  static const std::string none;
  return kind >= 0 && kind < kKindCount ? texts[kind] : none;
}

std::span<const std::int32_t> CItemCondition::ListOrder(bool showRetired) {
  return std::span(kListOrder).first(showRetired ? kListOrder.size() : kCurrentKindCount);
}

int CItemCondition::ListPosition(std::int32_t kind, bool showRetired) {
  auto order = ListOrder(showRetired);
  auto it = std::find(order.begin(), order.end(), kind);
  return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

}  // namespace nuvo
