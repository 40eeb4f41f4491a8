#include <benchmark/benchmark.h>

#include <string>

#include "core/common/Encoding.h"
#include "core/html/TemplateParser.h"

namespace {

// A listing page of about 200 KB: a head, then many description, payment and shipping sections
// with Japanese text and inline-styled HTML between them, as a long sample would hold.
std::string LargeTemplate() {
  std::string text = nuvo::Cp932(
      "<!--#Header--><html><head><meta http-equiv=\"Content-Type\" "
      "content=\"text/html; charset=Shift_JIS\"></head><body><div>\n<!--#Header@end--></div>\n");
  const std::string block = nuvo::Cp932(
      "<h3 style=\"margin:28px 0 10px; border-left:4px solid #555555;\">商品の説明</h3>\n"
      "<!--#Description--><div style=\"line-height:1.9;\"><!--#Item-->昭和40年代ごろの真鍮製"
      "置き時計です。<br>祖父の書斎にあったもので、手巻きでしっかり動いています。<br>"
      "<b>サイズ</b>：幅 12cm × 高さ 18cm<!--#Item@end--></div>\n<!--#Description@end-->"
      "<table style=\"width:100%;\"><!--#Pay--><tr><td><!--#Item-->Yahoo!かんたん決済"
      "<!--#Item@end--></td><td><!--#Is-->：<!--#Is@end--></td><td><!--#Detail-->落札後、"
      "ご案内に沿ってお支払いください。<!--#Detail@end--></td></tr>\n<!--#Pay@end-->"
      "<!--#Post--><tr><td><!--#Item-->ゆうパック（おてがる版）<!--#Item@end--></td><td>"
      "<!--#Detail-->ご入金の確認後、2～3日以内に発送いたします。<!--#Detail@end--></td></tr>\n"
      "<!--#Post@end--></table>\n");
  while (text.size() < 200 * 1024) text += block;
  text += "<!--#Footer--></body></html>\n<!--#Footer@end-->";
  return text;
}

void BM_ParseTemplate(benchmark::State& state) {
  const std::string text = LargeTemplate();
  nuvo::CTemplateNode root(nuvo::ENodeKind::Root);
  for (auto _ : state) {
    nuvo::ParseTemplate(&root, text);
    benchmark::DoNotOptimize(root.ChildCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ParseTemplate)->Unit(benchmark::kMicrosecond);

}  // namespace
