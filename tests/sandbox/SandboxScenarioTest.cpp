#include <gtest/gtest.h>

#include <chrono>

#include "SandboxTestSupport.h"

using namespace sandbox_test;
using nuvo::ServiceRole;

namespace {

class SandboxScenario : public ::testing::Test {
 protected:
  std::string Landing(FlowWalker& walker) const {
    auto landing = walker.Get(sell_ + "/sell/jp/show/submit?category=0");
    return landing->status == 302 ? landing->get_header_value("Location") : std::string();
  }

  SandboxProcess sandbox_;
  const std::string sell_ = sandbox_.Url(ServiceRole::Sell);
};

}  // namespace

TEST_F(SandboxScenario, DiversionsSendTheLandingPageWhereTheServiceWould) {
  FlowWalker walker(sandbox_);
  sandbox_.SetScenario(R"({"diversion": "no_right"})");
  EXPECT_EQ(Landing(walker), sell_ + "/jp/show/entry_navi");
  sandbox_.SetScenario(R"({"diversion": "seller_info"})");
  EXPECT_EQ(Landing(walker), sandbox_.Url(ServiceRole::Contact) + "/setting/user/initialedit");
  sandbox_.SetScenario(R"({"diversion": "free_member"})");
  EXPECT_EQ(Landing(walker), sell_ + "/sell/jp/show/submit?category=0&select=non_premium");
  sandbox_.SetScenario(R"({"diversion": "reverify"})");
  const std::string verify = Landing(walker);
  EXPECT_TRUE(verify.starts_with(sandbox_.Url(ServiceRole::Login) + "/config/login_verify?"));
  // Once the password is checked again the session sells until the sandbox is reset.
  auto page = walker.Get(verify);
  Fields fields = HiddenFields(page->body, "login_form");
  Set(fields, "login", "seller_2");
  Set(fields, "passwd", "x");
  walker.Post(sandbox_.Url(ServiceRole::Login) + "/config/login_verify2", FormBody(fields));
  EXPECT_EQ(Landing(walker), "");

  sandbox_.SetScenario(R"({"notice": "closed_to_normal"})");
  EXPECT_NE(Utf8(walker.OpenSellForm())
                .find("<div id=\"insertion_dlg\" class=\"modDlgBoxEle\">"
                      "\n<p>このカテゴリは旧出品方法では出品できません。"),
            std::string::npos);
}

TEST_F(SandboxScenario, ALoginWithAnyIdOpensTheSessionThatTheSellPagesNeed) {
  sandbox_.SetScenario(R"({"login_required": true, "login": "captcha"})");
  FlowWalker walker(sandbox_);
  const std::string login = Landing(walker);
  const std::string loginHost = sandbox_.Url(ServiceRole::Login);
  ASSERT_TRUE(login.starts_with(loginHost + "/config/login?.src=auc&lg=jp&auth_lv=pw&.intl=jp&"
                                            ".done="));
  auto page = walker.Get(login);
  const std::string text = Utf8(page->body);
  EXPECT_NE(text.find("本物のパスワードは入力しないでください"), std::string::npos);
  EXPECT_NE(text.find("name=\"login_form\""), std::string::npos);

  Fields fields = HiddenFields(page->body, "login_form");
  EXPECT_EQ(fields.front().second, sandbox_.Url(ServiceRole::Main) + "/topic/notice/");
  Set(fields, "login", "seller_1");
  Set(fields, "passwd", "x");
  auto captcha = walker.Post(loginHost + "/config/login", FormBody(fields));
  EXPECT_NE(captcha->body.find("name=\"captchaForm\""), std::string::npos);
  Fields answer = HiddenFields(captcha->body, "captchaForm");
  Set(answer, "captcha", "sandbox");
  auto done = walker.Post(loginHost + "/config/login", FormBody(answer));
  EXPECT_EQ(done->status, 302);
  EXPECT_EQ(done->get_header_value("Location"), sandbox_.Url(ServiceRole::Main) + "/topic/notice/");
  EXPECT_NE(Utf8(walker.OpenSellForm()).find("ようこそ<b>seller_1</b>さん"), std::string::npos);
}

