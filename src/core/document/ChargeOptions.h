#pragma once

#include <cstdint>
#include <string>

// The listing's paid options of the auction service. Setters keep the values in their ranges:
// only the known option bits survive and an unknown icon kind counts as no icon.
namespace nuvo {

class CChargeOptions {
 public:
  static constexpr std::uint32_t kBoldText = 0x1;          // "太字テキスト"
  static constexpr std::uint32_t kBackgroundColor = 0x2;   // "背景色"
  static constexpr std::uint32_t kGiftIcon = 0x8;          // "贈答品アイコン"
  static constexpr std::uint32_t kAffiliate = 0x10000000;  // "アフィリエイト"
  static constexpr std::uint32_t kOptionFlagMask =
      kBoldText | kBackgroundColor | kGiftIcon | kAffiliate;

  std::int32_t GetFeaturedAmount() const { return featuredAmount_; }
  void SetFeaturedAmount(std::int32_t yenPerDay) { featuredAmount_ = yenPerDay; }
  std::int64_t GetReservePrice() const { return reservePrice_; }
  void SetReservePrice(std::int64_t yen) { reservePrice_ = yen; }
  std::int32_t GetIconKind() const { return iconKind_; }
  // 0 is no icon, 2..8 the chosen icon; anything else becomes 0.
  void SetIconKind(std::int32_t kind) { iconKind_ = IsIconKind(kind) ? kind : 0; }
  std::uint32_t GetOptionFlags() const { return optionFlags_; }
  void SetOptionFlags(std::uint32_t flags) { optionFlags_ = flags & kOptionFlagMask; }
  // Tenths of a percent of the price (15 is 1.5 %).
  std::int32_t GetCollectionRate() const { return collectionRate_; }
  void SetCollectionRate(std::int32_t tenthsOfPercent) { collectionRate_ = tenthsOfPercent; }

  // "%d.%d": the whole percent, then the tenths.
  std::string CollectionRateText() const;
  // Whether any paid option is chosen.
  bool IsSet() const;

  friend bool operator==(const CChargeOptions&, const CChargeOptions&) = default;

 private:
  static bool IsIconKind(std::int32_t kind) { return kind >= 2 && kind <= 8; }

  std::int32_t featuredAmount_ = 0;
  std::int64_t reservePrice_ = 0;
  std::int32_t iconKind_ = 0;
  std::uint32_t optionFlags_ = 0;
  std::int32_t collectionRate_ = 0;
};

}  // namespace nuvo
