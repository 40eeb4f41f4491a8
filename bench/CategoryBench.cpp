// The category dialog's two waits: a keyword search of two words over the whole catalogue (with
// its parts already read, as after the first search, and from a fresh catalogue that reads all
// 24 parts), and the first name lookup of a number, which reads the part that holds it.
#include <benchmark/benchmark.h>

#include "core/net/CategoryCatalogue.h"
#include "core/net/CategorySearch.h"

namespace {

void BM_TwoWordSearch(benchmark::State& state) {
  nuvo::CCategoryCatalogue catalogue(NUVO_CATEGORIES_DIR);
  for (auto _ : state) {
    nuvo::CategorySearchResult result =
        nuvo::SearchCategories(catalogue, "ﾉｰﾄ ぱそこん", nuvo::kAllCategoryParts);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_TwoWordSearch)->Unit(benchmark::kMicrosecond);

void BM_TwoWordSearchReadingEveryPart(benchmark::State& state) {
  for (auto _ : state) {
    nuvo::CCategoryCatalogue catalogue(NUVO_CATEGORIES_DIR);
    nuvo::CategorySearchResult result =
        nuvo::SearchCategories(catalogue, "その他 ケース", nuvo::kAllCategoryParts);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_TwoWordSearchReadingEveryPart)->Unit(benchmark::kMicrosecond);

// 24198 opens the largest part (住まい、インテリア, about 620 categories).
void BM_FirstNameLookup(benchmark::State& state) {
  for (auto _ : state) {
    nuvo::CCategoryCatalogue catalogue(NUVO_CATEGORIES_DIR);
    benchmark::DoNotOptimize(catalogue.FindCategoryName(14, 24198));
  }
}
BENCHMARK(BM_FirstNameLookup)->Unit(benchmark::kMicrosecond);

}  // namespace
