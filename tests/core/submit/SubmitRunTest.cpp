#include "core/submit/SubmitRun.h"

#include <gtest/gtest.h>

#include "FakeSellService.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"

using namespace nuvo;
using namespace submit_test;

namespace {

SubmitPhoto Photo(const std::string& name, std::size_t size, char fill) {
  SubmitPhoto photo{name, std::vector<std::uint8_t>(size, static_cast<std::uint8_t>(fill))};
  photo.bytes[0] = 0xFF;  // a CR LF or a boundary inside must arrive unharmed too
  if (size > 3) photo.bytes[1] = '\r', photo.bytes[2] = '\n';
  return photo;
}

SubmitListing Listing(int photos = 0, std::size_t photoSize = 1000) {
  SubmitListing listing;
  listing.fields.Set(kFieldTitle, Cp932("テスト出品 <A&B>"));
  listing.fields.Set(kFieldDescription,
                     Cp932("<p>説明 \"引用\" &amp; 100%</p>!zs_dynamic!yahoo_japan_id"));
  listing.fields.SetInt(kFieldStartPrice, 1500);
  listing.fields.SetInt(kFieldBidOrBuyPrice, 3000);
  listing.fields.SetInt(kFieldCategory, 2084005);
  listing.fields.Set(FieldRow(kFieldShipName1, 1), Cp932("定形外郵便"));
  listing.fields.Set(FieldRow(kFieldShipFee1, 1), "300");
  listing.fields.Clear(FieldRow(kFieldShipName1, 2));
  listing.fields.Set(FieldRow(kFieldShipFee1, 2), "900");
  listing.fields.Merge(CSubmitSettings().fields);
  listing.fields.Set(kFieldBankName1, Cp932("ゆうちょ銀行"));
  listing.title = Cp932("テスト出品");
  listing.category = 2084005;
  listing.sellerIdPlaceholder = true;
  listing.sizeText = Cp932("～80cm");
  for (int i = 0; i < photos; ++i)
    listing.photos.push_back(Photo("photo" + std::to_string(i + 1) + ".jpg", photoSize, 'a' + i));
  return listing;
}

SubmitRunOptions Options(bool easyTrade, bool dryRun = false, int batchIndex = 0,
                         int batchTotal = 0) {
  SubmitRunOptions options;
  options.easyTrade = easyTrade;
  options.dryRun = dryRun;
  options.batchIndex = batchIndex;
  options.batchTotal = batchTotal;
  return options;
}

struct Fixture {
  FakeSellService service;
  RecordingHost host;
  CServiceProfile profile = TestProfile();
  CSubmitSettings settings;

  SubmitOutcome Run(SubmitListing listing, SubmitRunOptions options = Options(false)) {
    run =
        std::make_unique<CSubmitRun>(service, host, profile, settings, std::move(listing), options);
    return run->Run();
  }
  std::vector<std::string> Steps() const {
    std::vector<std::string> names;
    for (SubmitStep step : run->Steps()) names.emplace_back(StepName(step));
    return names;
  }
  // Exactly one message was shown, and it is `id`.
  void ExpectOneMessage(int id) const {
    ASSERT_EQ(host.messages.size() + host.prompts.size(), 1u)
        << testing::PrintToString(host.Shown());
    EXPECT_EQ(host.messages.empty() ? host.prompts[0].messageId : host.messages[0].messageId, id);
  }
  std::unique_ptr<CSubmitRun> run;
};

}  // namespace

