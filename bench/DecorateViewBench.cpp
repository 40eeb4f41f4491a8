// A keystroke in the decorated editor as the seller makes it: the key event, the change of the
// text and its ranges, the relayout of the lines it touched and the repaint of the editor, in a
// 20 KB description carrying about 200, 2,000 or 20,000 ranges. Run:
//   QT_QPA_PLATFORM=offscreen build/bench/nuvo_decorate_view_bench
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <random>
#include <string>

#include "core/common/Encoding.h"
#include "core/common/UserPrompt.h"
#include "gui/decorate/DecorateEditView.h"

namespace {

class NoPrompt : public nuvo::IUserPrompt {
 public:
  nuvo::PromptAnswer Ask(const nuvo::PromptRequest&) override { return nuvo::PromptAnswer::Ok; }
};

class NoDialogs : public nuvo::IDecorateDialogs {
 public:
  std::optional<int> ChooseColor(int) override { return std::nullopt; }
  std::optional<std::string> ChooseLink(const std::string&) override { return std::nullopt; }
};

// Lines of ASCII and kanji with decorations of every kind over random parts, as a fragment.
std::string MakeFragment(int rangeCount) {
  using namespace nuvo;
  std::mt19937 random(1234);
  const std::string kanji = Cp932("漢字かな");
  std::string text;
  while (text.size() < 20000) {
    text += "Item condition: good ";
    text += kanji;
    text += random() % 3 == 0 ? "\n" : " ";
  }
  CDecorateEditDoc doc;
  doc.SetBaseSize(105);
  doc.InsertText(0, text, kDecorateInsert, false, false, false);
  auto asciiPos = [&](int from) {
    while (from < doc.GetLength() && static_cast<unsigned char>(text[from]) >= 0x80) ++from;
    return from;
  };
  const std::uint32_t plain[] = {DECO_BOLD, DECO_ITALIC, DECO_UNDERLINE, DECO_STRIKE};
  for (int i = 0; static_cast<int>(doc.Ranges().size()) < rangeCount && i < 10 * rangeCount; ++i) {
    const int start = asciiPos(static_cast<int>(random() % (text.size() - 60)));
    switch (random() % 8) {
      case 0:
        doc.AddDecoration(start, asciiPos(start + 3), plain[random() % 4]);
        break;
      case 1:
        doc.AddDecoration(start, asciiPos(start + 30), DECO_SIZE,
                          {doc.LevelToSize(1 + static_cast<int>(random() % 7)), {}});
        break;
      case 2:
      case 3:
      case 4:
        doc.AddDecoration(start, asciiPos(start + 12), DECO_COLOR, {i, {}});
        break;
      default:
        doc.AddDecoration(start, asciiPos(start + 17), DECO_LINK,
                          {0, "http://example.jp/" + std::to_string(i)});
        break;
    }
  }
  std::string html;
  doc.GetHtml(html);
  return html;
}

// One keystroke types a letter or a kana at a caret in the middle of the text; `full` repaints
// the whole visible editor instead of only what the keystroke changed.
void Keystrokes(benchmark::State& state, bool full) {
  NoDialogs dialogs;
  NoPrompt prompt;
  nuvo::CDecorateEditView view(
      nuvo::kDecoMultiLine | nuvo::kDecoShowWideSpace | nuvo::kDecoShowLineBreak, dialogs, prompt);
  view.SetBaseSize(105);
  view.resize(640, 480);
  view.show();
  view.SetHtml(MakeFragment(static_cast<int>(state.range(0))));
  view.setFocus();
  view.Editor().MoveCaret(view.Editor().Doc().GetLength() / 2, false);
  while (view.Editor().Doc().Text()[view.Editor().Caret()] & 0x80) {
    view.Editor().MoveCaret(view.Editor().Caret() + 1, false);
  }
  QApplication::processEvents();
  int key = 0;
  for (auto _ : state) {
    const bool kana = ++key % 3 == 0;
    QKeyEvent press(QEvent::KeyPress, kana ? Qt::Key_unknown : Qt::Key_A, Qt::NoModifier,
                    kana ? QStringLiteral("あ") : QString(QChar('a' + key % 26)));
    QApplication::sendEvent(&view, &press);
    if (full) {
      view.viewport()->repaint();
    } else {
      QApplication::processEvents();
    }
  }
  state.counters["ranges"] = static_cast<double>(view.Editor().Doc().Ranges().size());
  state.counters["lines"] = view.Layout().LineCount();
}

void BM_Keystroke(benchmark::State& state) { Keystrokes(state, false); }
void BM_KeystrokeFullRepaint(benchmark::State& state) { Keystrokes(state, true); }
BENCHMARK(BM_Keystroke)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeFullRepaint)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
