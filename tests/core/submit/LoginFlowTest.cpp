#include "core/submit/LoginFlow.h"

#include <gtest/gtest.h>

using namespace nuvo;

namespace {

constexpr char kNotice[] = "https://auctions.example/topic/notice/";

CLoginFlow Flow() {
  return CLoginFlow("https://login.example", "https://protect.login.example",
                    CLoginFlow::StartAddress("https://login.example", kNotice));
}

}  // namespace

TEST(LoginFlow, StartsAtTheLoginPageAndSucceedsAtItsDoneTarget) {
  CLoginFlow flow = Flow();
  EXPECT_EQ(flow.StartAddress(),
            "https://login.example/config/login?.src=auc&lg=jp&auth_lv=pw&.intl=jp&.done="
            "https%3A%2F%2Fauctions.example%2Ftopic%2Fnotice%2F");
  EXPECT_EQ(flow.SuccessTarget(), kNotice);
  EXPECT_EQ(flow.OnNavigation(flow.StartAddress(), true), LoginNavigation::kAllow);
  EXPECT_EQ(flow.OnNavigation("HTTPS://auctions.example/topic/notice/?x=1", true),
            LoginNavigation::kSucceed);
  EXPECT_EQ(flow.OnDocumentComplete("https://auctions.example/topic/notice/", false, false),
            LoginPageState::kSucceeded);
  // A start address without a target never succeeds by itself.
  CLoginFlow bare("https://login.example", "", "https://login.example/config/login");
  EXPECT_EQ(bare.OnNavigation("https://auctions.example/", true), LoginNavigation::kOpenOutside);
}

TEST(LoginFlow, ClassifiesTheServicesAddresses) {
  const CLoginFlow flow = Flow();
  struct Case {
    const char* url;
    LoginAddressKind kind;
  };
  for (const Case& c : {
           Case{"https://login.example/config/login?x", LoginAddressKind::kLoginPage},
           Case{"http://LOGIN.example/config/login_verify2?.src=auc", LoginAddressKind::kLoginPage},
           Case{"https://other.example/logincushion/?a", LoginAddressKind::kLoginPage},
           Case{"https://other.example/x/logout_logbackin/", LoginAddressKind::kLoginPage},
           Case{"https://other.example/easylogin/start", LoginAddressKind::kLoginPage},
           Case{"https://protect.login.example/anything", LoginAddressKind::kProtection},
           Case{"https://reg.example/suppreg/form", LoginAddressKind::kSupportRegistration},
           Case{"https://reg.example/form?next=suppreg", LoginAddressKind::kSupportRegistration},
           Case{"about:blank", LoginAddressKind::kBlank},
           // Another host that only begins like the login host, or the login path elsewhere.
           Case{"https://login.example.evil/config/login", LoginAddressKind::kOther},
           Case{"https://evil.example/config/login?login.example", LoginAddressKind::kOther},
           Case{"https://login.example/config/other", LoginAddressKind::kOther},
           Case{"https://suppreg.example/", LoginAddressKind::kOther},
       }) {
    EXPECT_EQ(flow.Classify(c.url), c.kind) << c.url;
  }
  EXPECT_TRUE(CLoginFlow::IsReverification("https://login.example",
                                           "https://login.example/config/login_verify?.done=x"));
  EXPECT_FALSE(
      CLoginFlow::IsReverification("https://login.example", "https://login.example/config/login"));
}

TEST(LoginFlow, LetsTheLoginStepsThroughAndSendsEverythingElseOutside) {
  CLoginFlow flow = Flow();
  const std::string typed = "seller01";
  EXPECT_EQ(flow.OnNavigation("https://login.example/config/login?x", true, &typed),
            LoginNavigation::kAllow);
  EXPECT_EQ(flow.SellerId(), "seller01");
  EXPECT_EQ(flow.OnNavigation("https://protect.login.example/p", true), LoginNavigation::kAllow);
  EXPECT_EQ(flow.OnNavigation("https://r.example/suppreg/", true), LoginNavigation::kAllow);
  EXPECT_EQ(flow.OnNavigation("about:blank", true), LoginNavigation::kAllow);
  EXPECT_EQ(flow.OnNavigation("https://ads.example/", true), LoginNavigation::kOpenOutside);
  // What a frame inside the page loads is the page's business.
  EXPECT_EQ(flow.OnNavigation("https://ads.example/", false), LoginNavigation::kAllow);
  EXPECT_EQ(flow.SellerId(), "seller01");
}

TEST(LoginFlow, WaitsOnFormsAndPointsAtTheManualButtonOnFormlessLoginPages) {
  const CLoginFlow flow = Flow();
  const char* login = "https://login.example/config/login?x";
  EXPECT_EQ(flow.OnDocumentComplete(login, true, false), LoginPageState::kWaiting);
  EXPECT_EQ(flow.OnDocumentComplete(login, false, true), LoginPageState::kWaiting);
  EXPECT_EQ(flow.OnDocumentComplete(login, false, false), LoginPageState::kShowManualNotice);
  EXPECT_EQ(flow.OnDocumentComplete("https://o.example/logincushion/", false, false),
            LoginPageState::kShowManualNotice);
  EXPECT_EQ(flow.OnDocumentComplete("https://protect.login.example/", false, false),
            LoginPageState::kWaiting);
  // A captcha is never passed over, even where the target's address is reached.
  EXPECT_EQ(flow.OnDocumentComplete(kNotice, false, true), LoginPageState::kWaiting);
}
