#include "core/submit/SubmitListingBuilder.h"

#include <gtest/gtest.h>

#include "../document/DocumentFixture.h"
#include "core/document/PageComposer.h"
#include "support/ImageBytes.h"

using namespace nuvo;

namespace {

CShipMethod Method(std::string name, std::int32_t type, std::int64_t fee,
                   std::int64_t hokkaido = -1, std::string table = {}) {
  CShipMethod method;
  method.name = std::move(name);
  method.feeType = type;
  method.fee = fee;
  method.hokkaidoFee = hokkaido;
  method.feeTableUrl = std::move(table);
  return method;
}

}  // namespace

TEST(SubmitListingBuilder, ListingFieldsFollowEveryGroupOfTheListing) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetTitle(Cp932("赤い傘"));
  doc->SetStartPrice(1200);
  doc->SetBuyNowPrice(0);
  doc->SetQuantity(2);
  doc->SetCategoryId(2084005);
  doc->SetSalesFormat(2);
  doc->SetKind(7);
  CShipSettings shipping;
  shipping.SetServiceFlags(CShipSettings::kNekoposu | CShipSettings::kHakoboonMini);
  shipping.SetGroupBPrefecture(27);
  shipping.methods = {Method("A", CShipMethod::kFlatFee, 500, 900),
                      Method("B", CShipMethod::kFlatFeeAndRegions, 600, 1100),
                      Method("C", CShipMethod::kFeeTable, 700, -1, "http://fees.example/")};
  doc->SetShipping(shipping);

  const CFieldSet fields = ListingFields(*doc, {});
  const std::pair<int, std::string> expected[] = {
      {kFieldTitle, Cp932("赤い傘")},
      {kFieldStartPrice, "1200"},
      {kFieldBidOrBuyPrice, ""},
      {kFieldQuantity, "2"},
      {kFieldCategory, "2084005"},
      {kFieldSalesMode, "offer"},
      {kFieldOffer, "1"},
      {kFieldItemStatus, "used80"},
      {kFieldIsYahunekoNekoposuShip, "yes"},
      {kFieldIsYahunekoTaqbinShip, ""},
      {kFieldIsHbMiniShip, "yes"},
      {kFieldSelectedHacoboonMiniCvsPref, "27"},
      {kFieldIsOtherShip, "yes"},
      // A flat fee sends no regional fees even when they were typed in.
      {FieldRow(kFieldShipFee1, 1), "500"},
      {FieldRow(kFieldHokkaidoShipping1, 1), ""},
      {FieldRow(kFieldLongDistShipping1, 1), ""},
      {FieldRow(kFieldShipFee1, 2), "600"},
      {FieldRow(kFieldHokkaidoShipping1, 2), "1100"},
      {FieldRow(kFieldLongDistShipping1, 2), "1"},
      {FieldRow(kFieldShipFee1, 3), ""},
      {FieldRow(kFieldShipRateLink1, 3), "http://fees.example/"},
      {FieldRow(kFieldShipName1, 4), ""},
      {FieldRow(kFieldShipFee1, 10), ""},
  };
  for (const auto& [slot, value] : expected)
    EXPECT_EQ(fields.Get(slot), value) << CFieldSet::Name(slot);
  // The page goes with CR LF line breaks throughout, as the confirmation page returns it.
  std::string page = GetPageHtml(*doc, {});
  ASSERT_NE(page.find('\n'), std::string::npos);
  for (std::size_t at = page.find('\n'); at != std::string::npos; at = page.find('\n', at + 2))
    if (at == 0 || page[at - 1] != '\r') page.insert(at, "\r");
  EXPECT_EQ(fields.Get(kFieldDescription), page);
  // The photo fields stay to the service.
  EXPECT_FALSE(fields.IsSet(FieldRow(kFieldImageFullPath1, 1)));

  doc->SetSalesFormat(1);
  doc->SetKind(1);
  const CFieldSet buyNow = ListingFields(*doc, {});
  EXPECT_EQ(buyNow.Get(kFieldSalesMode), "buynow");
  EXPECT_EQ(buyNow.Get(kFieldOffer), "");
  EXPECT_EQ(buyNow.Get(kFieldItemStatus), "new");
}

TEST(SubmitListingBuilder, SellerPaidPostageClearsEveryFeeAndSettingsWin) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  CShipSettings shipping;
  for (int i = 0; i < 10; ++i)
    shipping.methods.push_back(Method("M", CShipMethod::kFlatFee, 100 + i));
  doc->SetShipping(shipping);
  CSubmitSettings settings;
  settings.fields.Set(kFieldShipping, "seller");
  settings.fields.Set(kFieldDuration, "3");
  std::string unreadable;
  const SubmitListing listing = *BuildSubmitListing(*doc, settings, {}, unreadable);
  for (int row = 1; row <= 10; ++row)
    EXPECT_TRUE(listing.fields.IsEmpty(FieldRow(kFieldShipFee1, row)));
  EXPECT_EQ(listing.fields.Get(FieldRow(kFieldShipName1, 10)), "M");
  EXPECT_EQ(listing.fields.Get(kFieldShippingInput), "now");
  EXPECT_EQ(listing.fields.Get(kFieldDuration), "3");
  EXPECT_EQ(listing.fields.Get(kFieldShipping), "seller");
}

TEST(SubmitListingBuilder, PhotosAreReadFromTheOpenedFileAndAChangedFileSendsNothing) {
  DocumentFixture fx;
  auto doc = fx.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  const std::vector<std::uint8_t> front = JpegBytes(640, 480);
  const std::vector<std::uint8_t> back = JpegBytes(480, 640);
  doc->SetPhotos({"front.jpg", "back.jpg"}, {{640, 480}, {480, 640}}, {"", ""},
                 {CPhotoData(front), CPhotoData(back)});
  const std::filesystem::path path = fx.dir.path() / "listing.nvd";
  ASSERT_TRUE(doc->OnSaveDocument(path));
  ASSERT_TRUE(doc->OnOpenDocument(path));

  std::string unreadable;
  std::optional<SubmitListing> listing = BuildSubmitListing(*doc, {}, {}, unreadable);
  ASSERT_TRUE(listing);
  ASSERT_EQ(listing->photos.size(), 2u);
  EXPECT_EQ(listing->photos[0].name, "front.jpg");
  EXPECT_EQ(listing->photos[0].bytes, front);
  EXPECT_EQ(listing->photos[1].bytes, back);

  // Someone else cut the file short: nothing goes out, and the message can name the photo.
  std::filesystem::resize_file(path, std::filesystem::file_size(path) - back.size());
  EXPECT_FALSE(BuildSubmitListing(*doc, {}, {}, unreadable));
  EXPECT_EQ(unreadable, "front.jpg");
}