TEST_F(SandboxScenario, FaultsHitTheNamedStepOnItsNthRequestOnly) {
  sandbox_.SetScenario(R"({"faults": [
      {"step": "landing", "nth": 1, "kind": "status", "status": 503},
      {"step": "landing", "nth": 2, "kind": "close"},
      {"step": "landing", "nth": 3, "kind": "reset"},
      {"step": "landing", "nth": 4, "kind": "truncate"},
      {"step": "landing", "nth": 5, "kind": "delay", "ms": 300},
      {"step": "landing", "nth": 6, "kind": "redirect_chain", "count": 3},
      {"step": "landing", "nth": 8, "kind": "redirect_loop"}]})");
  auto client = sandbox_.Client();
  const char* landing = "/sell/jp/show/submit?category=0";
  EXPECT_EQ(client.Get(landing)->status, 503);
  EXPECT_FALSE(client.Get(landing));
  EXPECT_FALSE(client.Get(landing));
  EXPECT_FALSE(client.Get(landing));  // the body stops short of its length

  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(client.Get(landing)->status, 200);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));

  auto followed = sandbox_.Client();
  followed.set_follow_location(true);
  auto chain = followed.Get(landing);
  ASSERT_TRUE(chain);
  EXPECT_EQ(chain->status, 200);
  EXPECT_NE(chain->body.find("old_warning"), std::string::npos);

  std::string location = landing;
  for (int hop = 0; hop < 20; ++hop) {
    auto answer = client.Get(location.c_str());
    ASSERT_EQ(answer->status, 302) << hop;
    location = answer->get_header_value("Location");
  }
  EXPECT_EQ(client.Get(landing)->status, 200);

  const std::string requests = sandbox_.Requests();
  EXPECT_NE(requests.find("\"step\": \"landing\", \"status\": 503, \"fault\": \"applied\""),
            std::string::npos)
      << requests;
}

TEST_F(SandboxScenario, TheFinalPostEndsAsTheScenarioSays) {
  FlowWalker walker(sandbox_);
  auto confirm = [&] {
    return walker.Post(sell_ + "/sell/jp/show/preview",
                       FormBody(FlowWalker::Filled(walker.OpenSellForm(), "題名")));
  };
  sandbox_.SetScenario(R"({"outcome": "refused"})");
  auto refused = walker.Post(sell_ + "/sell/jp/config/submit",
                             FormBody(HiddenFields(confirm()->body, "auction")));
  EXPECT_EQ(refused->get_header_value("Location"),
            sandbox_.Url(ServiceRole::Announcement) + "/trs/announcement.html");

  sandbox_.SetScenario(R"({"outcome": "failed", "form_errors": ["StartPrice"]})");
  auto forced = confirm();
  EXPECT_NE(forced->body.find("class=\"decErrorPoint\" id=\"StartPrice\""), std::string::npos);
  auto failed = walker.Post(sell_ + "/sell/jp/config/submit",
                            FormBody(HiddenFields(confirm()->body, "auction")));
  EXPECT_NE(Utf8(failed->body).find("エラー："), std::string::npos);
  EXPECT_EQ(sandbox_.Listings().find("auction_id"), std::string::npos);

  // The reason can come only as the JSON of #submitErrorCodes, or only as an "エラー：" line.
  sandbox_.SetScenario(R"({"outcome": "failed", "error_page": "codes"})");
  const std::string codes = Utf8(walker
                                     .Post(sell_ + "/sell/jp/config/submit",
                                           FormBody(HiddenFields(confirm()->body, "auction")))
                                     ->body);
  EXPECT_NE(codes.find("id=\"submitErrorCodes\" value=\"{&quot;code&quot;: &quot;SB-100&quot;, "
                       "&quot;message&quot;: &quot;システムエラーが発生しました。"),
            std::string::npos)
      << codes;
  EXPECT_EQ(codes.find("エラー："), std::string::npos);
  sandbox_.SetScenario(R"({"outcome": "failed", "error_page": "text"})");
  const std::string text = Utf8(walker
                                    .Post(sell_ + "/sell/jp/config/submit",
                                          FormBody(HiddenFields(confirm()->body, "auction")))
                                    ->body);
  EXPECT_NE(text.find("<p>エラー：システムエラーが発生しました。"), std::string::npos);
  EXPECT_EQ(text.find("untHead"), std::string::npos);

  // Each lesser completion page keeps exactly one sign that the listing went through.
  for (auto [kind, sign] : {std::pair{"ascii_title", "<title>出品:完了"},
                            {"wrapper", "id=\"yaucSellItemCmplt\""},
                            {"heading", "<h1>出品：完了</h1>"}}) {
    sandbox_.SetScenario(std::string(R"({"completion": ")") + kind + "\"}");
    const std::string page = Utf8(walker
                                      .Post(sell_ + "/sell/jp/config/submit",
                                            FormBody(HiddenFields(confirm()->body, "auction")))
                                      ->body);
    int signs = 0;
    for (const char* any :
         {"<title>出品：完了", "<title>出品:完了", "yaucSellItemCmplt", "<h1>出品：完了</h1>"}) {
      signs += page.find(any) != std::string::npos;
    }
    EXPECT_NE(page.find(sign), std::string::npos) << kind;
    EXPECT_EQ(signs, 1) << kind;
  }
}

