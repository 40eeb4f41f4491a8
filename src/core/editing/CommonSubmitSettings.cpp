#include "core/editing/CommonSubmitSettings.h"

#include <algorithm>

#include "core/app/DialogSettings.h"
#include "core/editing/Prefectures.h"

namespace nuvo {
namespace {

const std::string kToggleVal = "ToggleVal";

// A page's section, read through a reader of its own so that reading needs no writable settings.
class CPageSection {
 public:
  CPageSection(const CAppComm& app, int pageId) : app_(app.Backend()), section_(app_, pageId) {}

  int Int(const std::string& key, int defaultValue) const {
    return section_.GetDialogInt(key, defaultValue);
  }
  // A value outside min..max becomes `fallback`.
  int Ranged(const std::string& key, int defaultValue, int min, int max, int fallback) const {
    const int value = Int(key, defaultValue);
    return value >= min && value <= max ? value : fallback;
  }
  std::string Text(const std::string& key) const { return section_.GetDialogString(key); }
  // The numbered texts up to the first empty one.
  std::vector<std::string> List(const char* keyFormat, int count) const {
    std::vector<std::string> list;
    section_.GetDialogStringList(keyFormat, list, count);
    list.erase(std::find(list.begin(), list.end(), std::string()), list.end());
    return list;
  }

