#include "core/submit/FieldSet.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <vector>

#include "core/net/FormData.h"

namespace nuvo {

namespace {

std::vector<std::string> BuildNames() {
  std::vector<std::string> names;
  names.reserve(CFieldSet::kSlotCount);
  auto add = [&](std::initializer_list<const char*> list) {
    for (const char* name : list) names.emplace_back(name);
  };
  auto rows = [&](const char* stem) {
    for (int row = 1; row <= CFieldSet::kRows; ++row) names.push_back(stem + std::to_string(row));
  };
  add({"tos", "Title", "Description", "salesmode", "StartPrice", "BidOrBuyPrice", "Offer",
       "Quantity", "istatus", "istatus_comment", "category"});
  rows("ImageFullPath");
  rows("ImageWidth");
  rows("ImageHeight");
  rows("image_comment");
  add({"userID", "login", "Duration", "ClosingTime", "numResubmit", "markdown", "markdown_ratio",
       "CloseEarly", "AutoExtension", "shipping", "shiptime", "minBidRating", "badRatingRatio",
       "bidCreditLimit", "aspj1", "aspj3", "aspj4", "ypmOK", "dskPayment"});
  rows("bkname");
  rows("paymethod");
  add({"intlOK", "ypkOK", "loc_cd", "city", "retpolicy", "retpolicy_comment", "itemsize",
       "itemweight", "hb_itemsize", "hb_itemweight"});
  for (const char* stem : {"shipname", "shipfee", "longdistshipping", "hokkaidoshipping",
                           "okinawashipping", "isolatedislandshipping", "shipratelink"})
    rows(stem);
  add({"intlauction",
       "useIntl",
       "boldSelected",
       "highlightlistingSelected",
       "postagefreeSelected",
       "featuredAmount",
       "ReservePrice",
       "giftSelected",
       "cpaAmount",
       "wrappingSelected",
       "affiliate",
       "affiliateRate",
       "shippinginput",
       "shipschedule",
       "is_other_ship",
       "salesContract",
       "is_hb_ship",
       "is_hbmini_ship",
       "selectedHacoboonMiniCvsPref",
       "is_yahuneko_nekoposu_ship",
       "is_yahuneko_taqbin_compact_ship",
       "is_yahuneko_taqbin_ship",
       "is_jp_yupacket_official_ship",
       "is_jp_yupack_official_ship"});
  return names;
}

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = BuildNames();
  return names;
}

bool InRange(int slot) { return slot >= 0 && slot < CFieldSet::kSlotCount; }

const std::string& Marker() {
  static const std::string marker(CFieldSet::kNotDefined);
  return marker;
}

}  // namespace

const std::string& CFieldSet::Name(int slot) {
  static const std::string none;
  return InRange(slot) ? Names()[slot] : none;
}

int CFieldSet::SlotOf(std::string_view name) {
  static const auto index = [] {
    std::unordered_map<std::string_view, int> map;
    for (int slot = 0; slot < kSlotCount; ++slot) map.emplace(Names()[slot], slot);
    return map;
  }();
  auto it = index.find(name);
  return it == index.end() ? -1 : it->second;
}

CFieldSet::CFieldSet() { values_.fill(Marker()); }

void CFieldSet::Set(int slot, std::string value) {
  if (InRange(slot)) values_[slot] = std::move(value);
}

const std::string& CFieldSet::Get(int slot) const {
  static const std::string empty;
  return InRange(slot) ? values_[slot] : empty;
}

std::int64_t CFieldSet::GetInt(int slot) const {
  const std::string& text = Get(slot);
  std::int64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

bool CFieldSet::IsSet(int slot) const { return InRange(slot) && values_[slot] != kNotDefined; }

bool CFieldSet::IsEmpty(int slot) const { return InRange(slot) && values_[slot].empty(); }

void CFieldSet::Unset(int slot) { Set(slot, Marker()); }

void CFieldSet::Merge(const CFieldSet& from) {
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (from.IsSet(slot)) values_[slot] = from.values_[slot];
}

void CFieldSet::Apply(CFormData& form) const {
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (IsSet(slot)) form.SetValue(Names()[slot], values_[slot]);
}

}  // namespace nuvo
