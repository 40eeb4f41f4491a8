#include "core/editing/SubmitChecks.h"

#include <algorithm>
#include <array>
#include <functional>

#include "core/app/OptionBits.h"
#include "core/common/Encoding.h"
#include "core/common/MessageFormat.h"
#include "core/common/StringTable.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/EmptyRowsCommand.h"
#include "core/editing/MachineDependentChars.h"
#include "core/html/HtmlNode.h"
#include "core/html/HtmlParser.h"

namespace nuvo {
namespace {

CSubmitFinding Stop(const char* step, int id, const char* field,
                    std::initializer_list<MessageArg> args = {}, int row = -1) {
  CSubmitFinding finding;
  finding.step = step;
  finding.messageId = id;
  finding.message = FormatMessageId(id, args);
  finding.field = field;
  finding.row = row;
  finding.stops = true;
  return finding;
}

CSubmitFinding Ask(const char* step, int id, const char* field, int row = -1) {
  CSubmitFinding finding = Stop(step, id, field, {}, row);
  finding.stops = false;
  finding.asks = true;
  return finding;
}

std::vector<CSubmitFinding> One(CSubmitFinding finding) { return {std::move(finding)}; }

bool StartsWithAny(const std::string& name, const std::vector<std::string>& entries) {
  return std::any_of(entries.begin(), entries.end(),
                     [&](const std::string& entry) { return name.starts_with(entry); });
}

const std::vector<std::string>& ListA() {
  static const std::vector<std::string> list = {
      Cp932("ヤフネコ"), Cp932("ゆうパケット（おてがる版）"), Cp932("ゆうパック（おてがる版）")};
  return list;
}

const std::vector<std::string>& ListC() {
  static const std::vector<std::string> list = {
      Cp932("クリックポスト"), Cp932("レターパックプラス"), Cp932("レターパックライト"),
      Cp932("定形郵便"),       Cp932("定形外郵便"),         Cp932("飛脚メール便（佐川急便）")};
  return list;
}

const std::vector<std::string>& ListB() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> b = {Cp932("ゆうメール")};
    b.insert(b.end(), ListC().begin(), ListC().end());
    return b;
  }();
  return list;
}

std::size_t CountImages(const CHtmlNode& node) {
  std::size_t count = node.IsElement() && node.GetTag() == "img" ? 1 : 0;
  for (const auto& child : node.GetChildren()) count += CountImages(*child);
  return count;
}

// The easy-trade form's rules over the seller's methods and the service's own; every rule that
// fails gives one finding, in the order of their result codes.
class CEasyTradeShipRules {
 public:
  explicit CEasyTradeShipRules(const CShipSettings& shipping) : shipping_(shipping) {}

  std::vector<CSubmitFinding> Run() const {
    std::vector<CSubmitFinding> found;
    const auto& methods = shipping_.methods;
    if (methods.empty() && shipping_.GetServiceFlags() == 0) {
      found.push_back(Stop(kStep, IDS_NO_SHIP_METHOD, check_field::kShipMethod));
    }
    if (int row = FirstRow([](const CShipMethod& m) { return m.UsesFeeTable(); }); row >= 0) {
      found.push_back(Stop(kStep, IDS_FEE_TABLE_NOT_ALLOWED, check_field::kShipMethod, {}, row));
    }
    // A fee told after the sale must hold for every method, the service's own included, which
    // always show their fee.
    if (int row = MixedRow(CShipMethod::kNotShown, shipping_.GetServiceFlags() != 0); row >= 0) {
      found.push_back(Stop(kStep, IDS_HIDDEN_FEE_MIXED, check_field::kShipMethod, {}, row));
    }
    if (int row = MixedRow(CShipMethod::kCashOnDelivery, false); row >= 0) {
      found.push_back(Stop(kStep, IDS_CASH_ON_DELIVERY_MIXED, check_field::kShipMethod, {}, row));
    }
    for (std::size_t i = 0; i < methods.size(); ++i) {
      if (IsReservedShipName(methods[i].name)) {
        found.push_back(Stop(kStep, IDS_RESERVED_SHIP_NAME, check_field::kShipMethod,
                             {methods[i].name}, static_cast<int>(i)));
        break;
      }
    }
    HiddenFixedFee(found);
    for (std::size_t i = 0; i < methods.size(); ++i) {
      if (methods[i].feeType == CShipMethod::kCashOnDelivery &&
          IsNoCashOnDeliveryShipName(methods[i].name)) {
        found.push_back(Stop(kStep, IDS_CASH_ON_DELIVERY_NOT_ALLOWED, check_field::kShipMethod,
                             {methods[i].name}, static_cast<int>(i)));
        break;
      }
    }
    const std::uint32_t flags = shipping_.GetServiceFlags();
    if ((flags & CShipSettings::kTakkyubin) && (flags & CShipSettings::kYuPack) &&
        !(shipping_.groupASize == shipping_.groupCSize)) {
      found.push_back(Stop(kStep, IDS_SIZE_WEIGHT_MISMATCH, check_field::kShipServices));
    }
    return found;
  }

