#include <gtest/gtest.h>

#include "SandboxTestSupport.h"

using namespace sandbox_test;
using nuvo::ServiceRole;

namespace {

// Each refusal leaves its reason among the recorded deviations.
void ExpectDeviation(const SandboxProcess& sandbox, const std::string& reasonPart) {
  const std::string listings = sandbox.Listings();
  EXPECT_NE(listings.find(reasonPart), std::string::npos) << listings;
  EXPECT_EQ(listings.find("auction_id"), std::string::npos);
}

class SandboxStrictness : public ::testing::Test {
 protected:
  SandboxProcess sandbox_;
  FlowWalker walker_{sandbox_};
  const std::string sell_ = sandbox_.Url(ServiceRole::Sell);
};

}  // namespace

TEST_F(SandboxStrictness, ALostOrChangedTokenIsRefused) {
  const std::string form = walker_.OpenSellForm();
  Fields lost = FlowWalker::Filled(form, "題名");
  Remove(lost, ".crumb");
  auto refused = walker_.Post(sell_ + "/sell/jp/show/preview", FormBody(lost));
  EXPECT_NE(Utf8(refused->body).find("エラー："), std::string::npos);
  ExpectDeviation(sandbox_, "hidden token \\\".crumb\\\" is missing or was changed");

  Fields changed = FlowWalker::Filled(form, "題名");
  Set(changed, "category", "1");
  walker_.Post(sell_ + "/sell/jp/show/preview", FormBody(changed));
  ExpectDeviation(sandbox_, "\\\"category\\\" was changed");
}

TEST_F(SandboxStrictness, AFieldInAnotherCharsetOrBadlyEncodedIsRefused) {
  const std::string form = walker_.OpenSellForm();
  walker_.Post(sell_ + "/sell/jp/show/preview",
               FormBody(FlowWalker::Filled(form, "題名"), nuvo::kUtf8));
  ExpectDeviation(sandbox_, "in the page's charset Shift_JIS");

  sandbox_.Reset();
  std::string raw = FormBody(FlowWalker::Filled(walker_.OpenSellForm(), "題名"));
  walker_.Post(sell_ + "/sell/jp/show/preview", raw + "&Extra=a b");
  ExpectDeviation(sandbox_, "not properly percent-encoded");
}

TEST_F(SandboxStrictness, SellerMistakesComeBackAsTheFormWithErrorPoints) {
  const std::string form = walker_.OpenSellForm();
  Fields fields = FlowWalker::Filled(form, std::string(66, 'a'));
  Set(fields, "Quantity", "0");
  auto errors = walker_.Post(sell_ + "/sell/jp/show/preview", FormBody(fields));
  const std::string text = Utf8(errors->body);
  EXPECT_NE(text.find("<div class=\"decErrorBox\">正しく入力されていない項目"), std::string::npos);
  EXPECT_NE(text.find("<th>タイトル</th><td class=\"decErrorPoint\" id=\"Title\">"
                      "<input type=\"text\" name=\"Title\""),
            std::string::npos);
  EXPECT_NE(text.find("id=\"Quantity\""), std::string::npos);
  EXPECT_EQ(text.find("id=\"StartPrice\""), std::string::npos);

  // Sixty-five characters, each two bytes in code page 932, are within the limit.
  std::string longest;
  for (int i = 0; i < 65; ++i) longest += "あ";
  auto accepted =
      walker_.Post(sell_ + "/sell/jp/show/preview", FormBody(FlowWalker::Filled(form, longest)));
  EXPECT_NE(Utf8(accepted->body).find("yaucSellItemCfm"), std::string::npos);
}

TEST_F(SandboxStrictness, PhotosMustArriveWholeAndAsWhatTheyClaim) {
  const std::string form = walker_.OpenSellForm();
  auto photoPage = walker_.Post(sell_ + "/sell/f/imgup/", FormBody(HiddenFields(form, "auction")));
  httplib::MultipartFormDataItems base;
  for (const auto& [name, value] : HiddenFields(photoPage->body, "imgup")) {
    base.push_back({name, value, "", ""});
  }
  auto upload = [&](const std::string& bytes, const std::string& fileName,
                    const std::string& type) {
    auto items = base;
    items.push_back({"ImageFile1", bytes, fileName, type});
    return walker_.Upload(sell_ + "/sell/f/imgup/upload", items);
  };

  // Every LF turned into CR LF, as a text-mode copy does: the frame header no longer parses.
  std::string mangled;
  for (char c : Jpeg(10, 8)) mangled += c == '\n' ? std::string("\r\n") : std::string(1, c);
  upload(mangled, "c:\\abcdefg1.jpg", "image/jpeg");
  ExpectDeviation(sandbox_, "ImageFile1\\\": JPEG");

  std::string cut = Jpeg(100, 100);
  upload(cut.substr(0, cut.size() - 3), "c:\\abcdefg1.jpg", "image/jpeg");
  ExpectDeviation(sandbox_, "JPEG ends without its end marker");

  upload(Gif(4, 4), "c:\\abcdefg1.gif", "image/jpeg");
  ExpectDeviation(sandbox_, "is image/gif sent as image/jpeg");
  upload(Jpeg(4, 4), "c:\\abcdefg1.jpg", "application/octet-stream");
  ExpectDeviation(sandbox_, "has content type \\\"application/octet-stream\\\"");
  upload("not a picture", "c:\\abcdefg1.jpg", "image/jpeg");
  ExpectDeviation(sandbox_, "not a JPEG or GIF image");

  auto whole = upload(Jpeg(4, 4), "c:\\abcdefg1.jpg", "image/jpeg");
  EXPECT_NE(whole->body.find("modImgPrvw"), std::string::npos);
}

TEST_F(SandboxStrictness, PagesInEucJpWantTheirPostsInEucJp) {
  SandboxProcess euc({"--charset", "euc-jp"});
  FlowWalker walker(euc);
  const std::string sell = euc.Url(ServiceRole::Sell);
  auto classic = walker.Get(sell + "/sell/jp/show/submit?category=0&select=old");
  EXPECT_EQ(classic->get_header_value("Content-Type"), "text/html; charset=EUC-JP");
  EXPECT_NE(classic->body.find("charset=EUC-JP\">"), std::string::npos);
  Fields category = HiddenFields(classic->body, "topsubmit", nuvo::kEucJp);
  Set(category, "category", "23336");
  auto form = walker.Post(sell + "/sell/jp/show/submit", FormBody(category, nuvo::kEucJp));
  Fields fields = FlowWalker::Filled(form->body, "題名", nuvo::kEucJp);
  walker.Post(sell + "/sell/jp/show/preview", FormBody(fields, nuvo::kCp932));
  EXPECT_NE(euc.Listings().find("in the page's charset EUC-JP"), std::string::npos);
  auto accepted = walker.Post(sell + "/sell/jp/show/preview", FormBody(fields, nuvo::kEucJp));
  EXPECT_NE(accepted->body.find("yaucSellItemCfm"), std::string::npos);
}
