#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/html/HtmlDocument.h"

// The page the final confirmation dialog shows: the service's confirmation page cut down to the
// summary of what will be listed, with the fees, the service's notices and the photos, and
// without its navigation, scripts, buttons and forms, so that nothing in it can post the listing
// or leave the page.
namespace nuvo {

// Opacity, in percent, of the photos of the gallery that are not the one shown large.
inline constexpr int kDimmedThumbnailOpacity = 40;

// In-page links of the rewritten page, for the view that shows it: the first is followed by the
// 1-based number of a photo of the gallery, the second hides the photo caption.
inline constexpr char kThumbnailLinkPrefix[] = "#__zs_thumbnail_link_index_";
inline constexpr char kCloseCaptionLink[] = "#__zs_close_product_image_caption";

// Whether `page` is the service's confirmation page: a title that contains "確認", the div
// "yaucSellItemCfm" and the form "auction".
bool IsFinalConfirmPage(const CHtmlDocument& page);

// The rewritten page (code page 932, a whole document); nullopt when `page` is not a
// confirmation page. Links and pictures are made absolute against `pageUrl`, the address the
// page came from, since the rewritten page is shown from a file.
std::optional<std::string> BuildFinalConfirmPage(const CHtmlDocument& page,
                                                 std::string_view pageUrl);

}  // namespace nuvo