 private:
  static constexpr char kStep[] = "shipping";

  int FirstRow(const std::function<bool(const CShipMethod&)>& test) const {
    const auto& methods = shipping_.methods;
    auto it = std::find_if(methods.begin(), methods.end(), test);
    return it == methods.end() ? -1 : static_cast<int>(it - methods.begin());
  }

  // The first row of `feeType` when some methods use it and others do not; `othersExist` counts
  // methods outside the list that never use it.
  int MixedRow(std::int32_t feeType, bool othersExist) const {
    const int used = FirstRow([&](const CShipMethod& m) { return m.feeType == feeType; });
    if (used < 0) return -1;
    const int other = FirstRow([&](const CShipMethod& m) { return m.feeType != feeType; });
    return other >= 0 || othersExist ? used : -1;
  }

  void HiddenFixedFee(std::vector<CSubmitFinding>& found) const {
    std::vector<std::size_t> rows;
    const auto& methods = shipping_.methods;
    for (std::size_t i = 0; i < methods.size(); ++i) {
      if (methods[i].feeType == CShipMethod::kNotShown && IsFixedFeeShipName(methods[i].name)) {
        rows.push_back(i);
      }
    }
    if (rows.empty()) return;
    if (rows.size() == 1) {
      found.push_back(Stop(kStep, IDS_HIDDEN_FEE_NOT_ALLOWED, check_field::kShipMethod,
                           {methods[rows[0]].name}, static_cast<int>(rows[0])));
      return;
    }
    std::string names;
    for (std::size_t row : rows) names += (names.empty() ? "" : "\r\n") + methods[row].name;
    found.push_back(Stop(kStep, IDS_HIDDEN_FEE_NOT_ALLOWED_MANY, check_field::kShipMethod, {names},
                         static_cast<int>(rows[0])));
  }

  const CShipSettings& shipping_;
};

// The normal form takes neither the service's own methods, regional fees nor cash on delivery.
std::vector<CSubmitFinding> NormalFormShipRules(const CShipSettings& shipping) {
  static constexpr char kStep[] = "shipping";
  std::vector<CSubmitFinding> found;
  if (shipping.GetServiceFlags() != 0) {
    found.push_back(Stop(kStep, IDS_SPECIFIC_SHIP_NOT_ALLOWED, check_field::kShipServices));
  }
  for (std::int32_t type : {CShipMethod::kFlatFeeAndRegions, CShipMethod::kCashOnDelivery}) {
    for (std::size_t i = 0; i < shipping.methods.size(); ++i) {
      if (shipping.methods[i].feeType != type) continue;
      found.push_back(Stop(kStep,
                           type == CShipMethod::kCashOnDelivery ? IDS_CASH_ON_DELIVERY_NORMAL
                                                                : IDS_SEPARATE_FEES_NOT_ALLOWED,
                           check_field::kShipMethod, {}, static_cast<int>(i)));
      break;
    }
  }
  return found;
}