TEST(SubmitRun, NormalListingArrivesAsTheListingSaysAndCompletes) {
  Fixture f;
  f.settings.showCompletionMessage = true;
  ASSERT_EQ(f.Run(Listing()), SubmitOutcome::Completed) << testing::PrintToString(f.host.Shown());
  EXPECT_EQ(f.Steps(), (std::vector<std::string>{"preparation", "first-page", "classic-form",
                                                 "category", "page-analysis", "sell-form", "fill",
                                                 "confirmation", "final-post"}));
  EXPECT_EQ(f.run->AuctionId(), "x1000001");
  EXPECT_EQ(f.run->SellerId(), "nuvo_seller");
  EXPECT_TRUE(f.service.files.empty());

  // The classic form was asked for in the normal mode, and the category went with it.
  bool classic = false;
  for (const Posted& request : f.service.requests)
    classic |= request.url == kSell + "/sell/jp/show/submit?select=old&fnavi=0";
  EXPECT_TRUE(classic);
  EXPECT_EQ(f.service.requests[3].fields.at("category"), "2084005");
  EXPECT_EQ(f.service.requests[3].fields.at(".crumb"), "category-crumb");

  ASSERT_TRUE(f.service.sellFormPost && f.service.finalPost);
  const auto& sent = f.service.sellFormPost->fields;
  EXPECT_EQ(sent.at("tos"), "yes");
  EXPECT_EQ(sent.at("Title"), Cp932("テスト出品 <A&B>"));
  EXPECT_EQ(sent.at("Description"), Cp932("<p>説明 \"引用\" &amp; 100%</p>nuvo_seller"));
  EXPECT_EQ(sent.at("StartPrice"), "1500");
  EXPECT_EQ(sent.at("BidOrBuyPrice"), "3000");
  EXPECT_EQ(sent.at("shipfee1"), "300");
  EXPECT_EQ(sent.count("shipfee2"), 0u) << "a row without a name sends no fee";
  EXPECT_EQ(sent.at("Duration"), "5") << "the common settings win over the form's value";
  EXPECT_EQ(sent.at(".crumb"), "sell-crumb") << "the service's own fields go back untouched";
  EXPECT_EQ(sent.at("itemsize"), "1");
  // The final post carries the confirmation page's fields, decoded once more.
  EXPECT_EQ(f.service.finalPost->fields.at("Title"), Cp932("テスト出品 <A&B>"));
  EXPECT_EQ(f.service.finalPost->fields.at("Description"),
            Cp932("<p>説明 \"引用\" & 100%</p>nuvo_seller"));

  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].messageId, IDS_SUBMIT_COMPLETED_TITLE);
  EXPECT_EQ(f.host.captions.back(), "nuvo_sellerで出品中... ＜通常出品＞");
  EXPECT_EQ(f.host.confirmations.size(), 1u);
}

