#include <gtest/gtest.h>

#include "core/common/Sha256.h"
#include "support/CliRunner.h"
#include "support/ImageBytes.h"
#include "support/SandboxProcess.h"

namespace {

// A whole JPEG that the sandbox's image check takes: frame header, one scan and the end marker.
void WritePhoto(const std::filesystem::path& path) {
  ImageBytes bytes{0xFF, 0xD8};
  AppendJpegSegment(bytes, 0xC0, JpegFramePayload(320, 240));
  AppendJpegSegment(bytes, 0xDA, {3, 1, 0, 2, 0x11, 3, 0x11, 0, 63, 0});
  for (int i = 0; i < 5000; ++i) bytes.push_back(static_cast<std::uint8_t>(i % 200));
  bytes.insert(bytes.end(), {0xFF, 0xD9});
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

TEST(SubmitCommand, PutsAListingOnTheSandboxAndLeavesTheFileAsItWas) {
  SandboxProcess sandbox;
  TempDir dir;
  const std::string profile = (dir.path() / "profile.json").string();
  std::ofstream(profile) << sandbox.ProfileJson();
  const std::string listing = (dir.path() / "item.nvd").string();
  const std::string jar = (dir.path() / "cookies.txt").string();
  WritePhoto(dir.path() / "front.jpg");
  ASSERT_EQ(RunCli({"new", listing}).exitCode, 0);
  CliResult set = RunCli({"set", listing, "title=青いコップ", "category=2084005:本",
                          "photo+=" + (dir.path() / "front.jpg").string()});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  const std::string before = ReadWholeFile(listing);

  CliResult dry = RunCli(
      {"--service", profile, "--cookie-jar", jar, "submit", listing, "--normal", "--dry-run"});
  EXPECT_EQ(dry.exitCode, 0) << dry.out << dry.err;
  EXPECT_NE(dry.out.find("\"outcome\":\"confirmed\""), std::string::npos) << dry.out;
  EXPECT_NE(dry.out.find("\"photos\""), std::string::npos);
  EXPECT_EQ(dry.out.find("final-post"), std::string::npos);
  // The sandbox's session cookie went into the jar as a session cookie.
  const std::string cookies = ReadWholeFile(jar);
  EXPECT_EQ(cookies.rfind("# Netscape HTTP Cookie File\n", 0), 0u) << cookies;

  CliResult done =
      RunCli({"--service", profile, "--cookie-jar", jar, "submit", listing, "--normal"});
  EXPECT_EQ(done.exitCode, 0) << done.out << done.err;
  EXPECT_NE(done.out.find("\"outcome\":\"completed\""), std::string::npos) << done.out;
  EXPECT_EQ(done.out.find("\"auctionId\":\"\""), std::string::npos) << done.out;
  EXPECT_NE(done.out.find("\"message\":\"\""), std::string::npos);
  EXPECT_EQ(ReadWholeFile(listing), before);
  // What the sandbox took in is the listing: its title and the photo's bytes.
  const auto listings = sandbox.Client().Get("/__sandbox/listings");
  ASSERT_TRUE(listings);
  EXPECT_NE(listings->body.find("\"title\": \"青いコップ\""), std::string::npos) << listings->body;
  const std::string size =
      "\"size\": " + std::to_string(std::filesystem::file_size(dir.path() / "front.jpg"));
  EXPECT_NE(listings->body.find(size), std::string::npos);
  const std::string front = ReadWholeFile(dir.path() / "front.jpg");
  EXPECT_NE(listings->body.find(nuvo::Sha256Hex(
                std::span(reinterpret_cast<const std::uint8_t*>(front.data()), front.size()))),
            std::string::npos);

  // The sandbox's default form is the normal one: an easy-trade run, which needs a shipping
  // method to pass its checks, is told which mode to use.
  ASSERT_EQ(RunCli({"set", listing, "ship+=ゆうパック", "ship[0].fee=800"}).exitCode, 0);
  CliResult wrong =
      RunCli({"--service", profile, "--cookie-jar", jar, "submit", listing, "--easy-trade"});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_NE(wrong.out.find("\"outcome\":\"failed\""), std::string::npos);
  EXPECT_NE(wrong.err.find("「通常出品」で出品してください。"), std::string::npos) << wrong.err;

  EXPECT_EQ(RunCli({"submit", listing, "--normal", "--easy-trade"}).exitCode, 2);
}

TEST(SubmitCommand, ChecksTheListingFirstAndSendsTheStoredCommonSettings) {
  SandboxProcess sandbox;
  sandbox.SetScenario(R"({"form": "easy"})");
  TempDir dir;
  const std::string profile = (dir.path() / "profile.json").string();
  std::ofstream(profile) << sandbox.ProfileJson();
  const std::string jar = (dir.path() / "cookies.txt").string();
  // The settings the desktop program's settings window stored.
  const std::filesystem::path config = dir.path() / "config";
  std::filesystem::create_directories(config / "Zabuto Soft");
  std::ofstream(config / "Zabuto Soft" / "Nuvo3.conf")
      << "[Dialog]\n24100\\Duration=2\n24100\\ClosingTime=9\n";
  const std::string listing = (dir.path() / "item.nvd").string();
  ASSERT_EQ(RunCli({"new", listing}).exitCode, 0);
  ASSERT_EQ(RunCli({"set", listing, "title=時計①付き", "startPrice=1500", "category=2084005:本",
                    "ship+=ゆうパック", "ship[0].fee=800"})
                .exitCode,
            0);
  const std::vector<std::string> submit = {"--service", profile,  "--cookie-jar",
                                           jar,         "submit", listing};

  // The question about the circled digit is answered No without --yes: nothing is sent.
  CliResult no = RunCli(submit, {}, config);
  EXPECT_EQ(no.exitCode, 1);
  EXPECT_NE(no.out.find("\"outcome\":\"stopped\",\"check\":\"machine-dependent\""),
            std::string::npos)
      << no.out;
  EXPECT_NE(no.err.find("機種依存文字が含まれています"), std::string::npos) << no.err;
  EXPECT_EQ(sandbox.Requests().find("\"path\""), std::string::npos);

  std::vector<std::string> yes = submit;
  yes.push_back("--yes");
  CliResult done = RunCli(yes, {}, config);
  EXPECT_EQ(done.exitCode, 0) << done.out << done.err;
  const std::string listings = sandbox.Listings();
  EXPECT_NE(listings.find("\"Duration\": \"2\""), std::string::npos) << listings;
  EXPECT_NE(listings.find("\"ClosingTime\": \"9\""), std::string::npos) << listings;
}

// The example listing the program ships is one a seller can submit as it stands, in the form the
// service uses today, and it lands in the category it names.
TEST(SubmitCommand, TheBundledExampleGoesThroughTheEasyTradeForm) {
  SandboxProcess sandbox;
  sandbox.SetScenario(R"({"form": "easy"})");
  TempDir dir;
  const std::string profile = (dir.path() / "profile.json").string();
  std::ofstream(profile) << sandbox.ProfileJson();
  const std::string listing = (dir.path() / "example.nvd").string();
  std::filesystem::copy_file(NUVO_EXAMPLE_LISTING, listing);

  CliResult done =
      RunCli({"--service", profile, "--cookie-jar", (dir.path() / "cookies.txt").string(), "submit",
              listing, "--easy-trade"});
  EXPECT_EQ(done.exitCode, 0) << done.out << done.err;
  EXPECT_NE(done.out.find("\"outcome\":\"completed\""), std::string::npos) << done.out;
  EXPECT_NE(sandbox.Listings().find("\"category\": \"2084040706\""), std::string::npos)
      << sandbox.Listings();
}