void ScanText(std::vector<CSubmitFinding>& found, const std::string& text, const char* field,
              int row, const char* part) {
  const auto pos = FindMachineDependentChar(text);
  if (!pos) return;
  CSubmitFinding finding = Ask("machine-dependent", IDS_MACHINE_DEPENDENT_CHARS, field, row);
  finding.selectionStart = *pos;
  finding.selectionLength = CharWidthAt(text, *pos);
  finding.part = part;
  found.push_back(std::move(finding));
}

bool HasCashOnDelivery(const CShipSettings& shipping) {
  return std::any_of(shipping.methods.begin(), shipping.methods.end(), [](const CShipMethod& m) {
    return m.feeType == CShipMethod::kCashOnDelivery;
  });
}

void Append(std::vector<CSubmitFinding>& all, std::vector<CSubmitFinding> more) {
  all.insert(all.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

}  // namespace

bool IsReservedShipName(const std::string& name) { return StartsWithAny(name, ListA()); }
bool IsFixedFeeShipName(const std::string& name) { return StartsWithAny(name, ListB()); }
bool IsNoCashOnDeliveryShipName(const std::string& name) { return StartsWithAny(name, ListC()); }

std::int64_t SubmittedBuyNowPrice(const CNuvoDoc& doc) {
  return doc.GetSalesFormat() != 0 ? doc.GetStartPrice() : doc.GetBuyNowPrice();
}

std::size_t CountPageInternetImages(const CNuvoDoc& doc, std::size_t bannerCount,
                                    std::size_t* inDescription) {
  std::size_t count = 0;
  for (const CInternetImageEntry& image : doc.GetInternetImages()) {
    if (!image.address.empty()) ++count;
  }
  count += std::min(bannerCount, doc.CountNodes(ENodeKind::Banner));
  std::size_t own = 0;
  if (doc.GetDescriptInputType() == CNuvoDoc::kHtmlInput) {
    for (const std::string& text : doc.GetDescriptions()) own += CountImages(*ParseHtml(text));
  }
  if (inDescription) *inDescription = own;
  return count + own;
}

std::vector<CSubmitFinding> CheckStartPrice(const CNuvoDoc& doc) {
  const std::int64_t price = doc.GetStartPrice();
  if (price >= kMinStartPrice && price <= kMaxStartPrice) return {};
  return One(Stop("start-price", IDS_NUMBER_OUT_OF_RANGE, check_field::kStartPrice,
                  {kMinStartPrice, kMaxStartPrice}));
}

std::vector<CSubmitFinding> CheckBuyNowPrice(const CNuvoDoc& doc) {
  if (doc.GetSalesFormat() != 0) return {};
  const std::int64_t buyNow = doc.GetBuyNowPrice();
  if (buyNow <= 0 || buyNow >= doc.GetStartPrice()) return {};
  return One(Stop("buy-now-price", IDS_START_ABOVE_BUY_NOW, check_field::kStartPrice));
}

std::vector<CSubmitFinding> CheckTitle(const CNuvoDoc& doc) {
  if (!doc.GetTitle().empty()) return {};
  return One(Stop("title", IDS_TITLE_EMPTY, check_field::kTitle));
}

std::vector<CSubmitFinding> CheckCondition(const CNuvoDoc& doc) {
  if (!CItemCondition::IsRetired(doc.GetKind())) return {};
  return One(Stop("condition", IDS_RETIRED_CONDITION, check_field::kCondition));
}

std::vector<CSubmitFinding> CheckInternetImages(const CNuvoDoc& doc, std::size_t bannerCount) {
  std::size_t inDescription = 0;
  if (CountPageInternetImages(doc, bannerCount, &inDescription) <= kMaxPageInternetImages) {
    return {};
  }
  const int id = inDescription > 0 ? IDS_TOO_MANY_NET_IMAGES_HTML : IDS_TOO_MANY_NET_IMAGES;
  return One(Stop("internet-images", id,
                  inDescription > 0 ? check_field::kDescription : check_field::kInternetImages,
                  {static_cast<std::int64_t>(kMaxPageInternetImages)}));
}

std::vector<CSubmitFinding> CheckMachineDependentChars(const CNuvoDoc& doc) {
  std::vector<CSubmitFinding> found;
  ScanText(found, doc.GetTitle(), check_field::kTitle, -1, "");
  const auto descriptions = doc.GetDescriptions();
  for (std::size_t i = 0; i < descriptions.size(); ++i) {
    ScanText(found, descriptions[i], check_field::kDescription, static_cast<int>(i), "");
  }
  if (doc.GetDescriptInputType() != CNuvoDoc::kTemplateInput) return found;
  const auto scanPairs = [&](const std::vector<CItemPair>& pairs, const char* field) {
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      ScanText(found, pairs[i].item, field, static_cast<int>(i), "Item");
      ScanText(found, pairs[i].detail, field, static_cast<int>(i), "Detail");
    }
  };
  scanPairs(doc.GetPostItems(), check_field::kPost);
  scanPairs(doc.GetPayItems(), check_field::kPay);
  const auto others = doc.GetOtherItems();
  for (std::size_t i = 0; i < others.size(); ++i) {
    ScanText(found, others[i], check_field::kOther, static_cast<int>(i), "Item");
  }
  return found;
}

