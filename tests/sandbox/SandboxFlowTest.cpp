#include <gtest/gtest.h>

#include "SandboxTestSupport.h"

using namespace sandbox_test;
using nuvo::ServiceRole;

namespace {

// The photo page's upload form with `photos` attached as ImageFile1, ImageFile2, ...
httplib::MultipartFormDataItems PhotoUpload(
    const std::string& photoPage, const std::vector<std::pair<std::string, std::string>>& photos) {
  httplib::MultipartFormDataItems items;
  for (const auto& [name, value] : HiddenFields(photoPage, "imgup")) {
    items.push_back({name, value, "", ""});
  }
  for (std::size_t i = 0; i < photos.size(); ++i) {
    const auto& [bytes, type] = photos[i];
    const std::string number = std::to_string(i + 1);
    items.push_back({"ImageFile" + number, bytes,
                     "c:\\abcdefg" + number + (type == "image/gif" ? ".gif" : ".jpg"), type});
  }
  return items;
}

}  // namespace

TEST(SandboxFlow, TheWholeFlowByHandListsOnceWithItsPhotos) {
  SandboxProcess sandbox;
  FlowWalker walker(sandbox);
  const std::string sell = sandbox.Url(ServiceRole::Sell);

  auto landing = walker.Get(sell + "/sell/jp/show/submit?category=0");
  ASSERT_EQ(landing->status, 200);
  EXPECT_EQ(landing->get_header_value("Content-Type"), "text/html; charset=Shift_JIS");
  EXPECT_NE(landing->body.find("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                               "charset=Shift_JIS\">"),
            std::string::npos);
  EXPECT_NE(landing->body.find("<div id=\"old_warning\"><p>"), std::string::npos);
  EXPECT_NE(landing->body.find("select=old"), std::string::npos);

  const std::string sellForm = walker.OpenSellForm(2084005146);
  const std::string sellFormText = Utf8(sellForm);
  EXPECT_NE(sellFormText.find("ようこそ<b>sandbox_seller</b>さん"), std::string::npos);
  EXPECT_NE(sellForm.find("action=\"" + sell + "/sell/jp/show/preview\""), std::string::npos);
  EXPECT_EQ(sellForm.find("is_other_ship"), std::string::npos);

  // The photo page, two uploads (one photo each) and the way back to the sell form.
  auto photoPage =
      walker.Post(sell + "/sell/f/imgup/", FormBody(HiddenFields(sellForm, "auction")));
  ASSERT_NE(photoPage->body.find("<div id=\"modImgUpld\">"), std::string::npos);
  const std::string jpeg = Jpeg(640, 480);
  const std::string gif = Gif(10, 12);
  auto first = walker.Upload(sell + "/sell/f/imgup/upload",
                             PhotoUpload(photoPage->body, {{jpeg, "image/jpeg"}}));
  ASSERT_NE(first->body.find("<div id=\"modImgPrvw\">"), std::string::npos) << Utf8(first->body);
  auto items = PhotoUpload(first->body, {});
  items.push_back({"ImageFile2", gif, "c:\\abcdefg2.gif", "image/gif"});
  auto second = walker.Upload(sell + "/sell/f/imgup/upload", items);
  auto done =
      walker.Post(sell + "/sell/f/imgup/done", FormBody(HiddenFields(second->body, "imgdone")));
  auto back =
      walker.Post(sell + "/sell/jp/show/submit", FormBody(HiddenFields(done->body, "imgreturn")));
  ASSERT_NE(back->body.find("name=\"ImageFullPath2\""), std::string::npos) << Utf8(back->body);

  const std::string title = "テスト出品 ① \"引用\" <タグ>";
  auto confirmation =
      walker.Post(sell + "/sell/jp/show/preview", FormBody(FlowWalker::Filled(back->body, title)));
  const std::string confirmText = Utf8(confirmation->body);
  ASSERT_NE(confirmText.find("<title>出品 - 確認 - ヤフオク!</title>"), std::string::npos)
      << confirmText;
  EXPECT_NE(confirmText.find("<div id=\"yaucSellItemCfm\">"), std::string::npos);
  EXPECT_NE(confirmText.find("configSubmit('" + sell + "/sell/jp/config/submit'"),
            std::string::npos);
  EXPECT_EQ(confirmText.find("type=\"text\" name=\"Title\""), std::string::npos);

  const std::string finalBody = FormBody(HiddenFields(confirmation->body, "auction"));
  auto completion = walker.Post(sell + "/sell/jp/config/submit", finalBody);
  const std::string completionText = Utf8(completion->body);
  EXPECT_NE(completionText.find("<title>出品：完了"), std::string::npos);
  EXPECT_NE(completionText.find("id=\"yaucSellItemCmplt\""), std::string::npos);

  // The same confirmation posted again is refused: a listing is never posted twice.
  auto again = walker.Post(sell + "/sell/jp/config/submit", finalBody);
  EXPECT_EQ(Utf8(again->body).find("出品：完了"), std::string::npos);

  const std::string listings = sandbox.Listings();
  EXPECT_NE(listings.find("\"title\": \"テスト出品 ① \\\"引用\\\" <タグ>\""), std::string::npos)
      << listings;
  EXPECT_NE(listings.find("\"description\": \"<b>説明</b> & 写真\""), std::string::npos);
  EXPECT_NE(listings.find("\"width\": 640, \"height\": 480"), std::string::npos);
  EXPECT_NE(listings.find("\"content_type\": \"image/gif\", \"size\": " +
                          std::to_string(gif.size()) + ", \"width\": 10, \"height\": 12"),
            std::string::npos);
  // The digest of Jpeg(640, 480)'s 53 bytes, worked out once by sha256sum.
  EXPECT_NE(listings.find("\"sha256\": "
                          "\"05d88d907268daeee2a7fd303648ec87cef1c644deca39d43591494515b88e61\""),
            std::string::npos);
  EXPECT_NE(listings.find("\"reason\": \"confirmation token \\\".crumb\\\" was used before\""),
            std::string::npos);
  EXPECT_EQ(listings.find("auction_id", listings.find("auction_id") + 1), std::string::npos);
  // Uploads are logged with the size they were sent with, though they are read part by part.
  const std::string requests = sandbox.Requests();
  EXPECT_NE(requests.find("\"step\": \"photo_upload\""), std::string::npos);
  EXPECT_EQ(requests.find("\"body_bytes\": 0, \"step\": \"photo_upload\""), std::string::npos);
}

