#include "core/app/AppOptions.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/common/MessageFormat.h"

namespace nuvo {
namespace {

// Earlier addresses of the service's seller pages that old banner links still carry, and the
// secure address that replaced them.
constexpr std::string_view kOldSellerPagePrefixes[] = {
    "http://openuser.auctions.yahoo.co.jp/jp/user/",
    "http://sellinglist.auctions.yahoo.co.jp/user/",
    "https://sellinglist.auctions.yahoo.co.jp/user/",
};
constexpr std::string_view kSellerPagePrefix = "https://auctions.yahoo.co.jp/seller/";
// The image host's earlier plain address and its secure one.
constexpr std::string_view kOldImageHostPrefix = "http://auctions.c.yimg.jp/";
constexpr std::string_view kImageHostPrefix = "https://auctions.c.yimg.jp/";

void ReplacePrefix(std::string& address, std::string_view oldPrefix, std::string_view prefix) {
  if (address.starts_with(oldPrefix)) address.replace(0, oldPrefix.size(), prefix);
}

std::string BannerKey(int number, std::string_view field) {
  return FormatMessageText("Banner%02d", {static_cast<std::int64_t>(number)}) + std::string(field);
}

// The banner count as stored, within the list's limits.
int StoredBannerCount(const CAppComm& app) {
  return std::clamp(app.GetSettingsInt("BannerCount", 0), 0, CAppOptions::kMaxBanners);
}

int InRangeOr(int value, int low, int high, int fallback) {
  return value >= low && value <= high ? value : fallback;
}

}  // namespace

void CCommOptions::Load(const CAppComm& app) {
  userAgentSettingType = InRangeOr(app.GetSettingsInt("UserAgentSettingType", 0), 0, 1, 0);
}

void CCommOptions::Save(CAppComm& app) const {
  app.WriteSettingsInt("UserAgentSettingType", userAgentSettingType);
}

void CAppOptions::Load(const CAppComm& app) {
  CCommOptions::Load(app);
  optionValue = app.GetSettingsInt("OptionValue", kOptionValueDefault) & kOptionValueMask;
  updateCaption = app.GetSettingsString("UpdateCaption", IDS_UPDATE_CAPTION);
  previewPos = app.GetSettingsInt("PreviewPos", 1);
  findCategory = app.GetSettingsInt("FindCategory", 0x7FFFFF) & 0x7FFFFF;
  findOption = app.GetSettingsInt("FindOption", 0) & 3;
  submittingAnim = app.GetSettingsInt("SubmittingAnim", 1);
  submittingColour = app.GetSettingsInt("SubmittingColor", 1) != 0 ? 1 : 0;

  // Settings written before the size limit existed hold no limit: those users get the photos
  // uploaded together, as a first start has it.
  upaaoDataSizeLimit = app.GetSettingsInt("UPAAODataSizeLimit", -1);
  if (upaaoDataSizeLimit < 0) {
    optionValue |= kOptionUploadPhotosTogether;
    upaaoDataSizeLimit = 1;
  } else if (upaaoDataSizeLimit > 3) {
    upaaoDataSizeLimit = 1;
  }

  decoEditOption = app.GetSettingsInt("DecoEditOption", 3) & 3;
  hcCaptionDescription = app.GetSettingsString("HCCaptionDescription", IDS_HC_CAPTION_DESCRIPTION);
  hcCaptionPost = app.GetSettingsString("HCCaptionPost", IDS_HC_CAPTION_POST);
  hcCaptionPay = app.GetSettingsString("HCCaptionPay", IDS_HC_CAPTION_PAY);
  hcCaptionOther = app.GetSettingsString("HCCaptionOther", IDS_HC_CAPTION_OTHER);
  decoEditFontSizeDesc = app.GetSettingsInt("DecoEditFontSizeDesc", 105);
  decoEditFontSizeItem = app.GetSettingsInt("DecoEditFontSizeItem", 90);
  LoadBanners(app);
  toolBarDispFormat = InRangeOr(app.GetSettingsInt("ToolBarDispFormat", 2), 0, 2, 2);
  colorToolBarBg = app.GetSettingsInt("ColorToolBarBg", 0xF8E0E0);
  sheetWidth = app.GetSettingsInt("SheetWidth", 420);
  htmlFrmWidth = app.GetSettingsInt("HtmlFrmWidth", 600);
  sheetHeight = app.GetSettingsInt("SheetHeight", 360);
  htmlFrmHeight = app.GetSettingsInt("HtmlFrmHeight", 340);
  nuvoPreviewWndDialog = app.GetSettingsInt("NuvoPreviewWndDialog", 1);
  previewPages = app.GetSettingsInt("PreviewPages", 0);
}

void CAppOptions::Save(CAppComm& app) const {
  CCommOptions::Save(app);
  app.WriteSettingsInt("OptionValue", optionValue);
  app.WriteSettingsString("UpdateCaption", updateCaption);
  app.WriteSettingsInt("PreviewPos", previewPos);
  app.WriteSettingsInt("FindCategory", findCategory);
  app.WriteSettingsInt("FindOption", findOption);
  app.WriteSettingsInt("SubmittingAnim", submittingAnim);
  app.WriteSettingsInt("SubmittingColor", submittingColour);
  app.WriteSettingsInt("UPAAODataSizeLimit", upaaoDataSizeLimit);
  app.WriteSettingsInt("DecoEditOption", decoEditOption);
  app.WriteSettingsString("HCCaptionDescription", hcCaptionDescription);
  app.WriteSettingsString("HCCaptionPost", hcCaptionPost);
  app.WriteSettingsString("HCCaptionPay", hcCaptionPay);
  app.WriteSettingsString("HCCaptionOther", hcCaptionOther);
  app.WriteSettingsInt("DecoEditFontSizeDesc", decoEditFontSizeDesc);
  app.WriteSettingsInt("DecoEditFontSizeItem", decoEditFontSizeItem);
  SaveBanners(app);
  app.WriteSettingsInt("ToolBarDispFormat", toolBarDispFormat);
  app.WriteSettingsInt("ColorToolBarBg", colorToolBarBg);
  app.WriteSettingsInt("SheetWidth", sheetWidth);
  app.WriteSettingsInt("HtmlFrmWidth", htmlFrmWidth);
  app.WriteSettingsInt("SheetHeight", sheetHeight);
  app.WriteSettingsInt("HtmlFrmHeight", htmlFrmHeight);
  app.WriteSettingsInt("NuvoPreviewWndDialog", nuvoPreviewWndDialog);
  app.WriteSettingsInt("PreviewPages", previewPages);
}

void CAppOptions::LoadBanners(const CAppComm& app) {
  int count = StoredBannerCount(app);
  banners.assign(static_cast<std::size_t>(count), {});
  for (int number = 1; number <= count; ++number) {
    BannerEntry& banner = banners[static_cast<std::size_t>(number - 1)];
    banner.name = app.GetSettingsString(BannerKey(number, "Name"));
    banner.image = app.GetSettingsString(BannerKey(number, "Image"));
    banner.link = app.GetSettingsString(BannerKey(number, "Link"));
    banner.alt = app.GetSettingsString(BannerKey(number, "Alt"));
    banner.width = app.GetSettingsInt(BannerKey(number, "Width"), 0);
    banner.height = app.GetSettingsInt(BannerKey(number, "Height"), 0);
    banner.border = app.GetSettingsInt(BannerKey(number, "Border"), 0);
    for (std::string_view oldPrefix : kOldSellerPagePrefixes) {
      ReplacePrefix(banner.link, oldPrefix, kSellerPagePrefix);
    }
    ReplacePrefix(banner.image, kOldImageHostPrefix, kImageHostPrefix);
  }
}

void CAppOptions::SaveBanners(CAppComm& app) const {
  int count = std::min(static_cast<int>(banners.size()), kMaxBanners);
  // Blank what a longer earlier list left behind; numbers past kMaxBanners are never read.
  int earlierCount = StoredBannerCount(app);
  const BannerEntry blank;
  for (int number = 1; number <= std::max(count, earlierCount); ++number) {
    const BannerEntry& banner =
        number <= count ? banners[static_cast<std::size_t>(number - 1)] : blank;
    app.WriteSettingsString(BannerKey(number, "Name"), banner.name);
    app.WriteSettingsString(BannerKey(number, "Image"), banner.image);
    app.WriteSettingsString(BannerKey(number, "Link"), banner.link);
    app.WriteSettingsString(BannerKey(number, "Alt"), banner.alt);
    app.WriteSettingsInt(BannerKey(number, "Width"), banner.width);
    app.WriteSettingsInt(BannerKey(number, "Height"), banner.height);
    app.WriteSettingsInt(BannerKey(number, "Border"), banner.border);
  }
  app.WriteSettingsInt("BannerCount", count);
}

}  // namespace nuvo
