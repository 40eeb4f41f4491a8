#include <gtest/gtest.h>

#include "core/app/AppComm.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"
#include "support/CliRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/SubmittableListing.h"
#include "support/TempDir.h"

using namespace nuvo;
namespace fs = std::filesystem;

namespace {

// A listing on the first bundled sample with a title and one shipping method, changed by `fill`.
template <typename Fill>
fs::path SaveListing(const TempDir& dir, Fill fill) {
  CMemorySettings settings;
  ScriptedPrompt prompt;
  CAppComm(settings).WriteInstallationString("Samples", NUVO_SAMPLES_DIR);
  CNuvoDoc doc(settings, prompt);
  EXPECT_TRUE(doc.OnNewDocument());
  MakeSubmittable(doc, "腕時計");
  fill(doc);
  const fs::path file = dir.path() / "listing.nvd";
  EXPECT_TRUE(doc.OnSaveDocument(file));
  return file;
}

TEST(CheckCommand, AListingThatCanBeSubmittedHasNoFindings) {
  TempDir dir;
  const fs::path file = SaveListing(dir, [](CNuvoDoc&) {});
  const std::string before = ReadWholeFile(file);
  const CliResult result = RunCli({"check", file.string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "{\"ok\":true,\"findings\":[]}\n");
  EXPECT_EQ(ReadWholeFile(file), before);
}

TEST(CheckCommand, EveryFindingIsPrintedInTheOrderASubmissionMeetsThem) {
  TempDir dir;
  const fs::path file = SaveListing(dir, [](CNuvoDoc& doc) {
    doc.SetStartPrice(0);
    doc.SetTitle(Cp932("①番"));
    doc.SetOtherItems({Cp932("あり"), ""});
    CShipSettings shipping = doc.GetShipping();
    shipping.methods[0].SetFeeType(CShipMethod::kCashOnDelivery);
    shipping.methods.push_back(shipping.methods[0]);
    shipping.methods[1].SetFeeType(CShipMethod::kFlatFee);
    doc.SetShipping(shipping);
  });
  const CliResult result = RunCli({"check", file.string()});
  EXPECT_EQ(result.exitCode, 1);
  const std::string expected =
      "{\"ok\":false,\"findings\":["
      "{\"step\":\"start-price\",\"message\":\"数値が範囲外、もしくは数値が入力されていません。"
      "\\u000D\\u000A1～9999999999までの数値を入力してください。\",\"field\":\"StartPrice\","
      "\"row\":-1,\"stops\":true,\"asks\":false},"
      "{\"step\":\"machine-dependent\",";
  EXPECT_EQ(result.out.substr(0, expected.size()), expected);
  for (const char* part :
       {"\"field\":\"Title\",\"row\":-1,\"stops\":false,\"asks\":true}",
        "{\"step\":\"empty-items\",\"message\":\"空の項目があります。削除しますか？\","
        "\"field\":\"Other\",\"row\":1,\"stops\":false,\"asks\":true}",
        "{\"step\":\"shipping\",\"message\":\"「かんたん取引出品」のときは、送料を「着払い」にする",
        "\"field\":\"ShipMethod\",\"row\":0,\"stops\":true,\"asks\":false}]}"}) {
    EXPECT_NE(result.out.find(part), std::string::npos) << part << "\n" << result.out;
  }

  // The normal form has rules of its own.
  const CliResult normal = RunCli({"check", file.string(), "--normal"});
  EXPECT_NE(normal.out.find("「通常出品」のときは、送料の「着払い」は設定できません。"),
            std::string::npos);
}

TEST(CheckCommand, BadArgumentsAndUnreadableFilesAreRefused) {
  TempDir dir;
  EXPECT_EQ(RunCli({"check"}).exitCode, 2);
  EXPECT_EQ(RunCli({"check", "a.nvd", "--normal", "--easy-trade"}).exitCode, 2);
  EXPECT_EQ(RunCli({"check", "a.nvd", "--yes"}).exitCode, 2);
  const CliResult missing = RunCli({"check", (dir.path() / "none.nvd").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("ファイルが見つかりません。"), std::string::npos);
  EXPECT_TRUE(missing.out.empty());
}

}  // namespace
