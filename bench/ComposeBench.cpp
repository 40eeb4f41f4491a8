// The page of a large listing, as the preview makes it after every pause in editing: 10 photos,
// 10 shipping methods, 4 entries each of Post, Pay and Other, a 20 KB description, the service's
// shipping rows and the size table, on a template shaped like the bundled samples.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "core/app/AppComm.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"
#include "core/document/PageComposer.h"
#include "core/document/PreviewFile.h"

namespace {

using namespace nuvo;
namespace fs = std::filesystem;

class CSilentPrompt : public IUserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest&) override { return PromptAnswer::Ok; }
};

const char kTemplate[] =
    "<!--#Header--><html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=Shift_JIS\"></head><body><div style=\"text-align:center\"><!--#Header@end--></div>"
    "<h3>商品の説明</h3><!--#Description--><div style=\"line-height:1.9\"><!--#Item-->説明"
    "<!--#Item@end--></div><!--#Description@end--><h3>お支払い</h3><table>"
    "<!--#Pay--><tr><td><!--#Item-->支払<!--#Item@end--></td><td><!--#Detail-->詳細"
    "<!--#Detail@end--></td></tr><!--#Pay@end--></table><h3>発送</h3><table>"
    "<!--#Post--><tr><td><!--#Item-->発送<!--#Item@end--></td><td><!--#Detail-->詳細"
    "<!--#Detail@end--></td></tr><!--#Post@end--></table><ul><!--#Other--><li><!--#Item-->その他"
    "<!--#Item@end--></li><!--#Other@end--></ul><!--#Footer--></body></html><!--#Footer@end-->";

// A description of about 20 KB in the decorated editor's markup.
std::string LongDescription() {
  const std::string line = Cp932(
      "<b>動作確認済み</b>です。&nbsp;<font color=\"#FF0000\">傷や汚れ</font>は写真でご確認"
      "ください。<br>");
  std::string text;
  while (text.size() < 20 * 1024) text += line;
  return text;
}

class Listing {
 public:
  Listing() {
    std::random_device random;
    folder_ = fs::temp_directory_path() / ("nuvo-compose-bench-" + std::to_string(random()));
    fs::create_directories(folder_ / "samples" / "0000");
    std::ofstream(folder_ / "samples" / "0000" / "0000.htm", std::ios::binary) << Cp932(kTemplate);
    CAppComm(settings_).WriteInstallationString("Samples", (folder_ / "samples").string());
    doc_ = std::make_unique<CNuvoDoc>(settings_, prompt_);
    doc_->OnNewDocument();

    doc_->SetTitle(Cp932("【美品】デジタル一眼レフカメラ & 交換レンズ 2本セット <送料無料>"));
    std::vector<std::string> names, details;
    std::vector<PixelSize> sizes;
    std::vector<CPhotoData> data;
    for (int i = 0; i < 10; ++i) {
      names.push_back("photo" + std::to_string(i) + ".jpg");
      sizes.push_back({1200, 900});
      details.push_back(Cp932("<b>写真</b>") + std::to_string(i));
      std::vector<std::uint8_t> photo(300 * 1024, static_cast<std::uint8_t>(i));
      photo[0] = 0xFF, photo[1] = 0xD8, photo[2] = 0xFF;
      data.emplace_back(std::move(photo));
    }
    doc_->SetPhotos(names, sizes, details, std::move(data));
    doc_->SetDescriptions({LongDescription()});
    std::vector<CItemPair> pairs;
    std::vector<std::string> others;
    for (int i = 0; i < 4; ++i) {
      pairs.push_back({Cp932("項目") + std::to_string(i), Cp932("<u>詳しい説明</u>です")});
      others.push_back(Cp932("ご質問は入札の前にお願いいたします。"));
    }
    doc_->SetPostItems(pairs);
    doc_->SetPayItems(pairs);
    doc_->SetOtherItems(others);
    CShipSettings shipping;
    shipping.SetServiceFlags(CShipSettings::kServiceMask);
    shipping.groupASize = {{60, 1}, {2, 1}};
    for (int i = 0; i < 10; ++i) {
      CShipMethod method;
      method.name = Cp932("配送方法 & 便 ") + std::to_string(i);
      method.SetFeeType(i % CShipMethod::kFeeTypeCount);
      method.fee = 800 + i * 100;
      method.okinawaFee = 1500;
      method.islandsFee = 2200;
      method.feeTableUrl = "https://example.jp/fee?id=" + std::to_string(i) + "&x=1";
      shipping.methods.push_back(method);
    }
    doc_->SetShipping(shipping);
    doc_->SetSizeWeight({{120, 1}, {15, 0}});
  }
  ~Listing() {
    doc_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  const CNuvoDoc& Doc() const { return *doc_; }
  fs::path WorkName() const { return folder_ / "Ab3dE9xz"; }

 private:
  fs::path folder_;
  CMemorySettings settings_;
  CSilentPrompt prompt_;
  std::unique_ptr<CNuvoDoc> doc_;
};

void BM_PageOfLargeListing(benchmark::State& state) {
  Listing listing;
  CPageOptions options;
  for (int i = 1; i <= 10; ++i) options.photoFiles.push_back("Ab3dE9xz_" + std::to_string(i));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string page = GetPageHtml(listing.Doc(), options);
    bytes = page.size();
    benchmark::DoNotOptimize(page);
  }
  state.counters["page_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PageOfLargeListing)->Unit(benchmark::kMicrosecond);

// A refresh after an edit: the photo files are already there, so only the page is written.
void BM_PreviewRefresh(benchmark::State& state) {
  Listing listing;
  if (!WritePreviewFile(listing.Doc(), listing.WorkName())) state.SkipWithError("not written");
  for (auto _ : state) {
    benchmark::DoNotOptimize(WritePreviewFile(listing.Doc(), listing.WorkName()));
  }
}
BENCHMARK(BM_PreviewRefresh)->Unit(benchmark::kMicrosecond);

// The first preview of a listing just opened: the 3 MB of photos are written too.
void BM_FirstPreview(benchmark::State& state) {
  Listing listing;
  for (auto _ : state) {
    state.PauseTiming();
    for (const auto& entry : fs::directory_iterator(listing.WorkName().parent_path())) {
      if (entry.path().extension() == ".jpg") fs::remove(entry.path());
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(WritePreviewFile(listing.Doc(), listing.WorkName()));
  }
}
BENCHMARK(BM_FirstPreview)->Unit(benchmark::kMicrosecond);

}  // namespace
