#include "core/net/ServiceProfile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "support/TempDir.h"

namespace nuvo {
namespace {

std::string RolesJson(const std::string& sellAddress, bool withUpdate = true) {
  std::string json = R"({"roles": {"sell": ")" + sellAddress + R"(",
    "login": "http://127.0.0.1:40001", "protect": "http://127.0.0.1:40002",
    "contact": "http://127.0.0.1:40003", "image": "http://127.0.0.1:40004",
    "announcement": "http://127.0.0.1:40005", "listing": "http://127.0.0.1:40006",
    "main": "http://127.0.0.1:40007")";
  if (withUpdate)
    json += R"(, "update": "http://127.0.0.1:40008", "help": "http://127.0.0.1:40009")";
  return json + "}}";
}

TEST(ServiceProfileTest, DefaultIsTheRealServiceWithoutUpdateServer) {
  const CServiceProfile& profile = CServiceProfile::Default();
  EXPECT_TRUE(profile.IsDefault());
  EXPECT_EQ(profile.BaseUrl(ServiceRole::Sell), "https://auctions.yahoo.co.jp");
  EXPECT_EQ(profile.BaseUrl(ServiceRole::Login), "https://login.yahoo.co.jp");
  EXPECT_TRUE(profile.BaseUrl(ServiceRole::Update).empty());
  EXPECT_TRUE(profile.Proxy().empty());
}

TEST(ServiceProfileTest, ReadsEveryRoleNormalisedWithProxyAndName) {
  std::string error;
  std::string json = RolesJson("HTTP://127.0.0.1:40000/");
  json.insert(1, R"("name": "試験環境", "proxy": "proxy.example:8080", "note": [1, 2], )");
  auto profile = CServiceProfile::Parse(json, "a.json", error);
  ASSERT_TRUE(profile) << error;
  EXPECT_FALSE(profile->IsDefault());
  EXPECT_EQ(profile->BaseUrl(ServiceRole::Sell), "http://127.0.0.1:40000");
  EXPECT_EQ(profile->BaseUrl(ServiceRole::Update), "http://127.0.0.1:40008");
  EXPECT_EQ(profile->BaseUrl(ServiceRole::Help), "http://127.0.0.1:40009");
  EXPECT_EQ(profile->Proxy(), "proxy.example:8080");
  EXPECT_EQ(profile->DisplayName(), Cp932("試験環境"));

  // What the sandbox prints reads back to the same profile.
  auto again = CServiceProfile::Parse(profile->ToJson(), "b.json", error);
  ASSERT_TRUE(again) << error;
  for (std::size_t i = 0; i < kServiceRoleCount; ++i) {
    auto role = static_cast<ServiceRole>(i);
    EXPECT_EQ(again->BaseUrl(role), profile->BaseUrl(role)) << CServiceProfile::RoleKey(role);
  }
  EXPECT_EQ(again->DisplayName(), profile->DisplayName());
}

TEST(ServiceProfileTest, UpdateAndHelpRolesAreOptionalAndNameFallsBackToTheFile) {
  std::string error;
  auto profile = CServiceProfile::Parse(RolesJson("https://sell.example", false), "p.json", error);
  ASSERT_TRUE(profile) << error;
  EXPECT_TRUE(profile->BaseUrl(ServiceRole::Update).empty());
  EXPECT_TRUE(profile->BaseUrl(ServiceRole::Help).empty());
  EXPECT_EQ(profile->DisplayName(), "p.json");
}

TEST(ServiceProfileTest, RefusesPartialAndHostileProfilesNamingTheFile) {
  const std::string partial = R"({"roles": {"sell": "http://127.0.0.1:1"}})";
  const std::string cases[] = {
      "",
      "not json",
      "[1, 2]",
      R"({"roles": "http://127.0.0.1:1"})",
      partial,
      RolesJson("ftp://127.0.0.1:40000"),
      RolesJson("javascript:alert(1)"),
      RolesJson("http://"),
      RolesJson("http://user:pw@127.0.0.1:40000"),
      RolesJson("http://127.0.0.1:99999"),
      RolesJson("http://127.0.0.1:40000/?x=1"),
      RolesJson("http://127.0.0.1:40000/a b"),
      RolesJson("http://127.0.0.1:40000\\u000d\\u000aHost: evil"),
      R"({"proxy": "a b:1", )" + RolesJson("http://h").substr(1),
      R"({"roles": {"sell": 5}})",
      std::string(70000, ' ') + RolesJson("http://h"),
  };
  for (const std::string& json : cases) {
    std::string error;
    EXPECT_FALSE(CServiceProfile::Parse(json, "bad.json", error)) << json;
    EXPECT_NE(error.find("bad.json"), std::string::npos) << json;
  }
  std::string error;
  CServiceProfile::Parse(partial, "bad.json", error);
  EXPECT_NE(error.find("login"), std::string::npos);
}

TEST(ServiceProfileTest, LoadReadsFilesAndRefusesMissingOnes) {
  TempDir dir;
  std::string path = (dir.path() / "sandbox.json").string();
  std::ofstream(path) << RolesJson("http://127.0.0.1:40000");
  std::string error;
  EXPECT_TRUE(CServiceProfile::Load(path, error)) << error;

  std::string missing = (dir.path() / "missing.json").string();
  EXPECT_FALSE(CServiceProfile::Load(missing, error));
  EXPECT_NE(error.find("missing.json"), std::string::npos);
  EXPECT_FALSE(CServiceProfile::Load(dir.path().string(), error));
}

TEST(ServiceProfileTest, CommandLineBeatsTheSettingAndARefusedFileNeverFallsBack) {
  TempDir dir;
  std::string good = (dir.path() / "good.json").string();
  std::ofstream(good) << RolesJson("http://127.0.0.1:40000");
  std::string bad = (dir.path() / "bad.json").string();
  std::ofstream(bad) << RolesJson("ftp://127.0.0.1:40000");
  CMemorySettings settings;
  CAppComm comm(settings);
  std::string error;

  auto chosen = ChooseServiceProfile("", comm, error);
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(chosen->IsDefault());

  comm.WriteSettingsString("ServiceProfile", good);
  chosen = ChooseServiceProfile("", comm, error);
  ASSERT_TRUE(chosen) << error;
  EXPECT_EQ(chosen->BaseUrl(ServiceRole::Sell), "http://127.0.0.1:40000");

  EXPECT_FALSE(ChooseServiceProfile(bad, comm, error));
  EXPECT_NE(error.find("bad.json"), std::string::npos);
  comm.WriteSettingsString("ServiceProfile", bad);
  EXPECT_FALSE(ChooseServiceProfile("", comm, error));
  EXPECT_TRUE(ChooseServiceProfile(good, comm, error));
}

}  // namespace
}  // namespace nuvo