std::vector<CSubmitFinding> CheckEmptyItems(const CNuvoDoc& doc) {
  if (doc.GetDescriptInputType() != CNuvoDoc::kTemplateInput) return {};
  std::vector<CSubmitFinding> found;
  for (const auto& [list, field] :
       {std::pair{ERowList::Post, check_field::kPost}, std::pair{ERowList::Pay, check_field::kPay},
        std::pair{ERowList::Other, check_field::kOther}}) {
    const std::vector<ListRow> rows = GetRows(doc, list);
    auto it = std::find_if(rows.begin(), rows.end(), IsEmptyRow);
    if (it != rows.end()) {
      found.push_back(
          Ask("empty-items", IDS_DELETE_EMPTY_ITEMS, field, static_cast<int>(it - rows.begin())));
    }
  }
  return found;
}

std::vector<CSubmitFinding> CheckPaidOptions(const CNuvoDoc& doc, int optionValue) {
  static constexpr std::int32_t kMinFeatured = 20, kMaxFeatured = 999;
  const CChargeOptions options = doc.GetChargeOptions();
  std::vector<CSubmitFinding> found;
  const std::int32_t featured = options.GetFeaturedAmount();
  if (featured != 0 && (featured < kMinFeatured || featured > kMaxFeatured)) {
    found.push_back(Stop("paid-options", IDS_FEATURED_AMOUNT_RANGE, check_field::kPaidOptions,
                         {std::int64_t{kMinFeatured}, std::int64_t{kMaxFeatured}}));
  }
  if (options.GetReservePrice() > 0 && options.GetReservePrice() <= doc.GetStartPrice()) {
    found.push_back(Stop("paid-options", IDS_RESERVE_NOT_ABOVE_START, check_field::kStartPrice));
  }
  if (found.empty() && (optionValue & kOptionConfirmPaidOptions) && options.IsSet()) {
    found.push_back(Ask("paid-options", IDS_CONFIRM_PAID_OPTIONS, check_field::kPaidOptions));
  }
  return found;
}

std::vector<CSubmitFinding> CheckShipping(const CNuvoDoc& doc, ESubmitForm form) {
  const CShipSettings shipping = doc.GetShipping();
  std::vector<CSubmitFinding> found;
  for (std::size_t i = 0; i < shipping.methods.size(); ++i) {
    if (shipping.methods[i].name.empty()) {
      found.push_back(
          Stop("shipping", IDS_SHIP_NAME_EMPTY, check_field::kShipMethod, {}, static_cast<int>(i)));
      break;
    }
  }
  Append(found, form == ESubmitForm::EasyTrade ? CEasyTradeShipRules(shipping).Run()
                                               : NormalFormShipRules(shipping));
  if (!found.empty()) return found;
  for (std::size_t i = 0; i < shipping.methods.size(); ++i) {
    const CShipMethod& method = shipping.methods[i];
    if (method.UsesRegionalFees() && !method.HasRegionalFees()) {
      found.push_back(Stop("shipping", IDS_SEPARATE_FEES_EMPTY, check_field::kShipMethod, {},
                           static_cast<int>(i)));
      break;
    }
  }
  return found;
}

