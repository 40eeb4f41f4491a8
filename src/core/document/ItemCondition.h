#pragma once

#include <cstdint>
#include <span>
#include <string>

// The item's condition: a kind from 0 to 7 and a free remark. The listing document carries one
// as its second base; it is also copied out and in as a value.
namespace nuvo {

class CItemCondition {
 public:
  static constexpr std::int32_t kDefaultKind = 5;  // "やや傷や汚れあり"
  static constexpr std::int32_t kKindCount = 8;

  CItemCondition() = default;
  CItemCondition(std::int32_t kind, std::string remark);
  CItemCondition(const CItemCondition&) = default;
  CItemCondition& operator=(const CItemCondition&) = default;
  virtual ~CItemCondition() = default;

  std::int32_t GetKind() const { return kind_; }
  // A kind outside 0..7 becomes the default kind.
  void SetKind(std::int32_t kind);
  const std::string& GetRemark() const { return remark_; }
  void SetRemark(std::string remark) { remark_ = std::move(remark); }

  // The display text of a kind (code page 932); empty outside 0..7.
  static const std::string& KindText(std::int32_t kind);
  // "中古" (0) and "その他" (2) were withdrawn by the service and are refused on submission.
  static bool IsRetired(std::int32_t kind) { return kind == 0 || kind == 2; }
  // "その他" cannot go without a remark.
  static bool NeedsRemark(std::int32_t kind) { return kind == 2; }
  // The kinds in the order the condition list shows them; the retired ones come last and are
  // left out when hidden.
  static std::span<const std::int32_t> ListOrder(bool showRetired);
  // Position of `kind` in that list, -1 when the list does not show it.
  static int ListPosition(std::int32_t kind, bool showRetired);

  friend bool operator==(const CItemCondition& a, const CItemCondition& b) {
    return a.kind_ == b.kind_ && a.remark_ == b.remark_;
  }

 private:
  std::int32_t kind_ = kDefaultKind;
  std::string remark_;
};

}  // namespace nuvo