// A real listing's description runs to tens of kilobytes; the form that carries one (six bytes
// a character once percent-encoded) must pass the preview and the final post whole.
TEST(SandboxFlow, ALongDescriptionIsListedWhole) {
  SandboxProcess sandbox;
  FlowWalker walker(sandbox);
  const std::string sell = sandbox.Url(ServiceRole::Sell);
  std::string description;
  for (int line = 0; description.size() < 200 * 1024; ++line) {
    description += "<p>" + std::to_string(line) + "行目：状態は良好です。&amp; 送料込み</p>";
  }
  Fields fields = FlowWalker::Filled(walker.OpenSellForm(), "長い説明の出品");
  Set(fields, "Description", description);
  auto confirmation = walker.Post(sell + "/sell/jp/show/preview", FormBody(fields));
  ASSERT_EQ(confirmation->status, 200);
  auto completion = walker.Post(sell + "/sell/jp/config/submit",
                                FormBody(HiddenFields(confirmation->body, "auction")));
  ASSERT_EQ(completion->status, 200);
  EXPECT_NE(Utf8(completion->body).find("出品：完了"), std::string::npos)
      << Utf8(completion->body).substr(0, 2000);
  const std::string listings = sandbox.Listings();
  EXPECT_NE(listings.find("\"description\": \"" + description + "\""), std::string::npos);
  EXPECT_NE(listings.find("\"deviations\": []"), std::string::npos) << listings.substr(0, 300);
}
