#include <gtest/gtest.h>

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