 private:
  CAppComm app_;
  CDialogSettings section_;
};

std::string YesIf(bool on) { return on ? "yes" : ""; }
std::string OneIf(bool on) { return on ? "1" : ""; }

void PutFirst(std::vector<std::string>& list, const std::string& text, std::size_t max) {
  if (text.empty()) return;
  list.erase(std::remove(list.begin(), list.end(), text), list.end());
  list.insert(list.begin(), text);
  if (list.size() > max) list.resize(max);
}

}  // namespace

void CSubmitBasicSettings::Load(const CAppComm& app) {
  const CPageSection page(app, kBasicPageId);
  const CSubmitBasicSettings defaults;
  toggleVal = page.Int(kToggleVal, defaults.toggleVal) & (kCloseEarly | kAutoExtension);
  duration =
      page.Ranged("Duration", defaults.duration, kMinDuration, kMaxDuration, defaults.duration);
  closingTime =
      page.Ranged("ClosingTime", defaults.closingTime, 0, kMaxClosingTime, defaults.closingTime);
  numResubmit = page.Ranged("NumResubmit", defaults.numResubmit, 0, kMaxResubmit, kMaxResubmit);
}

void CSubmitBasicSettings::Save(CAppComm& app) const {
  CDialogSettings page(app, kBasicPageId);
  page.WriteDialogInt(kToggleVal, toggleVal);
  page.WriteDialogInt("Duration", duration);
  page.WriteDialogInt("ClosingTime", closingTime);
  page.WriteDialogInt("NumResubmit", numResubmit);
}

void CSubmitBasicSettings::Write(SellFormValues& out) const {
  out.emplace_back("Duration", std::to_string(duration));
  out.emplace_back("ClosingTime", std::to_string(closingTime));
  out.emplace_back("numResubmit", std::to_string(numResubmit));
  out.emplace_back("CloseEarly", YesIf(toggleVal & kCloseEarly));
  out.emplace_back("AutoExtension", YesIf(toggleVal & kAutoExtension));
}

bool CSubmitBasicSettings::IsDefault() const { return *this == CSubmitBasicSettings(); }

void CSubmitBidLimitSettings::Load(const CAppComm& app) {
  toggleVal =
      CPageSection(app, kBidLimitPageId).Int(kToggleVal, kMinBidRating | kBadRatingRatio) & kMask;
}

void CSubmitBidLimitSettings::Save(CAppComm& app) const {
  CDialogSettings(app, kBidLimitPageId).WriteDialogInt(kToggleVal, toggleVal);
}

void CSubmitBidLimitSettings::Write(SellFormValues& out, ESubmitForm form) const {
  out.emplace_back("minBidRating", toggleVal & kMinBidRating ? "0" : "");
  out.emplace_back("badRatingRatio", YesIf(toggleVal & kBadRatingRatio));
  out.emplace_back("bidCreditLimit", OneIf(toggleVal & kBidCreditLimit));
  // Only the normal form offers a sales contract.
  if (form == ESubmitForm::Normal) {
    out.emplace_back("salesContract", OneIf(toggleVal & kSalesContract));
  }
}

void CSubmitMarkdownSettings::Load(const CAppComm& app) {
  const CPageSection page(app, kMarkdownPageId);
  toggleVal = page.Int(kToggleVal, 0) & kMarkdownOn;
  markdownRatio = page.Ranged("MarkdownRatio", 0, 0, static_cast<int>(kRatios.size()) - 1, 0);
}

void CSubmitMarkdownSettings::Save(CAppComm& app) const {
  CDialogSettings page(app, kMarkdownPageId);
  page.WriteDialogInt(kToggleVal, toggleVal);
  page.WriteDialogInt("MarkdownRatio", markdownRatio);
}

void CSubmitMarkdownSettings::Write(SellFormValues& out) const {
  out.emplace_back("markdown", OneIf(IsOn()));
  const bool ratioKnown = markdownRatio >= 0 && markdownRatio < static_cast<int>(kRatios.size());
  out.emplace_back("markdown_ratio",
                   IsOn() && ratioKnown
                       ? std::to_string(kRatios[static_cast<std::size_t>(markdownRatio)])
                       : std::string());
}

void CSubmitPaySettings::Load(const CAppComm& app) {
  aspj = CPageSection(app, kPayEasyTradingPageId).Int("Aspj", kEasyPayment) & kEasyPayment;
  const CPageSection normal(app, kPayNormalPageId);
  bankNames = normal.List("BankName%02d", kMaxEntries);
  otherPayMethods = normal.List("OtherPayMethod%02d", kMaxEntries);
}

void CSubmitPaySettings::Save(CAppComm& app) const {
  CDialogSettings(app, kPayEasyTradingPageId).WriteDialogInt("Aspj", aspj);
  CDialogSettings normal(app, kPayNormalPageId);
  normal.WriteDialogStringList("BankName%02d", bankNames, kMaxEntries);
  normal.WriteDialogStringList("OtherPayMethod%02d", otherPayMethods, kMaxEntries);
}

void CSubmitPaySettings::Write(SellFormValues& out, ESubmitForm form) const {
  out.emplace_back("ypmOK", YesIf(aspj & kEasyPayment));
  // The easy-trade form takes no other ways to pay, and its account is one the seller registered
  // with the service: the bank names go along only to pick that account.
  const bool normal = form == ESubmitForm::Normal;
  for (std::size_t i = 0; i < static_cast<std::size_t>(kMaxEntries); ++i) {
    const std::string number = std::to_string(i + 1);
    out.emplace_back("bkname" + number, i < bankNames.size() ? bankNames[i] : std::string());
    out.emplace_back("paymethod" + number,
                     normal && i < otherPayMethods.size() ? otherPayMethods[i] : std::string());
  }
}

void CSubmitPostSettings::Load(const CAppComm& app) {
  const CPageSection page(app, kPostPageId);
  const CSubmitPostSettings defaults;
  shipping = page.Int("Shipping", defaults.shipping) != 0 ? 1 : 0;
  shipTime = page.Int("ShipTime", defaults.shipTime) == kShipAfterClose ? kShipAfterClose
                                                                        : kShipAfterPayment;
  // Before four schedules there were three, kept under another key.
  const int older = page.Ranged("ShipSchedule", 0, 0, 2, 0);
  shipSchedule =
      page.Ranged("ShipSchedule_Rev2", older, 0, static_cast<int>(kScheduleCodes.size()) - 1, 0);
  toggleVal = page.Int(kToggleVal, defaults.toggleVal) & kToggleMask;
  locCd = page.Ranged("LocCd", defaults.locCd, 1, kPrefectureCount, defaults.locCd);
  city = page.Text("City");
}

void CSubmitPostSettings::Save(CAppComm& app) const {
  CDialogSettings page(app, kPostPageId);
  page.WriteDialogInt("Shipping", shipping);
  page.WriteDialogInt("ShipTime", shipTime);
  page.WriteDialogInt("ShipSchedule_Rev2", shipSchedule);
  page.WriteDialogInt(kToggleVal, toggleVal);
  page.WriteDialogInt("LocCd", locCd);
  page.WriteDialogString("City", city);
}

void CSubmitPostSettings::Write(SellFormValues& out, ESubmitForm form) const {
  out.emplace_back("shipping", SellerPaysPostage() ? "seller" : "buyer");
  // The easy-trade form always sends once the buyer has paid; only the normal form asks.
  if (form == ESubmitForm::Normal) {
    out.emplace_back("shiptime", shipTime == kShipAfterClose ? "close" : "payment");
  }
  out.emplace_back("intlOK", OneIf(toggleVal & kIntlOk));
  if (form == ESubmitForm::Normal) out.emplace_back("ypkOK", OneIf(toggleVal & kYpkOk));
  out.emplace_back("loc_cd", std::to_string(locCd));
  out.emplace_back("city", city);
  const bool scheduleKnown =
      shipSchedule >= 0 && shipSchedule < static_cast<int>(kScheduleCodes.size());
  out.emplace_back("shipschedule",
                   (toggleVal & kShipScheduleOn) && scheduleKnown
                       ? std::to_string(kScheduleCodes[static_cast<std::size_t>(shipSchedule)])
                       : std::string());
}

void CSubmitReturnPolicySettings::Load(const CAppComm& app) {
  const CPageSection page(app, kReturnPolicyPageId);
  returnPolicy = page.Int("ReturnPolicy", 0) != 0 ? 1 : 0;
  returnPolicyNote = page.Text("ReturnPolicyNote");
}

void CSubmitReturnPolicySettings::Save(CAppComm& app) const {
  CDialogSettings page(app, kReturnPolicyPageId);
  page.WriteDialogInt("ReturnPolicy", returnPolicy);
  page.WriteDialogString("ReturnPolicyNote", returnPolicyNote);
}

void CSubmitReturnPolicySettings::Write(SellFormValues& out) const {
  out.emplace_back("retpolicy", returnPolicy ? "1" : "0");
  out.emplace_back("retpolicy_comment", returnPolicyNote);
}

void CCommonSubmitSettings::Load(const CAppComm& app) {
  basic.Load(app);
  bidLimit.Load(app);
  markdown.Load(app);
  pay.Load(app);
  post.Load(app);
  returnPolicy.Load(app);
}

void CCommonSubmitSettings::Save(CAppComm& app) const {
  basic.Save(app);
  bidLimit.Save(app);
  markdown.Save(app);
  pay.Save(app);
  post.Save(app);
  returnPolicy.Save(app);
}

SellFormValues CCommonSubmitSettings::FormValues() const {
  SellFormValues out;
  basic.Write(out);
  bidLimit.Write(out, form_);
  markdown.Write(out);
  pay.Write(out, form_);
  post.Write(out, form_);
  returnPolicy.Write(out);
  return out;
}

std::optional<CCommonSubmitSettings::EInvalid> CCommonSubmitSettings::Validate() const {
  if (basic.duration < CSubmitBasicSettings::kMinDuration ||
      basic.duration > CSubmitBasicSettings::kMaxDuration) {
    return EInvalid::Duration;
  }
  if (basic.closingTime < 0 || basic.closingTime > CSubmitBasicSettings::kMaxClosingTime) {
    return EInvalid::ClosingTime;
  }
  if (basic.numResubmit < 0 || basic.numResubmit > CSubmitBasicSettings::kMaxResubmit) {
    return EInvalid::NumResubmit;
  }
  return std::nullopt;
}

void CSubmitSettingHistory::Load(CAppComm& app) {
  CDialogSettings dialog(app, kSubmitSettingDialogId);
  const auto read = [&](const char* format) {
    std::vector<std::string> list;
    dialog.GetDialogStringList(format, list, CCommonSubmitSettings::kMaxHistory);
    list.erase(std::find(list.begin(), list.end(), std::string()), list.end());
    return list;
  };
  bankNames = read("HisBankName%02d");
  payMethods = read("HisPayMethod%02d");
}

void CSubmitSettingHistory::Save(CAppComm& app) const {
  CDialogSettings dialog(app, kSubmitSettingDialogId);
  dialog.WriteDialogStringList("HisBankName%02d", bankNames, CCommonSubmitSettings::kMaxHistory);
  dialog.WriteDialogStringList("HisPayMethod%02d", payMethods, CCommonSubmitSettings::kMaxHistory);
}

void CSubmitSettingHistory::Remember(const CSubmitPaySettings& pay) {
  const auto max = static_cast<std::size_t>(CCommonSubmitSettings::kMaxHistory);
  for (auto it = pay.bankNames.rbegin(); it != pay.bankNames.rend(); ++it) {
    PutFirst(bankNames, *it, max);
  }
  for (auto it = pay.otherPayMethods.rbegin(); it != pay.otherPayMethods.rend(); ++it) {
    PutFirst(payMethods, *it, max);
  }
}

}  // namespace nuvo
