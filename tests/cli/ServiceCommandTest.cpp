#include <gtest/gtest.h>
#include <httplib.h>

#include "core/net/ServiceProfile.h"
#include "support/CliRunner.h"

TEST(ServiceCommand, ShowsTheDefaultOrTheChosenProfileAndRefusesABadOne) {
  CliResult builtIn = RunCli({"service"});
  EXPECT_EQ(builtIn.exitCode, 0);
  EXPECT_NE(builtIn.out.find("\"sell\": \"https://auctions.yahoo.co.jp\""), std::string::npos);

  TempDir dir;
  const std::string roles = R"("sell": "http://127.0.0.1:40000", "login": "http://127.0.0.1:40001",
    "protect": "http://127.0.0.1:40002", "contact": "http://127.0.0.1:40003",
    "image": "http://127.0.0.1:40004", "announcement": "http://127.0.0.1:40005",
    "listing": "http://127.0.0.1:40006", "main": "http://127.0.0.1:40007")";
  const auto good = dir.path() / "local.json";
  std::ofstream(good) << R"({"name": "local", "roles": {)" << roles << "}}";
  CliResult chosen = RunCli({"--service", good.string(), "service"});
  EXPECT_EQ(chosen.exitCode, 0) << chosen.err;
  EXPECT_NE(chosen.out.find("\"sell\": \"http://127.0.0.1:40000\""), std::string::npos);

  const auto bad = dir.path() / "bad.json";
  std::ofstream(bad) << R"({"roles": {"sell": "file:///etc/passwd"}})";
  CliResult refused = RunCli({"--service", bad.string(), "version"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.out.empty());
  EXPECT_NE(refused.err.find("bad.json"), std::string::npos);
  EXPECT_EQ(RunCli({"service", "--service"}).exitCode, 2);
}

TEST(ServiceCommand, ASandboxOfTheCommandsOwnServesItAndStopsWithIt) {
  CliResult shown = RunCli({"--sandbox", "service"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  std::string why;
  const auto profile = nuvo::CServiceProfile::Parse(shown.out, "nuvo-sandbox", why);
  ASSERT_TRUE(profile) << shown.out << why;
  const std::string sell = profile->BaseUrl(nuvo::ServiceRole::Sell);
  EXPECT_TRUE(sell.starts_with("http://127.0.0.1:")) << sell;
  // The command has ended, and its sandbox with it.
  httplib::Client client(sell);
  client.set_connection_timeout(2, 0);
  EXPECT_FALSE(client.Get("/__sandbox/listings"));

  TempDir dir;
  const std::string listing = (dir.path() / "item.nvd").string();
  ASSERT_EQ(RunCli({"new", listing}).exitCode, 0);
  ASSERT_EQ(RunCli({"set", listing, "title=試しの出品", "category=2084005:本", "ship+=ゆうパック",
                    "ship[0].fee=800"})
                .exitCode,
            0);
  const std::string jar = (dir.path() / "cookies.txt").string();
  // The private sandbox takes listings through the easy-trade form, as the service does.
  CliResult submitted = RunCli({"--sandbox", "--cookie-jar", jar, "submit", listing});
  EXPECT_EQ(submitted.exitCode, 0) << submitted.out << submitted.err;
  EXPECT_NE(submitted.out.find("\"outcome\":\"completed\""), std::string::npos);

  EXPECT_EQ(RunCli({"--sandbox", "--service", listing, "service"}).exitCode, 2);
}
