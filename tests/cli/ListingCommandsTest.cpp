#include <gtest/gtest.h>

#include <fstream>

#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"
#include "support/CliRunner.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

// A samples folder with sample 0 in it.
std::filesystem::path WriteSamples(const TempDir& dir) {
  std::filesystem::path samples = dir.path() / "samples";
  std::filesystem::create_directories(samples / "0000");
  std::ofstream(samples / "0000" / "0000.htm", std::ios::binary) << Cp932(
      "<!--#header--><html><body><!--#header@end--><!--#description--><!--#item-->説明"
      "<!--#item@end--><!--#description@end--><!--#footer--></body></html>"
      "<!--#footer@end-->");
  return samples;
}

}  // namespace

TEST(ListingCommands, NewWritesTheDefaultListingThatDumpPrints) {
  TempDir dir;
  std::string samples = WriteSamples(dir).string();
  std::string out = (dir.path() / "new.nvd").string();
  CliResult made = RunCli({"--samples", samples, "new", out, "--input-type", "0"});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(made.err, "");

  CliResult dump = RunCli({"--samples", samples, "dump", out});
  ASSERT_EQ(dump.exitCode, 0) << dump.err;
  EXPECT_EQ(dump.out,
            "{\"version\":11,\"startPrice\":1000,\"buyNowPrice\":0,\"quantity\":1,"
            "\"condition\":{\"kind\":5,\"remark\":\"\"},\"categoryId\":0,\"categoryName\":\"\","
            "\"memo\":\"\",\"salesFormat\":0,\"paidOptions\":{\"featuredAmount\":0,"
            "\"reservePrice\":0,\"iconKind\":0,\"optionFlags\":0,\"collectionRate\":0},"
            "\"sampleId\":0,\"inputType\":0,\"title\":\"\",\"photos\":[],"
            "\"descriptions\":[[\"説明\"],[],[]],\"post\":[],\"pay\":[],\"other\":[],"
            "\"shipping\":{\"methods\":[],\"serviceFlags\":0,\"groupA\":{\"setting\":0,"
            "\"sizeWeight\":{\"size\":0,\"sizeFlag\":0,\"weight\":0,\"weightFlag\":0}},"
            "\"groupB\":{\"setting\":0,\"prefecture\":13,\"sizeWeight\":{\"size\":0,"
            "\"sizeFlag\":0,\"weight\":0,\"weightFlag\":0}},\"groupC\":{\"setting\":0,"
            "\"sizeWeight\":{\"size\":0,\"sizeFlag\":0,\"weight\":0,\"weightFlag\":0}}},"
            "\"sizeWeight\":{\"size\":0,\"sizeFlag\":0,\"weight\":0,\"weightFlag\":0},"
            "\"warnings\":[]}\n");

  CliResult html =
      RunCli({"--samples", samples, "new", out, "--input-type", "2", "--sample-id", "0x10002"});
  ASSERT_EQ(html.exitCode, 0) << html.err;
  dump = RunCli({"--samples", samples, "dump", out});
  EXPECT_NE(dump.out.find("\"sampleId\":65538,\"inputType\":2"), std::string::npos);
  EXPECT_NE(dump.out.find("[[],[],[\"（ここに<b>HTML入力</b>で、"), std::string::npos);
}

TEST(ListingCommands, DumpEscapesTextsAndHashesPhotos) {
  TempDir dir;
  std::string samples = WriteSamples(dir).string();
  std::filesystem::path path = dir.path() / "full.nvd";
  {
    CMemorySettings settings;
    settings.WriteString("Installation", "Samples", samples);
    ScriptedPrompt prompt;
    CNuvoDoc doc(settings, prompt);
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetMemo(Cp932("\"値下げ\"\\\x01"));
    doc.SetPhotos({"p.jpg"}, {{3, 4}}, {""},
                  {CPhotoData(std::vector<std::uint8_t>{'a', 'b', 'c'})});
    CChargeOptions options;
    options.SetOptionFlags(CChargeOptions::kAffiliate);
    doc.SetChargeOptions(options);
    ASSERT_TRUE(doc.OnSaveDocument(path));
  }
  CliResult dump = RunCli({"--samples", samples, "dump", path.string()});
  ASSERT_EQ(dump.exitCode, 0) << dump.err;
  EXPECT_NE(dump.out.find("\"memo\":\"\\\"値下げ\\\"\\\\\\u0001\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"photos\":[{\"name\":\"p.jpg\",\"width\":3,\"height\":4,\"detail\":"
                          "\"\",\"size\":3,\"sha256\":\"ba7816bf8f01cfea414140de5dae2223b00361a3"
                          "96177a9cb410ff61f20015ad\"}]"),
            std::string::npos);
  EXPECT_NE(dump.out.find("\"optionFlags\":268435456"), std::string::npos);
  EXPECT_NE(dump.out.find("\"warnings\":[\"このファイルには有料オプションが設定されています。"
                          "\\u000D\\u000A"),
            std::string::npos);
}

TEST(ListingCommands, FailuresGiveTheProgramsMessageAndUsageErrorsCode2) {
  TempDir dir;
  std::filesystem::path bad = dir.path() / "bad.nvd";
  std::ofstream(bad, std::ios::binary) << "\x05hello";
  CliResult foreign = RunCli({"dump", bad.string()});
  EXPECT_EQ(foreign.exitCode, 1);
  EXPECT_EQ(foreign.err, "読み込めないファイル形式です。\n");
  CliResult text = RunCli({"dump", (dir.path() / "x.txt").string()});
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_EQ(text.err, "ぬぼファイル以外は読み込めません。\n");
  EXPECT_EQ(RunCli({"new", (dir.path() / "no" / "dir.nvd").string()}).exitCode, 1);

  EXPECT_EQ(RunCli({"dump"}).exitCode, 2);
  EXPECT_EQ(RunCli({"new"}).exitCode, 2);
  EXPECT_EQ(RunCli({"new", "a.nvd", "--input-type", "3"}).exitCode, 2);
  EXPECT_EQ(RunCli({"new", "a.nvd", "--sample-id", "x"}).exitCode, 2);
  EXPECT_EQ(RunCli({"new", "a.nvd", "b.nvd"}).exitCode, 2);
}
