#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "support/CliRunner.h"
#include "support/ImageBytes.h"

namespace {

// nuvo-sandbox on ports of its own choosing for the life of one test; its profile file names
// them.
class SandboxRun {
 public:
  SandboxRun() {
    const std::string command = ShellQuote(NUVO_SANDBOX_PATH) + " --profile-out " +
                                ShellQuote(Profile()) + " >/dev/null 2>&1 & echo $! >" +
                                ShellQuote((dir_.path() / "pid").string());
    std::system(command.c_str());
    for (int i = 0; i < 100 && !std::filesystem::exists(Profile()); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ~SandboxRun() {
    const int pid = std::atoi(ReadWholeFile(dir_.path() / "pid").c_str());
    if (pid > 0) kill(pid, SIGTERM);
  }
  std::string Profile() const { return (dir_.path() / "profile.json").string(); }

 private:
  TempDir dir_;
};

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
  SandboxRun sandbox;
  TempDir dir;
  const std::string listing = (dir.path() / "item.nvd").string();
  const std::string jar = (dir.path() / "cookies.txt").string();
  WritePhoto(dir.path() / "front.jpg");
  ASSERT_EQ(RunCli({"new", listing}).exitCode, 0);
  CliResult set = RunCli({"set", listing, "title=青いコップ", "category=2084005:本",
                          "photo+=" + (dir.path() / "front.jpg").string()});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  const std::string before = ReadWholeFile(listing);

  CliResult dry = RunCli({"--service", sandbox.Profile(), "--cookie-jar", jar, "submit", listing,
                          "--normal", "--dry-run"});
  EXPECT_EQ(dry.exitCode, 0) << dry.out << dry.err;
  EXPECT_NE(dry.out.find("\"outcome\": \"confirmed\""), std::string::npos) << dry.out;
  EXPECT_NE(dry.out.find("\"photos\""), std::string::npos);
  EXPECT_EQ(dry.out.find("final-post"), std::string::npos);
  // The sandbox's session cookie went into the jar as a session cookie.
  const std::string cookies = ReadWholeFile(jar);
  EXPECT_EQ(cookies.rfind("# Netscape HTTP Cookie File\n", 0), 0u) << cookies;

  CliResult done =
      RunCli({"--service", sandbox.Profile(), "--cookie-jar", jar, "submit", listing, "--normal"});
  EXPECT_EQ(done.exitCode, 0) << done.out << done.err;
  EXPECT_NE(done.out.find("\"outcome\": \"completed\""), std::string::npos) << done.out;
  EXPECT_EQ(done.out.find("\"auctionId\": \"\""), std::string::npos) << done.out;
  EXPECT_NE(done.out.find("\"message\": \"\""), std::string::npos);
  EXPECT_EQ(ReadWholeFile(listing), before);

  // The sandbox's default form is the normal one: an easy-trade run is told which mode to use.
  CliResult wrong = RunCli(
      {"--service", sandbox.Profile(), "--cookie-jar", jar, "submit", listing, "--easy-trade"});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_NE(wrong.out.find("\"outcome\": \"failed\""), std::string::npos);
  EXPECT_NE(wrong.err.find("「通常出品」で出品してください。"), std::string::npos) << wrong.err;

  EXPECT_EQ(RunCli({"submit", listing, "--normal", "--easy-trade"}).exitCode, 2);
}
