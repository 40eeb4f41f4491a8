#include "core/editing/ValueCommands.h"

#include <functional>
#include <utility>
#include <variant>

#include "core/document/ListingRules.h"
#include "core/document/NuvoDoc.h"

namespace nuvo {
namespace {

// How a value command reaches its field and what it tells afterwards.
template <typename Value>
struct Field {
  std::function<Value(const CNuvoDoc&)> get;
  std::function<void(CNuvoDoc&, const Value&)> set;
  std::uint32_t mask = 0;
  bool focus = false;
  bool preview = false;
};

template <typename Value>
class CSetValueCommand : public CEditCommand {
 public:
  CSetValueCommand(CNuvoDoc& doc, Field<Value> field, Value value)
      : CEditCommand(doc), field_(std::move(field)), new_(std::move(value)) {}

 protected:
  void Apply() override {
    old_ = field_.get(doc_);
    field_.set(doc_, new_);
    if (field_.preview) SchedulePreview();
  }
  void Revert() override { Show(old_); }
  void Reapply() override { Show(new_); }

 private:
  void Show(const Value& value) {
    field_.set(doc_, value);
    NotifyChanged(field_.mask);
    if (field_.focus) NotifyFocus(field_.mask);
    if (field_.preview) SchedulePreview();
  }

  Field<Value> field_;
  Value new_;
  Value old_{};
};

template <typename Value>
std::unique_ptr<CEditCommand> MakeValue(CNuvoDoc& doc, Field<Value> field, Value value) {
  return std::make_unique<CSetValueCommand<Value>>(doc, std::move(field), std::move(value));
}

// The title keeps the selection that stood in the title box when it was made.
class CSetTitleCommand : public CEditCommand {
 public:
  CSetTitleCommand(CNuvoDoc& doc, std::string title, std::int32_t selection)
      : CEditCommand(doc), new_(std::move(title)), selection_(selection) {}

 protected:
  void Apply() override {
    old_ = doc_.GetTitle();
    doc_.SetTitle(new_);
    SchedulePreview();
  }
  void Revert() override { Show(old_); }
  void Reapply() override { Show(new_); }

 private:
  void Show(const std::string& title) {
    doc_.SetTitle(title);
    NotifyChanged(change::kTitle, selection_);
    NotifyFocus(change::kTitle);
    SchedulePreview();
  }

  std::string new_;
  std::string old_;
  std::int32_t selection_;
};

// The parts of the listing that each input type's tree holds for itself; the item lists belong
// to the template input alone and show or hide with it.
std::uint32_t InputTypeChangeMask(std::int32_t from, std::int32_t to) {
  std::uint32_t mask = change::kTitle | change::kPhotos | change::kShipMethods |
                       change::kShipServices | change::kShipSheet;
  if ((from == CNuvoDoc::kTemplateInput) != (to == CNuvoDoc::kTemplateInput)) {
    mask |= change::kPostItems | change::kPayItems | change::kOtherItems;
  }
  return mask;
}

class CSetInputTypeCommand : public CEditCommand {
 public:
  CSetInputTypeCommand(CNuvoDoc& doc, std::int32_t type) : CEditCommand(doc), new_(type) {}

 protected:
  void Apply() override {
    old_ = doc_.GetDescriptInputType();
    if (!doc_.GetDescriptInput(new_).IsBuilt()) doc_.BuildStartingTree(new_);
    doc_.SetDescriptInputType(new_);
    SchedulePreview();
  }
  void Revert() override { Show(new_, old_); }
  void Reapply() override { Show(old_, new_); }

 private:
  void Show(std::int32_t from, std::int32_t to) {
    doc_.SetDescriptInputType(to);
    NotifyChanged(InputTypeChangeMask(from, to));
    SchedulePreview();
  }