std::vector<CSubmitFinding> CheckCashOnDelivery(const CNuvoDoc& doc,
                                                const CSubmitCheckContext& context) {
  if (!(context.optionValue & kOptionWarnCashOnDelivery) ||
      context.form != ESubmitForm::EasyTrade || !context.sellerPaysPostage ||
      !HasCashOnDelivery(doc.GetShipping())) {
    return {};
  }
  return One(Ask("cash-on-delivery", IDS_SELLER_PAYS_CASH_ON_DELIVERY, check_field::kSettings));
}

std::vector<CSubmitFinding> CheckNumberLengths(const CNuvoDoc& doc) {
  struct Limit {
    const char* field;
    std::int64_t value;
    std::size_t digits;
    bool sent;
  };
  const std::int64_t buyNow = SubmittedBuyNowPrice(doc);
  const std::array<Limit, 3> limits = {{
      {check_field::kStartPrice, doc.GetStartPrice(), 10, true},
      {check_field::kBuyNowPrice, buyNow, 10, buyNow > 0},
      {check_field::kQuantity, doc.GetQuantity(), 2, true},
  }};
  for (const Limit& limit : limits) {
    if (limit.sent && std::to_string(limit.value).size() > limit.digits) {
      return One(Stop("numbers", IDS_NUMBER_CONVERSION_FAILED, limit.field));
    }
  }
  return {};
}

std::vector<SubmitCheck> ChecksBeforeLinks(const CSubmitCheckContext& context) {
  std::vector<SubmitCheck> checks = {CheckStartPrice, CheckBuyNowPrice, CheckTitle, CheckCondition,
                                     [banners = context.bannerCount](const CNuvoDoc& doc) {
                                       return CheckInternetImages(doc, banners);
                                     }};
  if (context.optionValue & kOptionWarnMachineDependentChars)
    checks.emplace_back(CheckMachineDependentChars);
  if (context.optionValue & kOptionWarnEmptyItems) checks.emplace_back(CheckEmptyItems);
  return checks;
}

std::vector<SubmitCheck> ChecksAfterLinks(const CSubmitCheckContext& context) {
  return {[options = context.optionValue](const CNuvoDoc& doc) {
            return CheckPaidOptions(doc, options);
          },
          [form = context.form](const CNuvoDoc& doc) { return CheckShipping(doc, form); }};
}

std::vector<SubmitCheck> ChecksAfterSettings(const CSubmitCheckContext& context) {
  return {[context](const CNuvoDoc& doc) { return CheckCashOnDelivery(doc, context); },
          CheckNumberLengths};
}

std::vector<CSubmitFinding> CheckBeforeSettings(const CNuvoDoc& doc,
                                                const CSubmitCheckContext& context) {
  std::vector<CSubmitFinding> all;
  for (const auto& checks : {ChecksBeforeLinks(context), ChecksAfterLinks(context)}) {
    for (const SubmitCheck& check : checks) Append(all, check(doc));
  }
  return all;
}

std::vector<CSubmitFinding> CheckAfterSettings(const CNuvoDoc& doc,
                                               const CSubmitCheckContext& context) {
  std::vector<CSubmitFinding> all;
  for (const SubmitCheck& check : ChecksAfterSettings(context)) Append(all, check(doc));
  return all;
}

std::vector<CSubmitFinding> CheckListing(const CNuvoDoc& doc, const CSubmitCheckContext& context) {
  std::vector<CSubmitFinding> all = CheckBeforeSettings(doc, context);
  Append(all, CheckAfterSettings(doc, context));
  return all;
}

}  // namespace nuvo
