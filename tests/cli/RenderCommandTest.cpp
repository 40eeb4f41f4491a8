#include <gtest/gtest.h>

#include <set>

#include "core/app/AppComm.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"
#include "support/CliRunner.h"
#include "support/ImageBytes.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;
namespace fs = std::filesystem;

namespace {

// Every file and folder below `top`, relative to it.
std::set<std::string> Tree(const fs::path& top) {
  std::set<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(top)) {
    entries.insert(fs::relative(entry.path(), top).generic_string());
  }
  return entries;
}

// Saves a listing on sample `sampleId` of `samples`, filled by `fill`.
template <typename Fill>
void SaveListing(const fs::path& samples, std::uint32_t sampleId, const fs::path& file, Fill fill) {
  CMemorySettings settings;
  ScriptedPrompt prompt;
  CAppComm(settings).WriteInstallationString("Samples", samples.string());
  CAppComm(settings).WriteSettingsInt("SampleID", static_cast<int>(sampleId));
  CNuvoDoc doc(settings, prompt);
  ASSERT_TRUE(doc.OnNewDocument());
  ASSERT_EQ(doc.GetSampleID(), sampleId);
  fill(doc);
  ASSERT_TRUE(doc.OnSaveDocument(file));
}

void FillListing(CNuvoDoc& doc) {
  doc.SetTitle(Cp932("ぬぼ & カメラ"));
  doc.SetDescriptions({Cp932("<b>美品</b>です")});
  doc.SetPayItems({{Cp932("銀行振込"), Cp932("前払い")}});
  doc.SetPostItems({{Cp932("定形外郵便"), Cp932("3日以内に発送")}});
  doc.SetOtherItems({Cp932("ノークレームでお願いします")});
  CShipSettings shipping;
  CShipMethod method;
  method.name = Cp932("ゆうパック");
  method.SetFeeType(CShipMethod::kFlatFeeAndRegions);
  method.fee = 1000;
  method.okinawaFee = 1200;
  shipping.methods = {method};
  doc.SetShipping(shipping);
  doc.SetSizeWeight({{60, 1}, {0, 0}});
}

}  // namespace

TEST(RenderCommand, RendersEveryBundledSampleDesign) {
  TempDir dir;
  const fs::path samples = NUVO_SAMPLES_DIR;
  int rendered = 0;
  for (const auto& entry : fs::recursive_directory_iterator(samples)) {
    if (entry.path().extension() != ".htm") continue;
    const std::uint32_t id = std::stoul(entry.path().parent_path().filename().string(), nullptr, 16)
                                 << 16 |
                             std::stoul(entry.path().stem().string(), nullptr, 16);
    const fs::path file = dir.path() / (std::to_string(id) + ".nvd");
    SaveListing(samples, id, file, FillListing);
    CliResult result = RunCli({"--samples", samples.string(), "render", file.string()});
    ASSERT_EQ(result.exitCode, 0) << entry.path() << result.err;
    const std::string page = Utf8FromCp932(result.out);
    for (const char* part :
         {"<b>ぬぼ&nbsp;&amp;&nbsp;カメラ</b>", "<b>美品</b>です", "銀行振込", "前払い",
          "定形外郵便", "3日以内に発送", "ノークレームでお願いします",
          "全国一律 1,000 円（税込）<br><font size=\"-1\" color=\"#505050\">（沖縄 1,200 "
          "円（税込））</font>",
          "<td>～60cm</td>", "charset=Shift_JIS", "</html>"}) {
      EXPECT_NE(page.find(part), std::string::npos) << entry.path() << " lacks " << part;
    }
    EXPECT_EQ(page.find("<!--#"), std::string::npos) << entry.path();
    ++rendered;
  }
  EXPECT_GE(rendered, 1);
}

TEST(RenderCommand, WorkDirGetsThePreviewAndOutTheSubmittedPage) {
  TempDir dir;
  const fs::path samples = NUVO_SAMPLES_DIR;
  const fs::path file = dir.path() / "photo.nvd";
  SaveListing(samples, 0, file, [](CNuvoDoc& doc) {
    doc.SetPhotos({"../../../escape.gif"}, {{}}, {""}, {CPhotoData(GifBytes(2, 3))});
  });
  const fs::path work = dir.path() / "deep" / "work";
  const fs::path out = dir.path() / "page.html";
  CliResult result = RunCli({"--samples", samples.string(), "render", file.string(), "--work-dir",
                             work.string(), "-o", out.string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, (work / "preview.htm").string() + "\n");
  EXPECT_EQ(Tree(dir.path()),
            (std::set<std::string>{"photo.nvd", "page.html", "deep", "deep/work",
                                   "deep/work/preview.htm", "deep/work/preview_01.gif"}));
  // The size missing from the file is read from the GIF header on loading.
  EXPECT_NE(ReadWholeFile(work / "preview.htm")
                .find("<img src=\"preview_01.gif\" width=\"2\" "
                      "height=\"3\""),
            std::string::npos);
  const std::string page = ReadWholeFile(out);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_EQ(RunCli({"--samples", samples.string(), "render", file.string()}).out, page);
}

TEST(RenderCommand, UsageAndLoadFailures) {
  TempDir dir;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"render"}, {"render", "a.nvd", "b.nvd"}, {"render", "a.nvd", "-o"}}) {
    EXPECT_EQ(RunCli(args).exitCode, 2) << args.back();
  }
  CliResult missing = RunCli({"render", (dir.path() / "missing.nvd").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err, "");

  std::ofstream(dir.path() / "junk.nvd", std::ios::binary) << "not a listing";
  CliResult junk = RunCli(
      {"render", (dir.path() / "junk.nvd").string(), "--work-dir", (dir.path() / "work").string()});
  EXPECT_EQ(junk.exitCode, 1);
  EXPECT_FALSE(fs::exists(dir.path() / "work"));
}
