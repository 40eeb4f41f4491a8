// Typing into and writing out a large decorated text: a 20 KB description carrying 200, 2,000 or
// 20,000 decorated ranges. Run: build/bench/nuvo_decorate_bench
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "core/common/Encoding.h"
#include "core/decorate/DecorateEditDoc.h"

namespace {

constexpr int kTextBytes = 20000;
constexpr int kKeystrokes = 20000;

// Lines of ASCII and kanji with decorations of every kind laid over random parts.
std::unique_ptr<nuvo::CDecorateEditDoc> MakeDoc(int rangeCount) {
  using namespace nuvo;
  std::mt19937 random(1234);
  const std::string kanji = Cp932("漢字かな");
  std::string text;
  while (static_cast<int>(text.size()) < kTextBytes) {
    text += "Item condition: good ";
    text += kanji;
    text += random() % 3 == 0 ? "\n" : " ";
  }
  auto doc = std::make_unique<CDecorateEditDoc>();
  doc->SetBaseSize(90);
  doc->InsertText(0, text, kDecorateInsert, false, false, false);

  // Ranges start on ASCII bytes so that no bound falls inside a kanji.
  auto asciiPos = [&](int from) {
    int pos = from;
    while (pos < doc->GetLength() && static_cast<unsigned char>(text[pos]) >= 0x80) ++pos;
    return pos;
  };
  // A new decoration absorbs the older ones of its kind that it covers, and plain flags and sizes
  // join ranges they touch; colours and links get values of their own and one length per kind,
  // so that most of them stay separate ranges. Adding stops once the list is as long as asked.
  const std::uint32_t plain[] = {DECO_BOLD, DECO_ITALIC, DECO_UNDERLINE, DECO_STRIKE};
  for (int i = 0; static_cast<int>(doc->Ranges().size()) < rangeCount && i < 10 * rangeCount; ++i) {
    const int start = asciiPos(static_cast<int>(random() % (kTextBytes - 60)));
    switch (random() % 8) {
      case 0:
        doc->AddDecoration(start, asciiPos(start + 3), plain[random() % 4]);
        break;
      case 1:
        doc->AddDecoration(start, asciiPos(start + 30), DECO_SIZE,
                           {doc->LevelToSize(1 + static_cast<int>(random() % 7)), {}});
        break;
      case 2:
      case 3:
      case 4:
        doc->AddDecoration(start, asciiPos(start + 12), DECO_COLOR, {i, {}});
        break;
      default:
        doc->AddDecoration(start, asciiPos(start + 17), DECO_LINK,
                           {0, "http://example.jp/" + std::to_string(i)});
        break;
    }
  }
  return doc;
}

// One iteration types 20,000 characters, ASCII and kanji, at a caret that moves on as it types
// and now and then jumps elsewhere.
void BM_Typing(benchmark::State& state) {
  const std::string kana = nuvo::Cp932("あ");
  std::size_t ranges = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = MakeDoc(static_cast<int>(state.range(0)));
    ranges = doc->Ranges().size();
    std::mt19937 random(99);
    int caret = doc->GetLength() / 2;
    state.ResumeTiming();
    for (int key = 0; key < kKeystrokes; ++key) {
      if (key % 500 == 0) {
        // A jump lands on an ASCII byte, never inside a kanji.
        caret = static_cast<int>(random() % doc->GetLength());
        while (caret > 0 && doc->GetText()[caret] & 0x80) --caret;
      }
      const std::string& typed = key % 3 == 0 ? kana : std::string(1, 'a' + key % 26);
      doc->InsertText(caret, typed, nuvo::kDecorateInsert, true, true, true);
      caret += static_cast<int>(typed.size());
    }
    benchmark::DoNotOptimize(doc->GetLength());
  }
  state.counters["ranges"] = static_cast<double>(ranges);
  state.counters["per_keystroke"] = benchmark::Counter(
      kKeystrokes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Typing)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteFragment(benchmark::State& state) {
  auto doc = MakeDoc(static_cast<int>(state.range(0)));
  std::string html;
  for (auto _ : state) {
    doc->GetHtml(html);
    benchmark::DoNotOptimize(html.data());
  }
  state.counters["ranges"] = static_cast<double>(doc->Ranges().size());
  state.counters["html_bytes"] = static_cast<double>(html.size());
}
BENCHMARK(BM_WriteFragment)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_ReadFragment(benchmark::State& state) {
  auto doc = MakeDoc(static_cast<int>(state.range(0)));
  std::string html;
  doc->GetHtml(html);
  nuvo::CDecorateEditDoc read;
  read.SetBaseSize(90);
  for (auto _ : state) benchmark::DoNotOptimize(read.SetHtml(html));
  state.counters["ranges_read"] = static_cast<double>(read.Ranges().size());
}
BENCHMARK(BM_ReadFragment)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