TEST(SubmitRun, PhotosGoTogetherOrOneByOneAndArriveByteForByte) {
  struct Case {
    bool easyTrade;
    int photos;
    bool together;
    std::int64_t limit;
    std::vector<int> requests;
    std::vector<std::string> uploadStatuses;
  };
  const Case cases[] = {
      {false, 1, true, 5'000'000, {1}, {"写真をアップロードしています..."}},
      {true, 1, false, 5'000'000, {1}, {"写真をアップロードしています..."}},
      {true, 10, true, 5'000'000, {10}, {"写真をまとめてアップロードしています..."}},
      {false, 10, true, 5'000, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {}},
      {true, 3, false, 5'000'000, {1, 1, 1}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.photos << " photos, easy trade " << c.easyTrade);
    Fixture f;
    f.service.easyTradeForm = c.easyTrade;
    f.settings.uploadPhotosTogether = c.together;
    f.settings.uploadSizeLimit = c.limit;
    const SubmitListing listing = Listing(c.photos);
    ASSERT_EQ(f.Run(listing, Options(c.easyTrade)), SubmitOutcome::Completed)
        << testing::PrintToString(f.host.Shown());
    EXPECT_EQ(f.service.uploadRequests, c.requests);
    ASSERT_EQ(f.service.files.size(), static_cast<std::size_t>(c.photos));
    const std::string letters = f.service.files[0].fileName.substr(3, 7);
    for (int i = 0; i < c.photos; ++i) {
      const PostedFile& file = f.service.files[i];
      EXPECT_EQ(file.field, "ImageFile" + std::to_string(i + 1));
      EXPECT_EQ(file.fileName, "c:\\" + letters + std::to_string(i + 1) + ".jpg");
      EXPECT_EQ(file.contentType, "image/jpeg");
      EXPECT_EQ(file.bytes,
                std::string(listing.photos[i].bytes.begin(), listing.photos[i].bytes.end()));
    }
    // Only the photo form's own fields travel with the photos.
    const Posted& upload =
        *std::find_if(f.service.requests.begin(), f.service.requests.end(),
                      [](const Posted& p) { return p.path == "/sell/f/imgup/upload"; });
    EXPECT_NE(upload.body.find("name=\"thumbNail\""), std::string::npos);
    EXPECT_EQ(upload.body.find("crumbOfPhotoPage"), std::string::npos);
    if (c.requests.size() == 10) {
      for (int n = 1; n <= 10; ++n)
        EXPECT_NE(std::find(f.host.statuses.begin(), f.host.statuses.end(),
                            std::to_string(n) + "枚目の写真をアップロードしています..."),
                  f.host.statuses.end());
    }
    for (const std::string& status : c.uploadStatuses)
      EXPECT_NE(std::find(f.host.statuses.begin(), f.host.statuses.end(), status),
                f.host.statuses.end());
    // The sell form came back with the service's photo fields, and the listing's own went on.
    EXPECT_EQ(f.service.sellFormPost->fields.at("ImageFullPath1"), "http://image.test/1");
    if (c.easyTrade) {
      EXPECT_EQ(f.service.sellFormPost->fields.at("dskPayment"), "ypmOK");
      // The seller's bank picks one of the accounts the form offers; no bank name is sent.
      EXPECT_EQ(f.service.sellFormPost->fields.at("bkid"), "b2");
      EXPECT_FALSE(f.service.sellFormPost->fields.contains("bkname1"));
      EXPECT_EQ(f.host.captions.back(), "nuvo_sellerで出品中... ＜かんたん取引出品＞");
    }
  }
}

TEST(SubmitRun, GifPhotosAreNamedAndTypedAsGif) {
  Fixture f;
  SubmitListing listing = Listing();
  listing.photos = {Photo("a.GIF", 10, 'g'), Photo("b.png", 10, 'p'), Photo("c.jpeg", 10, 'j')};
  ASSERT_EQ(f.Run(listing), SubmitOutcome::Completed);
  ASSERT_EQ(f.service.files.size(), 3u);
  EXPECT_EQ(f.service.files[0].contentType, "image/gif");
  EXPECT_TRUE(f.service.files[0].fileName.ends_with("1.gif"));
  EXPECT_EQ(f.service.files[1].contentType, "image/jpeg");
  EXPECT_TRUE(f.service.files[1].fileName.ends_with("2.jpg"));
  EXPECT_TRUE(f.service.files[2].fileName.ends_with("3.jpg"));
}

TEST(SubmitRun, DiversionsEndTheRunWithTheirMessage) {
  struct Case {
    std::string location;
    int message;  // 0: no message
    SubmitOutcome outcome;
    std::string link;  // the address the message offers
  };
  const std::string faq = "https://help.test/faq/faq_nuvo_submit_error.htm#NO_RIGHT_TO_SUBMIT";
  const Case cases[] = {
      {kSell + "/jp/show/entry_navi", IDS_NO_RIGHT_TO_SELL_NO_ID, SubmitOutcome::Failed, faq},
      {"HTTPS://SELL.test/JP/show/entry_navi?x=1", IDS_NO_RIGHT_TO_SELL_NO_ID,
       SubmitOutcome::Failed, faq},
      {"http://contact.test/setting/user/initialedit?done=1", IDS_SELLER_INFO_MISSING_NO_ID,
       SubmitOutcome::Failed, "http://contact.test/setting/user/initialedit?done=1"},
      {kSell + "/sell/jp/show/submit?select=non_premium&category=0", IDS_FREE_MEMBERSHIP,
       SubmitOutcome::Failed, ""},
      {kLogin + "/config/login?.src=auc", 0, SubmitOutcome::LoginRequired, ""},
      {kLogin + "/config/login_verify2?.src=auc", 0, SubmitOutcome::LoginRequired, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.location);
    Fixture f;
    const std::string location = c.location;
    f.service.Route("GET /sell/jp/show/submit", [location](const Posted& request) {
      if (request.url.find("select=") != std::string::npos) return Reply{200, "<html>empty</html>"};
      return Reply{302, "", location};
    });
    f.service.Route("GET /jp/show/entry_navi", [](const Posted&) { return Reply{200, ""}; });
    f.service.Route("GET /JP/show/entry_navi", [](const Posted&) { return Reply{200, ""}; });
    f.service.Route("GET /setting/user/initialedit", [](const Posted&) {
      return Reply{200, "<html></html>"};
    });
    f.service.Route("GET /config/login", [](const Posted&) {
      return Reply{200, "<html>login</html>"};
    });
    f.service.Route("GET /config/login_verify2", [](const Posted&) {
      return Reply{200, "<html>login</html>"};
    });
    EXPECT_EQ(f.Run(Listing()), c.outcome);
    if (c.message) {
      f.ExpectOneMessage(c.message);
      EXPECT_EQ(f.host.messages.empty() ? "" : f.host.messages[0].linkUrl, c.link);
    } else {
      EXPECT_TRUE(f.host.Shown().empty());
      ASSERT_EQ(f.host.logins.size(), 1u);
      EXPECT_EQ(f.host.logins[0].reverify, c.location.find("login_verify") != std::string::npos);
      EXPECT_EQ(f.host.logins[0].loginUrl,
                kLogin + "/config/login?.src=auc&lg=jp&auth_lv=pw&.intl=jp&.done=" +
                    "http%3A%2F%2Fsell.test%2Ftopic%2Fnotice%2F");
      EXPECT_FALSE(f.run->LoginAgainRequested());
    }
    EXPECT_FALSE(f.service.sellFormPost);
  }
  // A seller who logs in asks for another run, as the ID typed at the login.
  Fixture f;
  f.host.login = {true, "seller05"};
  f.service.Route("GET /sell/jp/show/submit", [](const Posted&) {
    return Reply{302, "", kLogin + "/config/login"};
  });
  f.service.Route("GET /config/login", [](const Posted&) { return Reply{200, "<html></html>"}; });
  EXPECT_EQ(f.Run(Listing()), SubmitOutcome::LoginRequired);
  EXPECT_TRUE(f.run->LoginAgainRequested());
  EXPECT_EQ(f.run->SellerId(), "seller05");
  // The run that follows the login names the seller from its first caption on.
  f.host.captions.clear();
  SubmitRunOptions next = Options(false);
  next.sellerId = f.run->SellerId();
  f.Run(Listing(), next);
  EXPECT_EQ(f.host.captions.front(), "seller05で出品中... ＜通常出品＞");
}

TEST(SubmitRun, ClassicFormLinkIsLookedForAsTheUpdateServiceSays) {
  // The link sits outside the "old_warning" box: only a search of the whole page finds it.
  struct Case {
    std::string findType;
    bool found;
  };
  for (const Case& c : {Case{"find_by_div", false}, Case{"find_by_link", true},
                        Case{"find_all", true}, Case{"", false}}) {
    SCOPED_TRACE(c.findType);
    Fixture f;
    f.service.findType = c.findType;
    f.service.Route("GET /sell/jp/show/submit", [](const Posted& request) {
      if (request.url.find("select=OLD") != std::string::npos)
        return Reply{200, "<form name=\"topsubmit\" action=\"\"></form>"};
      return Reply{200,
                   "<div id=\"old_warning\"><a href=\"/x?select=new\">new</a></div>"
                   "<a href=\"/sell/jp/show/submit?select=OLD\">old</a>"};
    });
    const SubmitOutcome outcome = f.Run(Listing());
    if (c.found) {
      EXPECT_EQ(outcome, SubmitOutcome::Completed) << testing::PrintToString(f.host.Shown());
    } else {
      EXPECT_EQ(outcome, SubmitOutcome::Failed);
      f.ExpectOneMessage(IDS_CLASSIC_LINK_MISSING);
      EXPECT_EQ(f.host.Shown()[0], LoadStringUtf8(IDS_CLASSIC_LINK_MISSING).data() +
                                       std::string(LoadStringUtf8(IDS_SYSTEM_ERROR_PAGE_NOTE)));
    }
  }
}

TEST(SubmitRun, ServiceNoticesOnTheSellPageStopTheRunOrLetItPass) {
  const std::string closed =
      "<div id=\"insertion_dlg\">このカテゴリは旧出品方法では出品できません</div>";
  const std::string known =
      "<div class=\"modDlgBoxEle x\"><form><input id=\"auc_insertion_ok\" "
      "value=\"開く\"></form></div>"
      "<div class=\"untBody\">無視される</div>";
  const std::string own =
      "<div id=\"insertion_dlg\">?</div><div class=\"untBody\">  休止中です  </div>";
  struct Case {
    std::string notice;
    bool easyTrade;
    int message;  // 0: the run completes
    std::string text;
  };
  const Case cases[] = {
      {closed, false, IDS_CLOSED_TO_NORMAL,
       "カテゴリ[本 > 雑誌]\r\nは「通常出品」では出品できません。"},
      {closed, true, 0, ""},
      {known, false, 0, ""},
      {own, false, IDS_SERVER_MESSAGE, "\"休止中です\r\n\r\n\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notice);
    Fixture f;
    f.service.easyTradeForm = c.easyTrade;
    const std::string notice = c.notice;
    f.service.Route("POST /sell/jp/show/submit", [&f, notice](const Posted&) {
      std::string page = f.service.SellPage();
      page.insert(page.find("<body>") + 6, notice);
      return Reply{200, page};
    });
    SubmitListing listing = Listing();
    listing.categoryPath = Cp932("本 > 雑誌");
    const SubmitOutcome outcome = f.Run(listing, Options(c.easyTrade));
    if (!c.message) {
      EXPECT_EQ(outcome, SubmitOutcome::Completed) << testing::PrintToString(f.host.Shown());
      continue;
    }
    EXPECT_EQ(outcome, SubmitOutcome::Failed);
    f.ExpectOneMessage(c.message);
    EXPECT_NE(f.host.Shown()[0].find(c.text), std::string::npos) << f.host.Shown()[0];
  }
}

TEST(SubmitRun, AFormOfTheOtherModeOrNoFormAtAllIsReported) {
  Fixture f;
  f.service.easyTradeForm = true;
  EXPECT_EQ(f.Run(Listing()), SubmitOutcome::Failed);
  f.ExpectOneMessage(IDS_WRONG_LISTING_MODE);
  EXPECT_EQ(
      f.host.Shown()[0],
      "このカテゴリは「通常出品」では出品できません。\r\n「かんたん取引出品」で出品してください。");

  Fixture g;
  g.service.Route("POST /sell/jp/show/submit", [](const Posted&) {
    return Reply{200, "<html><body>blank</body></html>"};
  });
  SubmitListing listing = Listing();
  listing.categoryPath = Cp932("不動産 > 土地");
  EXPECT_EQ(g.Run(listing), SubmitOutcome::Failed);
  g.ExpectOneMessage(IDS_SELL_FORM_MISSING_REAL_ESTATE);
  EXPECT_EQ(g.host.messages[0].linkUrl, kSell + "/sell/jp/show/submit");
}

TEST(SubmitRun, FormErrorsAreReportedWithTheFieldsInError) {
  Fixture f;
  f.service.Route("POST /jp/show/preview", [](const Posted&) {
    return Reply{200,
                 "<div class=\"decErrorBox\"> 正しく入力されていない項目があります。 </div>"
                 "<input type=\"hidden\" id=\"submitErrorCodes\" value='{\"message\":\"other\"}'>"
                 "<form name=\"auction\"><table><tr><th>開始価格</th><td class=\"decErrorPoint\" "
                 "id=\"StartPrice\">x</td></tr><tr><th>タイトル</th><td class=\"decErrorPoint\">"
                 "<input type=\"text\" name=\"Title\"></td></tr></table></form>"};
  });
  EXPECT_EQ(f.Run(Listing()), SubmitOutcome::Failed);
  f.ExpectOneMessage(IDS_SERVER_MESSAGE);
  EXPECT_EQ(
      f.host.Shown()[0],
      "オークションサーバーから以下のエラーメッセージが通知されました。\r\n\r\n\""
      "正しく入力されていない項目があります。\r\n\r\n（補足）エラー箇所：開始価格（StartPrice）,"
      "タイトル\"");
  EXPECT_FALSE(f.service.finalPost);
}

TEST(SubmitRun, TheFinalPageDecidesWhetherTheListingIsUp) {
  struct Case {
    std::string page;
    std::string location;
    int message;  // 0: completed
  };
  const Case cases[] = {
      {"<title>出品:完了</title>", "", 0},
      {"<div class=\"wrapper\" id=\"yaucSellItemCmpltA\"></div>", "", 0},
      {"<div id=\"modTitBar\"><h1>出品：完了しました</h1></div>", "", 0},
      {"<title>エラー</title>", "", IDS_NOT_COMPLETED},
      {"", "http://NOTICE.test/trs/announcement.html", IDS_ACCESS_REFUSED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page + c.location);
    Fixture f;
    f.settings.showCompletionMessage = false;
    const Case copy = c;
    f.service.Route("POST /jp/show/submit_done", [copy](const Posted&) {
      return copy.location.empty() ? Reply{200, copy.page} : Reply{302, "", copy.location};
    });
    f.service.Route("GET /trs/announcement.html", [](const Posted&) {
      return Reply{200, "<html></html>"};
    });
    const SubmitOutcome outcome = f.Run(Listing());
    if (!c.message) {
      EXPECT_EQ(outcome, SubmitOutcome::Completed);
      EXPECT_TRUE(f.host.Shown().empty());
      continue;
    }
    EXPECT_EQ(outcome, SubmitOutcome::Failed);
    f.ExpectOneMessage(c.message);
    if (c.message == IDS_NOT_COMPLETED) {
      EXPECT_NE(f.host.Shown()[0].find("実行URL：http://sell.test/jp/show/submit_done\r\n"
                                       "送信データの文字コード：Shift_JIS"),
                std::string::npos);
      EXPECT_EQ(f.host.messages[0].linkUrl, kSell + "/jp/show/submit_done");
    }
  }
}

TEST(SubmitRun, DryRunAndADeclinedConfirmationNeverPostTheListing) {
  Fixture f;
  EXPECT_EQ(f.Run(Listing(2), Options(false, true)), SubmitOutcome::Confirmed);
  EXPECT_FALSE(f.service.finalPost);
  EXPECT_TRUE(f.host.messages.empty());

  Fixture g;
  g.host.confirm = false;
  EXPECT_EQ(g.Run(Listing()), SubmitOutcome::Cancelled);
  EXPECT_FALSE(g.service.finalPost);

  // A batch item never stops at the confirmation page and says nothing when it is done.
  Fixture h;
  h.host.confirm = false;
  EXPECT_EQ(h.Run(Listing(), Options(false, false, 2, 5)), SubmitOutcome::Completed);
  EXPECT_TRUE(h.host.confirmations.empty());
  EXPECT_TRUE(h.host.messages.empty());
  EXPECT_EQ(h.host.captions.back(), "nuvo_sellerで自動出品中(2/5)... ＜通常出品＞");
}

TEST(SubmitRun, CancelDuringAnyRequestEndsWithOneMessageAndNothingPosted) {
  for (const std::string path :
       {"/nuvo/submit", "/sell/jp/show/submit", "/sell/f/imgup/upload", "/jp/show/preview"}) {
    SCOPED_TRACE(path);
    Fixture f;
    f.service.onRequest = [&f, path](const Posted& request) {
      if (request.path == path) f.run->Cancel();
    };
    EXPECT_EQ(f.Run(Listing(2)), SubmitOutcome::Cancelled);
    f.ExpectOneMessage(IDS_SUBMIT_CANCELLED);
    EXPECT_FALSE(f.service.finalPost);
  }
}

TEST(SubmitRun, ATransportFaultAtAnyStepGivesExactlyOneMessage) {
  const std::string paths[] = {"GET /nuvo/submit",          "GET /sell/jp/show/submit",
                               "POST /sell/jp/show/submit", "POST /sell/f/imgup/",
                               "POST /sell/f/imgup/upload", "POST /sell/f/imgup/done",
                               "POST /jp/show/preview",     "POST /jp/show/submit_done"};
  const Reply faults[] = {
      Reply{200, "", "", NetError{kNetErrorConnectionReset, "reset"}},
      Reply{200, "<html><body>cut", "", NetError{kNetErrorConnectionAborted, "cut"}},
      Reply{503, "<html>busy</html>"},
      Reply{302, "", "/loop"},
  };
  for (const std::string& path : paths) {
    for (const Reply& fault : faults) {
      SCOPED_TRACE(path + " " + std::to_string(fault.status) + " " +
                   std::to_string(fault.error.code));
      Fixture f;
      const Reply reply = fault;
      f.service.Route(path, [reply](const Posted&) { return reply; });
      f.service.Route("GET /loop", [](const Posted&) { return Reply{302, "", "/loop"}; });
      f.service.Route("POST /loop", [](const Posted&) { return Reply{302, "", "/loop"}; });
      EXPECT_NE(f.Run(Listing(1)), SubmitOutcome::Completed);
      EXPECT_EQ(f.host.messages.size() + f.host.prompts.size(), 1u)
          << testing::PrintToString(f.host.Shown());
      if (path != "POST /jp/show/submit_done") {
        EXPECT_FALSE(f.service.finalPost);
      }
      int finalPosts = 0;
      for (const Posted& request : f.service.requests)
        finalPosts += request.path == "/jp/show/submit_done";
      EXPECT_LE(finalPosts, 1) << "the final post is never sent twice";
    }
  }
}
