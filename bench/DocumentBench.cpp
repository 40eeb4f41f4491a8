#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/app/MemorySettings.h"
#include "core/document/NuvoDoc.h"

// The heaviest listing the program allows: ten photos of 5 MB each. Saving writes the whole
// file beside the target, flushes it to the disk and renames it; opening reads it whole and
// rebuilds the listing in a separate document before it takes the place of the open one.
namespace {

constexpr std::size_t kPhotoBytes = 5 * 1024 * 1024;

class CSilentPrompt : public nuvo::IUserPrompt {
 public:
  nuvo::PromptAnswer Ask(const nuvo::PromptRequest&) override { return nuvo::PromptAnswer::Ok; }
};

struct Listing {
  Listing() : doc(settings, prompt) {
    doc.OnNewDocument();
    std::vector<std::string> names;
    std::vector<nuvo::PixelSize> sizes;
    std::vector<std::string> details;
    std::vector<nuvo::CPhotoData> data;
    for (int i = 0; i < 10; ++i) {
      names.push_back("photo" + std::to_string(i) + ".jpg");
      sizes.push_back({4000, 3000});
      details.emplace_back();
      std::vector<std::uint8_t> bytes(kPhotoBytes);
      for (std::size_t b = 0; b < bytes.size(); ++b)
        bytes[b] = static_cast<std::uint8_t>(b * 31 + i);
      data.emplace_back(std::move(bytes));
    }
    doc.SetPhotos(names, sizes, details, std::move(data));
    doc.SetTitle("benchmark");
  }

  nuvo::CMemorySettings settings;
  CSilentPrompt prompt;
  nuvo::CNuvoDoc doc;
};

std::filesystem::path BenchFile() {
  return std::filesystem::temp_directory_path() / "nuvo-document-bench.nvd";
}

void BM_SaveTenPhotos(benchmark::State& state) {
  Listing listing;
  for (auto _ : state) {
    if (!listing.doc.OnSaveDocument(BenchFile())) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * 10 * static_cast<std::int64_t>(kPhotoBytes));
}
BENCHMARK(BM_SaveTenPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenTenPhotos(benchmark::State& state) {
  {
    Listing listing;
    listing.doc.OnSaveDocument(BenchFile());
  }
  nuvo::CMemorySettings settings;
  CSilentPrompt prompt;
  nuvo::CNuvoDoc doc(settings, prompt);
  for (auto _ : state) {
    if (!doc.OnOpenDocument(BenchFile())) state.SkipWithError("open failed");
  }
  state.SetBytesProcessed(state.iterations() * 10 * static_cast<std::int64_t>(kPhotoBytes));
}
BENCHMARK(BM_OpenTenPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
