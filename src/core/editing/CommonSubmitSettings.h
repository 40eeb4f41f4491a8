#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/AppComm.h"

// The seller's common submission settings ("出品共通設定"): the choices that every listing is
// submitted with (auction length, closing hour, re-listing, bidder limits, markdown, payment,
// delivery, return policy). Each page of the settings dialog owns one group, kept in a dialog
// section of its own; reading brings every value into its range and never writes. The pages turn
// their values into sell-form field values for the form variant they were made for.
namespace nuvo {

// Sell-form field values in the order they were written: a name and its text, where the empty
// text clears the field. Fields a page does not name keep what the form holds.
using SellFormValues = std::vector<std::pair<std::string, std::string>>;

// The form variant a page was made for: the older normal listing form, or the easy-trade one.
enum class ESubmitForm { Normal = 0, EasyTrade = 1 };

// The sections of the pages' remembered values, one per page.
inline constexpr int kSubmitSettingDialogId = 145;  // the dialog, with its histories
inline constexpr int kBasicPageId = 24100;
inline constexpr int kBidLimitPageId = 24101;
inline constexpr int kMarkdownPageId = 24102;
inline constexpr int kPayEasyTradingPageId = 24103;
inline constexpr int kPayNormalPageId = 24104;
inline constexpr int kPostPageId = 24105;
inline constexpr int kReturnPolicyPageId = 24106;

// Auction length, closing hour and automatic re-listing.
struct CSubmitBasicSettings {
  static constexpr int kCloseEarly = 0x1;
  static constexpr int kAutoExtension = 0x2;
  static constexpr int kMinDuration = 1, kMaxDuration = 7;
  static constexpr int kMaxClosingTime = 23;
  static constexpr int kMaxResubmit = 3;

  int toggleVal = kCloseEarly | kAutoExtension;
  int duration = 5;      // days
  int closingTime = 21;  // hour of the day
  int numResubmit = 3;   // automatic re-listings

  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;
  void Write(SellFormValues& out) const;
  // Whether every value is still what a first start gives.
  bool IsDefault() const;
  bool operator==(const CSubmitBasicSettings&) const = default;
};

// Who may bid: rating and credit limits, and the sales contract of the normal form.
struct CSubmitBidLimitSettings {
  static constexpr int kMinBidRating = 0x1;
  static constexpr int kBadRatingRatio = 0x2;
  static constexpr int kBidCreditLimit = 0x4;
  static constexpr int kSalesContract = 0x10;
  static constexpr int kMask = 0x17;

  int toggleVal = kMinBidRating | kBadRatingRatio;

  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;
  void Write(SellFormValues& out, ESubmitForm form) const;
  bool operator==(const CSubmitBidLimitSettings&) const = default;
};

// Automatic markdown on each re-listing, by a percentage from a fixed table.
struct CSubmitMarkdownSettings {
  static constexpr int kMarkdownOn = 0x1;
  static constexpr std::array<int, 6> kRatios = {5, 10, 15, 20, 25, 30};

  int toggleVal = 0;
  int markdownRatio = 0;  // index into kRatios

  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;
  void Write(SellFormValues& out) const;
  bool IsOn() const { return (toggleVal & kMarkdownOn) != 0; }
  bool operator==(const CSubmitMarkdownSettings&) const = default;
};

// Payment: the service's own settlement, and for the normal form the seller's bank accounts and
// other ways to pay.
struct CSubmitPaySettings {
  static constexpr int kEasyPayment = 0x1;  // "Yahoo!かんたん決済"
  static constexpr int kMaxEntries = 10;

  int aspj = kEasyPayment;
  std::vector<std::string> bankNames;        // at most kMaxEntries, no empty entry
  std::vector<std::string> otherPayMethods;  // likewise

  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;
  void Write(SellFormValues& out, ESubmitForm form) const;
  bool operator==(const CSubmitPaySettings&) const = default;
};

// Delivery: who pays the postage, when the item is sent, shipping from abroad, where it is sent
// from.
struct CSubmitPostSettings {
  static constexpr int kIntlOk = 0x2;
  static constexpr int kYpkOk = 0x8;
  static constexpr int kShipScheduleOn = 0x10;
  static constexpr int kToggleMask = kIntlOk | kYpkOk | kShipScheduleOn;
  static constexpr std::array<int, 4> kScheduleCodes = {1, 4, 5, 6};
  static constexpr int kShipAfterPayment = 0;  // "payment"
  static constexpr int kShipAfterClose = 1;    // "close"

  int shipping = 0;  // non-zero: the seller pays the postage
  int shipTime = kShipAfterPayment;
  int shipSchedule = 0;  // index into kScheduleCodes
  int toggleVal = 0;
  int locCd = 13;  // prefecture number, 1..47
  std::string city;

  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;
  void Write(SellFormValues& out, ESubmitForm form) const;
  bool SellerPaysPostage() const { return shipping != 0; }
  bool operator==(const CSubmitPostSettings&) const = default;
};

// Whether returns are accepted, with the seller's note.
struct CSubmitReturnPolicySettings {
  int returnPolicy = 0;
  std::string returnPolicyNote;

  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;
  void Write(SellFormValues& out) const;
  bool operator==(const CSubmitReturnPolicySettings&) const = default;
};

// The whole set, as the dialog edits it and a submission sends it.
class CCommonSubmitSettings {
 public:
  static constexpr int kMaxHistory = 10;

  explicit CCommonSubmitSettings(ESubmitForm form = ESubmitForm::EasyTrade) : form_(form) {}

  ESubmitForm Form() const { return form_; }
  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;
  // The sell-form values of every page, for this variant's form.
  SellFormValues FormValues() const;

  // Where Validate found a value the basic page cannot take.
  enum class EInvalid { Duration, ClosingTime, NumResubmit };
  std::optional<EInvalid> Validate() const;

  CSubmitBasicSettings basic;
  CSubmitBidLimitSettings bidLimit;
  CSubmitMarkdownSettings markdown;
  CSubmitPaySettings pay;
  CSubmitPostSettings post;
  CSubmitReturnPolicySettings returnPolicy;

  bool operator==(const CCommonSubmitSettings&) const = default;

 private:
  ESubmitForm form_;
};

// The bank names and other ways to pay that the seller has typed before, newest first, offered
// again in the payment page's lists.
struct CSubmitSettingHistory {
  std::vector<std::string> bankNames;
  std::vector<std::string> payMethods;

  void Load(CAppComm& app);
  void Save(CAppComm& app) const;
  // Puts each non-empty text first in its list, without repeats, keeping at most ten.
  void Remember(const CSubmitPaySettings& pay);
};

}  // namespace nuvo
