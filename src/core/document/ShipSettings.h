#pragma once

#include <cstdint>
#include <vector>

#include "core/document/ShipMethod.h"
#include "core/document/SizeWeight.h"

// The listing's shipping: which of the service's own carrier services it offers (three groups),
// each group's settings and package size, and the seller's own list of shipping methods.
namespace nuvo {

class CShipSettings {
 public:
  // Group A, "ヤフネコ!パック".
  static constexpr std::uint32_t kNekoposu = 0x01;          // "ネコポス"
  static constexpr std::uint32_t kTakkyubin = 0x02;         // "宅急便"
  static constexpr std::uint32_t kTakkyubinCompact = 0x04;  // "宅急便コンパクト"
  // Group B, "はこBOON".
  static constexpr std::uint32_t kHakoboon = 0x08;
  static constexpr std::uint32_t kHakoboonMini = 0x10;
  // Group C, "ゆうパック・ゆうパケット（おてがる版）".
  static constexpr std::uint32_t kYuPack = 0x20;    // "ゆうパック（おてがる版）"
  static constexpr std::uint32_t kYuPacket = 0x40;  // "ゆうパケット（おてがる版）"
  static constexpr std::uint32_t kServiceMask = 0x7F;
  // The convenience-store prefecture of "はこBOON mini" when none was chosen.
  static constexpr std::int32_t kDefaultPrefecture = 13;
  static constexpr std::int32_t kPrefectureCount = 47;

  std::uint32_t GetServiceFlags() const { return serviceFlags_; }
  void SetServiceFlags(std::uint32_t flags) { serviceFlags_ = flags & kServiceMask; }
  std::int32_t GetGroupASetting() const { return groupASetting_; }
  void SetGroupASetting(std::int32_t value) { groupASetting_ = Switch(value); }
  std::int32_t GetGroupBSetting() const { return groupBSetting_; }
  void SetGroupBSetting(std::int32_t value) { groupBSetting_ = Switch(value); }
  // 0, or a prefecture number 1..47; anything else becomes kDefaultPrefecture.
  std::int32_t GetGroupBPrefecture() const { return groupBPrefecture_; }
  void SetGroupBPrefecture(std::int32_t index);
  std::int32_t GetGroupCSetting() const { return groupCSetting_; }
  void SetGroupCSetting(std::int32_t value) { groupCSetting_ = Switch(value); }

  CSizeWeight groupASize;
  CSizeWeight groupBSize;
  CSizeWeight groupCSize;
  std::vector<CShipMethod> methods;

  friend bool operator==(const CShipSettings&, const CShipSettings&) = default;

 private:
  // The group settings are switches: 0 or 1, anything else 0.
  static std::int32_t Switch(std::int32_t value) { return value == 1 ? 1 : 0; }

  std::uint32_t serviceFlags_ = 0;
  std::int32_t groupASetting_ = 0;
  std::int32_t groupBSetting_ = 0;
  std::int32_t groupBPrefecture_ = kDefaultPrefecture;
  std::int32_t groupCSetting_ = 0;
};

}  // namespace nuvo
