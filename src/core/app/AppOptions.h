#pragma once

#include <string>
#include <vector>

#include "core/app/AppComm.h"
#include "core/app/OptionBits.h"
#include "core/common/StringTable.h"

// The application options that the main frame reads from "Settings" when it opens and writes back
// when it closes. Reading normalises every value to its range and never writes.
namespace nuvo {

// The options the common library needs: which user agent the program presents.
class CCommOptions {
 public:
  void Load(const CAppComm& app);
  void Save(CAppComm& app) const;

  // 0: the browser's agent; 1: the program's own.
  int userAgentSettingType = 0;

  bool operator==(const CCommOptions&) const = default;
};

// One of the seller's common banners, placed at the foot of every listing page.
struct BannerEntry {
  std::string name;
  std::string image;
  std::string link;
  std::string alt;
  int width = 0;
  int height = 0;
  int border = 0;
  bool operator==(const BannerEntry&) const = default;
};

class CAppOptions : public CCommOptions {
 public:
  static constexpr int kMaxBanners = 7;

  // Reads every option, each brought into its range. A default-made object holds the options of
  // a first start, which is what Load gives on empty settings.
  void Load(const CAppComm& app);
  // Writes every option back; banner numbers a longer earlier list used beyond the current one
  // are blanked.
  void Save(CAppComm& app) const;

  int optionValue = kOptionValueDefault;                       // bits of OptionBits.h
  std::string updateCaption = LoadString(IDS_UPDATE_CAPTION);  // marks an updated listing
  int previewPos = 1;           // 0, 1 side by side; 2, 3 stacked; else a separate window
  int findCategory = 0x7FFFFF;  // category search options
  int findOption = 0;           // 0..3
  int submittingAnim = 1;       // show the animation while submitting
  int submittingColour = 1;     // paint the "出品中..." window light green
  int upaaoDataSizeLimit = 1;   // size limit of the photos sent in one request, 0..3
  int decoEditOption = 3;       // decorated editor options, 0..3
  // Captions of the description's blocks.
  std::string hcCaptionDescription = LoadString(IDS_HC_CAPTION_DESCRIPTION);
  std::string hcCaptionPost = LoadString(IDS_HC_CAPTION_POST);
  std::string hcCaptionPay = LoadString(IDS_HC_CAPTION_PAY);
  std::string hcCaptionOther = LoadString(IDS_HC_CAPTION_OTHER);
  int decoEditFontSizeDesc = 105;
  int decoEditFontSizeItem = 90;
  std::vector<BannerEntry> banners;  // at most kMaxBanners
  int toolBarDispFormat = 2;         // 0..2
  int colorToolBarBg = 0xF8E0E0;     // 0x00BBGGRR
  int sheetWidth = 420;              // pane widths side by side
  int htmlFrmWidth = 600;
  int sheetHeight = 360;  // pane heights stacked
  int htmlFrmHeight = 340;
  int nuvoPreviewWndDialog = 1;  // the separate preview window is shown
  int previewPages = 0;          // pages in print preview

  bool operator==(const CAppOptions&) const = default;

 private:
  void LoadBanners(const CAppComm& app);
  void SaveBanners(CAppComm& app) const;
};

}  // namespace nuvo
