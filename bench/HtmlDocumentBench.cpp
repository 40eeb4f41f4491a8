// Parsing a fetched sell page and collecting its hidden inputs, beside gumbo-parser reading the
// same page (in UTF-8, the only encoding gumbo takes) and collecting the same inputs.
#include <benchmark/benchmark.h>
#include <gumbo.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/common/Encoding.h"
#include "core/html/HtmlDocument.h"

namespace {

// A page shaped like the service's sell form, in UTF-8: scripts and style sheets in the head,
// then a form of nested layout tables whose rows hold labels, text inputs, selects with long
// option lists and hidden inputs, until the page is about `size` bytes long.
std::string MakeSellPage(std::size_t size) {
  std::string page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
      "<title>出品フォーム - ヤフオク!</title>\n"
      "<style type=\"text/css\">td.label{width:160px;background:#eef}.err{color:red}</style>\n";
  for (int i = 0; i < 8; ++i) {
    page += "<script type=\"text/javascript\">\nfunction check" + std::to_string(i) +
            "(f){ if (f.elements['Title'].value.length < 1 && x<y) { alert('タイトルを入力して"
            "ください'); return false; } var s = \"<div>\" + f.name + \"</div>\"; return true; }"
            "\n</script>\n";
  }
  page +=
      "</head><body><div id=\"modLoginBar\">ようこそ <b>seller_id</b> さん</div>\n"
      "<form name=\"auction\" id=\"auction\" method=\"post\" "
      "action=\"https://auctions.example.jp/sell/jp/show/preview\">\n"
      "<input type=\"hidden\" name=\".crumb\" value=\"a1b2c3d4e5f6&amp;x\">\n"
      "<table width=\"100%\" border=0 cellpadding=0 cellspacing=0><tr><td>\n";
  for (int row = 0; page.size() < size; ++row) {
    const std::string n = std::to_string(row);
    page += "<table class=\"decForm\" width=\"100%\"><tr><th class=label>項目" + n +
            "<br><span class=\"note\">（必須）</span></th><td><input type=\"text\" name=\"field" +
            n + "\" value=\"入力値" + n +
            "\" size=40 maxlength=65 onfocus=\"this.select()\">\n"
            "<input type=\"hidden\" name=\"hidden" +
            n + "\" value=\"" + n + "&amp;seq=" + n + "\"><input type=hidden name=flag" + n +
            " value=1>\n<select name=\"select" + n + "\">";
    for (int option = 0; option < 12; ++option) {
      page += "<option value=\"" + std::to_string(option) + "\">選択肢 " + std::to_string(option) +
              "</option>";
    }
    page += "</select><!-- 行 " + n + " --><p class=\"help\">説明文 <a href=\"/help?id=" + n +
            "\">詳しくはこちら</a></td></tr></table>\n";
  }
  page += "</td></tr></table><input type=\"submit\" value=\"確認する\"></form></body></html>\n";
  return page;
}

constexpr std::size_t kPageSize = 300 * 1024;

const std::string& Utf8Page() {
  static const std::string page = MakeSellPage(kPageSize);
  return page;
}

const std::string& Cp932Page() {
  static const std::string page = nuvo::Cp932(Utf8Page());
  return page;
}

std::string_view AttributeOf(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  return attribute ? attribute->value : std::string_view();
}

// The named hidden inputs of the first form, as the program collects them.
std::vector<std::pair<std::string, std::string>> GumboHiddenInputs(const GumboNode* root) {
  std::vector<const GumboNode*> pending{root};
  const GumboNode* form = nullptr;
  while (!pending.empty() && !form) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    if (node->type != GUMBO_NODE_ELEMENT) continue;
    if (node->v.element.tag == GUMBO_TAG_FORM) form = node;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = children.length; i-- > 0;) {
      pending.push_back(static_cast<const GumboNode*>(children.data[i]));
    }
  }
  std::vector<std::pair<std::string, std::string>> fields;
  pending.assign(1, form ? form : root);
  while (!pending.empty()) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    if (node->type != GUMBO_NODE_ELEMENT) continue;
    const GumboElement& element = node->v.element;
    if (element.tag == GUMBO_TAG_INPUT && AttributeOf(element, "type") == "hidden" &&
        !AttributeOf(element, "name").empty()) {
      fields.emplace_back(AttributeOf(element, "name"), AttributeOf(element, "value"));
    }
    for (unsigned i = element.children.length; i-- > 0;) {
      pending.push_back(static_cast<const GumboNode*>(element.children.data[i]));
    }
  }
  return fields;
}

void SetPageCounters(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["page_bytes"] = static_cast<double>(bytes);
}

void BM_NuvoParse(benchmark::State& state) {
  for (auto _ : state) {
    nuvo::CHtmlDocument document(Cp932Page());
    benchmark::DoNotOptimize(document.GetTop());
  }
  SetPageCounters(state, Cp932Page().size());
}
BENCHMARK(BM_NuvoParse)->Unit(benchmark::kMillisecond);

void BM_NuvoParseAndCollect(benchmark::State& state) {
  std::size_t count = 0;
  for (auto _ : state) {
    nuvo::CHtmlDocument document(Cp932Page());
    count = document.CollectHiddenInputs().size();
    benchmark::DoNotOptimize(count);
  }
  SetPageCounters(state, Cp932Page().size());
  state.counters["hidden_inputs"] = static_cast<double>(count);
}
BENCHMARK(BM_NuvoParseAndCollect)->Unit(benchmark::kMillisecond);

void BM_GumboParse(benchmark::State& state) {
  for (auto _ : state) {
    GumboOutput* output =
        gumbo_parse_with_options(&kGumboDefaultOptions, Utf8Page().data(), Utf8Page().size());
    benchmark::DoNotOptimize(output->root);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  SetPageCounters(state, Utf8Page().size());
}
BENCHMARK(BM_GumboParse)->Unit(benchmark::kMillisecond);

void BM_GumboParseAndCollect(benchmark::State& state) {
  std::size_t count = 0;
  for (auto _ : state) {
    GumboOutput* output =
        gumbo_parse_with_options(&kGumboDefaultOptions, Utf8Page().data(), Utf8Page().size());
    count = GumboHiddenInputs(output->root).size();
    benchmark::DoNotOptimize(count);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  SetPageCounters(state, Utf8Page().size());
  state.counters["hidden_inputs"] = static_cast<double>(count);
}
BENCHMARK(BM_GumboParseAndCollect)->Unit(benchmark::kMillisecond);

}  // namespace