TEST_F(SandboxScenario, EasyTradeFormsUpdateRepliesAndCategoryPages) {
  sandbox_.SetScenario(
      R"({"form": "easy", "update_reply": "ok_ver_up", "find_type": "find_by_div"})");
  FlowWalker walker(sandbox_);
  EXPECT_NE(walker.OpenSellForm().find("name=\"is_other_ship\""), std::string::npos);

  auto update = sandbox_.Client(ServiceRole::Update).Get("/nuvo/version?ver_ms=00030000");
  EXPECT_NE(update->body.find("<!--reply=ok_ver_up-->"), std::string::npos);
  EXPECT_NE(update->body.find("<!--submit_select_old_find_type=find_by_div-->"), std::string::npos);

  auto listing = sandbox_.Client(ServiceRole::Listing);
  const std::string top = Utf8(listing.Get("/jp/0-submit.html")->body);
  EXPECT_NE(top.find("/jp/23336-submit.html\">コンピュータ</a>"), std::string::npos);
  const std::string computers = Utf8(listing.Get("/jp/23336-submit.html")->body);
  EXPECT_NE(computers.find(sell_ + "/sell/jp/show/submit?category=23564\">その他</a>"),
            std::string::npos);
  EXPECT_EQ(listing.Get("/jp/23564-submit.html")->status, 404);
}

TEST_F(SandboxScenario, AScenarioWithAnUnknownKeyOrValueIsRefusedWhole) {
  auto client = sandbox_.Client();
  for (const char* bad :
       {R"({"login_requird": true})", R"({"outcome": "maybe"})",
        R"({"faults": [{"step": "nowhere", "kind": "reset"}]})",
        R"({"faults": [{"step": "submit"}]})", R"({"omit": ["everything"]})", "[]", "not json"}) {
    auto answer = client.Post("/__sandbox/scenario", bad, "application/json");
    EXPECT_EQ(answer->status, 400) << bad;
  }
  EXPECT_NO_THROW(sandbox_.SetScenario(R"({"login_required": false, "notice": ""})"));
}

