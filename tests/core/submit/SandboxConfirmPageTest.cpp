#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/submit/FinalConfirmPage.h"
#include "sandbox/SandboxPages.h"

using namespace nuvo;
using namespace nuvo::sandbox;

// The sandbox writes its confirmation page from the service's side; the rewrite must read it
// the same way it reads the service's.
TEST(FinalConfirmPage, RewritesTheSandboxsConfirmationPageWithAndWithoutPhotos) {
  std::array<std::string, kServiceRoleCount> urls;
  urls.fill("http://127.0.0.1:9");
  const CSandboxPages pages(urls, "Shift_JIS");
  const Fields fields{{"Title", "腕時計 <限定> & 箱"}, {"category", "2084"}};
  for (int count : {0, 3}) {
    std::vector<PhotoView> photos;
    for (int i = 1; i <= count; ++i) {
      photos.push_back({i, "http://127.0.0.1:9/img/" + std::to_string(i) + ".jpg"});
    }
    const CHtmlDocument received(Cp932(pages.Confirmation("token", fields, photos)));
    ASSERT_TRUE(IsFinalConfirmPage(received)) << count;
    const CHtmlDocument shown(
        BuildFinalConfirmPage(received, "http://127.0.0.1:9/sell/jp/show/preview").value());

    for (const char* tag : {"script", "form"}) EXPECT_FALSE(shown.Find({tag})) << tag;
    EXPECT_FALSE(shown.Find({"input", "id", "auc_preview_submit"}));
    EXPECT_FALSE(shown.Find({"div", "id", "mastHead"}));
    EXPECT_TRUE(shown.Find({"div", "class", "decSmryTableZS"}));
    EXPECT_TRUE(shown.Find({"div", "id", "modCfmBoxZS"}));
    const std::string text = shown.GetTop()->GetInnerText();
    EXPECT_NE(text.find(Cp932("腕時計 <限定> & 箱")), std::string::npos);
    EXPECT_NE(text.find("NOTE"), std::string::npos);

    const auto thumbnails = shown.FindAll({"img", "name", "__zs_product_image_thumbnail_item"});
    ASSERT_EQ(thumbnails.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(shown.Find({"img", "name", "__zs_product_image_first"}) != nullptr, count > 0);
    EXPECT_EQ(shown.Find({"div", "name", "__zs_product_image_caption_first"}) != nullptr,
              count > 0);
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(*thumbnails[i]->FindAttribute("src"), photos[i].url);
    }
  }
}
