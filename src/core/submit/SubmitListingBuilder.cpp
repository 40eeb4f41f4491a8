#include "core/submit/SubmitListingBuilder.h"

#include "core/document/NuvoDoc.h"
#include "core/document/PageComposer.h"

namespace nuvo {

namespace {

void SetAmount(CFieldSet& fields, int slot, std::int64_t yen) {
  if (CShipMethod::IsEntered(yen))
    fields.SetInt(slot, yen);
  else
    fields.Clear(slot);
}

// Every line break as CR LF: the service's confirmation page comes back through the HTTP client
// with CR LF line breaks, and the final post must carry the text that was confirmed.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

void SetFlag(CFieldSet& fields, int slot, bool on) { fields.Set(slot, on ? "yes" : ""); }

void FillShipping(CFieldSet& fields, const CShipSettings& shipping) {
  const std::uint32_t services = shipping.GetServiceFlags();
  SetFlag(fields, kFieldIsOtherShip, !shipping.methods.empty());
  SetFlag(fields, kFieldIsHbShip, services & CShipSettings::kHakoboon);
  SetFlag(fields, kFieldIsHbMiniShip, services & CShipSettings::kHakoboonMini);
  if (services & CShipSettings::kHakoboonMini)
    fields.SetInt(kFieldSelectedHacoboonMiniCvsPref, shipping.GetGroupBPrefecture());
  SetFlag(fields, kFieldIsYahunekoNekoposuShip, services & CShipSettings::kNekoposu);
  SetFlag(fields, kFieldIsYahunekoTaqbinCompactShip, services & CShipSettings::kTakkyubinCompact);
  SetFlag(fields, kFieldIsYahunekoTaqbinShip, services & CShipSettings::kTakkyubin);
  SetFlag(fields, kFieldIsJpYupacketOfficialShip, services & CShipSettings::kYuPacket);
  SetFlag(fields, kFieldIsJpYupackOfficialShip, services & CShipSettings::kYuPack);

  for (int row = 1; row <= CFieldSet::kRows; ++row) {
    const bool used = row <= static_cast<int>(shipping.methods.size());
    const CShipMethod method = used ? shipping.methods[row - 1] : CShipMethod();
    fields.Set(FieldRow(kFieldShipName1, row), used ? method.name : "");
    SetAmount(fields, FieldRow(kFieldShipFee1, row),
              used && method.UsesFee() ? method.fee : CShipMethod::kNotEntered);
    const bool regional = used && method.UsesRegionalFees();
    const auto regionalFee = [&](std::int64_t yen) {
      return regional ? yen : CShipMethod::kNotEntered;
    };
    SetAmount(fields, FieldRow(kFieldHokkaidoShipping1, row), regionalFee(method.hokkaidoFee));
    SetAmount(fields, FieldRow(kFieldOkinawaShipping1, row), regionalFee(method.okinawaFee));
    SetAmount(fields, FieldRow(kFieldIsolatedIslandShipping1, row), regionalFee(method.islandsFee));
    if (regional && method.HasRegionalFees())
      fields.Set(FieldRow(kFieldLongDistShipping1, row), "1");
    else
      fields.Clear(FieldRow(kFieldLongDistShipping1, row));
    fields.Set(FieldRow(kFieldShipRateLink1, row),
               used && method.UsesFeeTable() ? method.feeTableUrl : "");
  }
}

}  // namespace

CFieldSet ListingFields(const CNuvoDoc& doc, const CPageOptions& pageOptions) {
  CFieldSet fields;
  fields.Set(kFieldTitle, doc.GetTitle());
  fields.Set(kFieldDescription, WithCrLf(GetPageHtml(doc, pageOptions)));
  fields.SetInt(kFieldStartPrice, doc.GetStartPrice());
  SetAmount(fields, kFieldBidOrBuyPrice, doc.GetBuyNowPrice() > 0 ? doc.GetBuyNowPrice() : -1);
  fields.SetInt(kFieldQuantity, doc.GetQuantity());
  fields.SetInt(kFieldCategory, doc.GetCategoryId());

  static constexpr const char* kSalesModes[] = {"auction", "buynow", "offer"};
  const std::int32_t format = doc.GetSalesFormat();
  if (format >= 0 && format < 3) fields.Set(kFieldSalesMode, kSalesModes[format]);
  fields.Set(kFieldOffer, format == 2 ? "1" : "");

  static constexpr const char* kConditions[] = {"used",   "new",    "other",  "used10",
                                                "used20", "used40", "used60", "used80"};
  const std::int32_t kind = doc.GetCondition().GetKind();
  if (kind >= 0 && kind < 8) fields.Set(kFieldItemStatus, kConditions[kind]);
  fields.Set(kFieldItemStatusComment, doc.GetCondition().GetRemark());

  FillShipping(fields, doc.GetShipping());
  return fields;
}

std::optional<SubmitListing> BuildSubmitListing(const CNuvoDoc& doc,
                                                const CSubmitSettings& settings,
                                                const CPageOptions& pageOptions,
                                                std::string& unreadablePhoto) {
  SubmitListing listing;
  listing.fields = ListingFields(doc, pageOptions);
  if (settings.fields.Get(kFieldShipping) == "seller") {
    for (int row = 1; row <= CFieldSet::kRows; ++row)
      listing.fields.Clear(FieldRow(kFieldShipFee1, row));
    listing.fields.Set(kFieldShippingInput, "now");
  }
  listing.fields.Merge(settings.fields);

  listing.title = doc.GetTitle();
  listing.categoryPath = doc.GetCategoryName();
  listing.category = doc.GetCategoryId();
  listing.sellerIdPlaceholder =
      listing.fields.Get(kFieldDescription).find("!zs_dynamic!yahoo_japan_id") != std::string::npos;
  const CSizeWeight sizeWeight = doc.GetSizeWeight();
  listing.sizeText = sizeWeight.SizeText();
  listing.weightText = sizeWeight.WeightText();

  const std::vector<std::string> names = doc.GetPhotoNames();
  const std::vector<CPhotoData>& data = doc.GetPhotoData();
  for (std::size_t i = 0; i < names.size() && i < data.size(); ++i) {
    if (data[i].IsEmpty()) continue;
    auto bytes = data[i].Read();
    if (!bytes) {
      unreadablePhoto = names[i];
      return std::nullopt;
    }
    listing.photos.push_back({names[i], *bytes});
  }
  return listing;
}

}  // namespace nuvo