  std::int32_t new_;
  std::int32_t old_ = 0;
};

using ShipRowValue = std::variant<std::int64_t, std::string>;

bool IsTextField(EShipRowField field) {
  return field == EShipRowField::Name || field == EShipRowField::FeeTableUrl;
}

ShipRowValue GetShipRowValue(const CShipMethod& method, EShipRowField field) {
  switch (field) {
    case EShipRowField::Name:
      return method.name;
    case EShipRowField::FeeType:
      return std::int64_t{method.feeType};
    case EShipRowField::Fee:
      return method.fee;
    case EShipRowField::HokkaidoFee:
      return method.hokkaidoFee;
    case EShipRowField::OkinawaFee:
      return method.okinawaFee;
    case EShipRowField::IslandsFee:
      return method.islandsFee;
    case EShipRowField::FeeTableUrl:
      return method.feeTableUrl;
  }
  return {};
}

void SetShipRowValue(CShipMethod& method, EShipRowField field, const ShipRowValue& value) {
  const std::int64_t* number = std::get_if<std::int64_t>(&value);
  const std::string* text = std::get_if<std::string>(&value);
  switch (field) {
    case EShipRowField::Name:
      if (text) method.name = *text;
      break;
    case EShipRowField::FeeType:
      if (number) method.SetFeeType(static_cast<std::int32_t>(*number));
      break;
    case EShipRowField::Fee:
      if (number) method.fee = *number;
      break;
    case EShipRowField::HokkaidoFee:
      if (number) method.hokkaidoFee = *number;
      break;
    case EShipRowField::OkinawaFee:
      if (number) method.okinawaFee = *number;
      break;
    case EShipRowField::IslandsFee:
      if (number) method.islandsFee = *number;
      break;
    case EShipRowField::FeeTableUrl:
      if (text) method.feeTableUrl = *text;
      break;
  }
}

std::unique_ptr<CEditCommand> MakeShipRow(CNuvoDoc& doc, std::size_t row, EShipRowField field,
                                          ShipRowValue value) {
  if (row >= doc.GetShipping().methods.size()) return nullptr;
  Field<ShipRowValue> access{[row, field](const CNuvoDoc& d) {
                               auto methods = d.GetShipping().methods;
                               return row < methods.size() ? GetShipRowValue(methods[row], field)
                                                           : ShipRowValue{};
                             },
                             [row, field](CNuvoDoc& d, const ShipRowValue& v) {
                               CShipSettings shipping = d.GetShipping();
                               if (row >= shipping.methods.size()) return;
                               SetShipRowValue(shipping.methods[row], field, v);
                               d.SetShipping(shipping);
                             },
                             change::kShipMethods, false, true};
  return MakeValue(doc, std::move(access), std::move(value));
}

std::int64_t GetShipServiceValue(const CShipSettings& shipping, EShipServiceField field) {
  switch (field) {
    case EShipServiceField::ServiceFlags:
      return shipping.GetServiceFlags();
    case EShipServiceField::GroupASetting:
      return shipping.GetGroupASetting();
    case EShipServiceField::GroupBSetting:
      return shipping.GetGroupBSetting();
    case EShipServiceField::GroupBPrefecture:
      return shipping.GetGroupBPrefecture();
    case EShipServiceField::GroupCSetting:
      return shipping.GetGroupCSetting();
  }
  return 0;
}

void SetShipServiceValue(CShipSettings& shipping, EShipServiceField field, std::int64_t value) {
  auto value32 = static_cast<std::int32_t>(value);
  switch (field) {
    case EShipServiceField::ServiceFlags:
      shipping.SetServiceFlags(static_cast<std::uint32_t>(value));
      break;
    case EShipServiceField::GroupASetting:
      shipping.SetGroupASetting(value32);
      break;
    case EShipServiceField::GroupBSetting:
      shipping.SetGroupBSetting(value32);
      break;
    case EShipServiceField::GroupBPrefecture:
      shipping.SetGroupBPrefecture(value32);
      break;
    case EShipServiceField::GroupCSetting:
      shipping.SetGroupCSetting(value32);
      break;
  }
}

}  // namespace

std::unique_ptr<CEditCommand> MakeSetTitleCommand(CNuvoDoc& doc, std::string title,
                                                  std::int32_t selection) {
  return std::make_unique<CSetTitleCommand>(doc, CleanTitle(title).text, selection);
}

std::unique_ptr<CEditCommand> MakeSetSalesFormatCommand(CNuvoDoc& doc, std::int32_t format) {
  return MakeValue<std::int32_t>(doc,
                                 {[](const CNuvoDoc& d) { return d.GetSalesFormat(); },
                                  [](CNuvoDoc& d, const std::int32_t& v) { d.SetSalesFormat(v); },
                                  change::kSalesFormat, true, false},
                                 format);
}

std::unique_ptr<CEditCommand> MakeSetStartPriceCommand(CNuvoDoc& doc, std::int64_t yen) {
  return MakeValue<std::int64_t>(doc,
                                 {[](const CNuvoDoc& d) { return d.GetStartPrice(); },
                                  [](CNuvoDoc& d, const std::int64_t& v) { d.SetStartPrice(v); },
                                  change::kStartPrice, true, false},
                                 kPriceRange.Clamp(yen));
}

std::unique_ptr<CEditCommand> MakeSetBuyNowPriceCommand(CNuvoDoc& doc, std::int64_t yen) {
  return MakeValue<std::int64_t>(doc,
                                 {[](const CNuvoDoc& d) { return d.GetBuyNowPrice(); },
                                  [](CNuvoDoc& d, const std::int64_t& v) { d.SetBuyNowPrice(v); },
                                  change::kBuyNowPrice, false, false},
                                 kPriceRange.Clamp(yen));
}

std::unique_ptr<CEditCommand> MakeSetQuantityCommand(CNuvoDoc& doc, std::int32_t quantity) {
  return MakeValue<std::int32_t>(doc,
                                 {[](const CNuvoDoc& d) { return d.GetQuantity(); },
                                  [](CNuvoDoc& d, const std::int32_t& v) { d.SetQuantity(v); },
                                  change::kQuantity, true, false},
                                 static_cast<std::int32_t>(kQuantityRange.Clamp(quantity)));
}

std::unique_ptr<CEditCommand> MakeSetCategoryCommand(CNuvoDoc& doc, CategoryChoice category) {
  return MakeValue<CategoryChoice>(doc,
                                   {[](const CNuvoDoc& d) {
                                      return CategoryChoice{d.GetCategoryId(), d.GetCategoryName()};
                                    },
                                    [](CNuvoDoc& d, const CategoryChoice& v) {
                                      d.SetCategoryId(v.id);
                                      d.SetCategoryName(v.name);
                                    },
                                    change::kCategory, true, false},
                                   std::move(category));
}

std::unique_ptr<CEditCommand> MakeSetConditionCommand(CNuvoDoc& doc, CItemCondition condition) {
  return MakeValue<CItemCondition>(doc,
                                   {[](const CNuvoDoc& d) { return d.GetCondition(); },
                                    [](CNuvoDoc& d, const CItemCondition& v) { d.SetCondition(v); },
                                    change::kCondition, false, false},
                                   std::move(condition));
}

std::unique_ptr<CEditCommand> MakeSetPaidOptionsCommand(CNuvoDoc& doc, CChargeOptions options) {
  // No control of the sheet shows a paid option: the preview alone follows them.
  return MakeValue<CChargeOptions>(
      doc,
      {[](const CNuvoDoc& d) { return d.GetChargeOptions(); },
       [](CNuvoDoc& d, const CChargeOptions& v) { d.SetChargeOptions(v); }, 0, false, true},
      std::move(options));
}

std::unique_ptr<CEditCommand> MakeSetInternetImagesCommand(
    CNuvoDoc& doc, std::vector<CInternetImageEntry> images) {
  // Internet images are edited in their own dialog and seen only in the preview.
  using List = std::vector<CInternetImageEntry>;
  return MakeValue<List>(
      doc,
      {[](const CNuvoDoc& d) { return d.GetInternetImages(); },
       [](CNuvoDoc& d, const List& v) { d.SetInternetImages(v); }, 0, false, true},
      std::move(images));
}

std::unique_ptr<CEditCommand> MakeSetMemoCommand(CNuvoDoc& doc, std::string memo) {
  return MakeValue<std::string>(
      doc,
      {[](const CNuvoDoc& d) { return d.GetMemo(); },
       [](CNuvoDoc& d, const std::string& v) { d.SetMemo(v); }, 0, false, false},
      std::move(memo));
}

std::unique_ptr<CEditCommand> MakeSetSampleIdCommand(CNuvoDoc& doc, std::uint32_t sampleId) {
  return MakeValue<std::uint32_t>(doc,
                                  {[](const CNuvoDoc& d) { return d.GetSampleID(); },
                                   [](CNuvoDoc& d, const std::uint32_t& v) { d.SetSampleID(v); },
                                   change::kEverything, false, true},
                                  sampleId);
}

std::unique_ptr<CEditCommand> MakeSetDescriptionCommand(CNuvoDoc& doc, std::size_t index,
                                                        std::string text) {
  if (index >= doc.GetDescriptions().size()) return nullptr;
  return MakeValue<std::string>(doc,
                                {[index](const CNuvoDoc& d) {
                                   auto texts = d.GetDescriptions();
                                   return index < texts.size() ? texts[index] : std::string();
                                 },
                                 [index](CNuvoDoc& d, const std::string& v) {
                                   auto texts = d.GetDescriptions();
                                   if (index >= texts.size()) return;
                                   texts[index] = v;
                                   d.SetDescriptions(texts);
                                 },
                                 0, false, true},
                                std::move(text));
}

std::unique_ptr<CEditCommand> MakeSetShipRowCommand(CNuvoDoc& doc, std::size_t row,
                                                    EShipRowField field, std::int64_t value) {
  if (IsTextField(field)) return nullptr;
  return MakeShipRow(doc, row, field, value);
}

std::unique_ptr<CEditCommand> MakeSetShipRowCommand(CNuvoDoc& doc, std::size_t row,
                                                    EShipRowField field, std::string value) {
  if (!IsTextField(field)) return nullptr;
  return MakeShipRow(doc, row, field, std::move(value));
}

std::unique_ptr<CEditCommand> MakeSetSizeWeightCommand(CNuvoDoc& doc, CSizeWeight sizeWeight) {
  return MakeValue<CSizeWeight>(doc,
                                {[](const CNuvoDoc& d) { return d.GetSizeWeight(); },
                                 [](CNuvoDoc& d, const CSizeWeight& v) { d.SetSizeWeight(v); },
                                 change::kShipSheet, false, true},
                                std::move(sizeWeight));
}

std::unique_ptr<CEditCommand> MakeSetShipServiceCommand(CNuvoDoc& doc, EShipServiceField field,
                                                        std::int64_t value) {
  return MakeValue<std::int64_t>(
      doc,
      {[field](const CNuvoDoc& d) { return GetShipServiceValue(d.GetShipping(), field); },
       [field](CNuvoDoc& d, const std::int64_t& v) {
         CShipSettings shipping = d.GetShipping();
         SetShipServiceValue(shipping, field, v);
         d.SetShipping(shipping);
       },
       change::kShipServices, false, true},
      value);
}

std::unique_ptr<CEditCommand> MakeSetInputTypeCommand(CNuvoDoc& doc, std::int32_t type) {
  if (type < 0 || type >= CNuvoDoc::kInputTypeCount) return nullptr;
  return std::make_unique<CSetInputTypeCommand>(doc, type);
}

}  // namespace nuvo
