#pragma once

#include <string>
#include <vector>

#include "core/app/AppOptions.h"
#include "core/common/StringTable.h"
#include "core/document/PixelSize.h"
#include "core/html/TemplateNode.h"

// The listing's description page: every node of the current description tree renders itself,
// template text as it stands and the listing's parts as generated HTML, into one code page 932
// page.
namespace nuvo {

class CNuvoDoc;

// What the page takes from outside the listing.
struct CPageOptions {
  // The photo files the page refers to, relative to the page, one per photo data block of the
  // listing (empty for a block without data). Without them the page is the one that is
  // submitted, which leaves the photos out: the service shows the uploaded photos itself.
  std::vector<std::string> photoFiles;
  // The seller's common banners; the i-th Banner section of the tree shows the i-th.
  std::vector<BannerEntry> banners;
  // The captions a Caption section shows inside each kind of description block.
  std::string captionDescription = LoadString(IDS_HC_CAPTION_DESCRIPTION);
  std::string captionPost = LoadString(IDS_HC_CAPTION_POST);
  std::string captionPay = LoadString(IDS_HC_CAPTION_PAY);
  std::string captionOther = LoadString(IDS_HC_CAPTION_OTHER);

  // The banners and captions of the application options.
  static CPageOptions FromAppOptions(const CAppOptions& options);
};

// An image placed by address, as the page shows it.
struct CImageRecord {
  std::string imageUrl;
  std::string linkUrl;
  std::string altText;
  PixelSize size;
  std::int32_t hspace = 0;
  std::int32_t vspace = 0;
  std::string align;
  std::int32_t border = 0;  // below 0: no border attribute
  std::string extraText;
};

// The page of the listing's current input type.
std::string GetPageHtml(const CNuvoDoc& doc, const CPageOptions& options = {});

// The page of any description tree.
std::string RenderPage(const CTemplateNode& root, const CPageOptions& options = {});

// An image in a one-cell table, linked when it has a link address, with its extra text in a
// second row; nothing without an image address. `paragraph` adds a "p" element after it.
std::string RenderInternetImage(const CImageRecord& image, bool paragraph);

}  // namespace nuvo
