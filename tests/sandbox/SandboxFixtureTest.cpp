#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>

#include "core/net/ServiceProfile.h"

// The fixture's sandbox is up for every test that asks for it, named by its profile file.
TEST(SandboxFixture, TheSharedSandboxAnswersOnTheAddressesOfItsProfile) {
  const char* path = std::getenv("NUVO_SANDBOX_PROFILE");
  ASSERT_NE(path, nullptr);
  std::string error;
  auto profile = nuvo::CServiceProfile::Load(path, error);
  ASSERT_TRUE(profile) << error;
  EXPECT_EQ(profile->DisplayName(), "nuvo-sandbox");
  httplib::Client client(profile->BaseUrl(nuvo::ServiceRole::Sell));
  auto landing = client.Get("/sell/jp/show/submit?category=0");
  ASSERT_TRUE(landing);
  EXPECT_NE(landing->body.find("old_warning"), std::string::npos);
}