// Each of the service's boxes must be told apart by what it holds, not by being there: two of
// them let the seller go on although they carry text.
TEST_F(SandboxScenario, NoticeBoxesAndThePhotoButtonSitWhereTheScenarioPutsThem) {
  FlowWalker walker(sandbox_);
  for (auto [notice, sign] :
       {std::pair{"open_dialog", "id=\"auc_insertion_ok\" value=\"開く\""},
        {"new_method_button", "value=\"新出品方法\""},
        {"seller_registration", "value=\"出品者情報登録\" onclick=\"location.href='http"}}) {
    sandbox_.SetScenario(std::string(R"({"notice": ")") + notice + "\"}");
    const std::string page = Utf8(walker.OpenSellForm());
    EXPECT_NE(page.find(sign), std::string::npos) << notice;
    EXPECT_EQ(page.find("旧出品方法"), std::string::npos) << notice;
  }
  sandbox_.SetScenario(R"({"notice": "service_message", "photo_button": "comment"})");
  std::string page = walker.OpenSellForm();
  const std::size_t box = page.find("<div id=\"insertion_dlg\"");
  const std::string boxText = page.substr(box, page.find("</div>\n</div>", box) - box);
  EXPECT_NE(boxText.find("<div class=\"untBody\">"), std::string::npos);
  EXPECT_EQ(boxText.find("<input"), std::string::npos);
  EXPECT_NE(walker.Get(sell_ + "/sell/jp/show/submit?category=0")->body.find("class=\"untHead\""),
            std::string::npos);
  const std::size_t button = page.find("id=\"acMdBtnImageUp\"");
  EXPECT_LT(page.find("<div id=\"auc_img_block\">\n<!--[if !IE]>"), button);
  EXPECT_GT(page.find("<![endif]-->", button), button);

  sandbox_.SetScenario(R"({"photo_button": "no_address"})");
  page = walker.OpenSellForm();
  EXPECT_NE(page.find("id=\"ImageUp\""), std::string::npos);
  EXPECT_EQ(page.find("/sell/f/imgup/"), std::string::npos);
}

TEST_F(SandboxScenario, LeftOutPartsAreMissingFromTheirPagesOnly) {
  FlowWalker walker(sandbox_);
  sandbox_.SetScenario(R"({"omit": ["classic_link", "category_form"]})");
  EXPECT_EQ(walker.Get(sell_ + "/sell/jp/show/submit?category=0")->body.find("select=old"),
            std::string::npos);
  auto classic = walker.Get(sell_ + "/sell/jp/show/submit?category=0&select=old&fnavi=0");
  EXPECT_EQ(classic->body.find("topsubmit"), std::string::npos);

  sandbox_.SetScenario(R"({"omit": ["sell_form"]})");
  EXPECT_EQ(walker.OpenSellForm().find("name=\"auction\""), std::string::npos);

  sandbox_.SetScenario(R"({"omit": ["confirmation_button"]})");
  auto confirmation = walker.Post(sell_ + "/sell/jp/show/preview",
                                  FormBody(FlowWalker::Filled(walker.OpenSellForm(), "確認")));
  EXPECT_NE(confirmation->body.find("name=\"auction\""), std::string::npos);
  EXPECT_EQ(confirmation->body.find("configSubmit('"), std::string::npos);
  sandbox_.Reset();
  EXPECT_NE(walker.Get(sell_ + "/sell/jp/show/submit?category=0")->body.find("select=old"),
            std::string::npos);
}

// The scenario named at start is the one a reset returns to; a bad one keeps the sandbox from
// starting at all.
TEST(SandboxStartScenario, IsPlayedFromTheStartAndAfterEveryReset) {
  SandboxProcess sandbox({"--scenario", R"({"form": "easy"})"});
  FlowWalker walker(sandbox);
  EXPECT_NE(walker.OpenSellForm().find("name=\"is_other_ship\""), std::string::npos);
  sandbox.SetScenario("{}");
  EXPECT_EQ(FlowWalker(sandbox).OpenSellForm().find("name=\"is_other_ship\""), std::string::npos);
  sandbox.Reset();
  EXPECT_NE(FlowWalker(sandbox).OpenSellForm().find("name=\"is_other_ship\""), std::string::npos);

  EXPECT_THROW(SandboxProcess({"--scenario", R"({"form": "sideways"})"}), std::exception);
}
