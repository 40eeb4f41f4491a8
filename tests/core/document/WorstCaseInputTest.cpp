#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>

#include "DocumentFixture.h"
#include "core/decorate/DecorateEditDoc.h"
#include "core/document/ArchiveWriter.h"
#include "core/document/PageComposer.h"
#include "core/html/HtmlDocument.h"
#include "core/html/TemplateParser.h"
#include "core/net/JsonDocument.h"

// Inputs built to hit the slowest path of each reader: whatever a file, a page or a fragment
// holds, a megabyte of it must be read in under a second. Sanitizer and unoptimised builds run
// each case over a sixteenth of that, where a reader slower than linear still shows.
namespace nuvo {
namespace {

#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr std::size_t kInputBytes = 1 << 16;
#else
constexpr std::size_t kInputBytes = 1 << 20;
#endif

// The processor time the work takes, which other programs on a busy machine do not stretch.
double SecondsFor(const std::function<void()>& work) {
  auto now = [] {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
  };
  const double start = now();
  work();
  return now() - start;
}

std::string Repeat(std::string_view piece, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() + piece.size() <= bytes) text += piece;
  return text;
}

TEST(WorstCaseInput, DecoratedFragmentsOfNestedOrManyTags) {
  const std::size_t half = kInputBytes / 2;
  const std::string nested = Repeat("<b>x", half) + Repeat("</b>", half);
  const std::string crossed = Repeat("<font color=red><a href=http://x/>y", kInputBytes);
  const std::string longLink =
      "<a href=http://x/" + std::string(half, 'a') + ">" + Repeat("<b>z</b>", half) + "</a>";
  for (const std::string* html : {&nested, &crossed, &longLink}) {
    CDecorateEditDoc doc;
    doc.SetBaseSize(90);
    std::string written;
    EXPECT_LT(SecondsFor([&] {
                doc.SetHtml(*html);
                doc.GetHtml(written);
              }),
              1.0)
        << html->substr(0, 40);
  }
}

TEST(WorstCaseInput, PagesOfManyAttributesOrDeepNesting) {
  // Names that differ, so that none is dropped early as a repeat.
  std::string attributes = "<input";
  for (std::size_t i = 0; attributes.size() < kInputBytes; ++i) {
    attributes += " a" + std::to_string(i);
  }
  const std::string& manyAttributes = attributes;
  const std::string deep = Repeat("<div><span>", kInputBytes);
  const std::string table = Repeat("<tr><td>x", kInputBytes);
  for (const std::string* html : {&manyAttributes, &deep, &table}) {
    EXPECT_LT(SecondsFor([&] {
                CHtmlDocument page(*html);
                page.FindAll({"input"});
                page.CollectHiddenInputs();
              }),
              1.0)
        << html->substr(0, 40);
  }
}

TEST(WorstCaseInput, TemplatesAndJson) {
  const std::string sections =
      Repeat("<!--#item-->", kInputBytes / 2) + Repeat("<!--#item@end-->", kInputBytes / 2);
  const std::string comments = Repeat("<!--", kInputBytes);
  for (const std::string* text : {&sections, &comments}) {
    EXPECT_LT(SecondsFor([&] {
                CTemplateNode root(ENodeKind::Root);
                ParseTemplate(&root, *text);
                RenderPage(root);
              }),
              1.0)
        << text->substr(0, 40);
  }
  const std::string quotes = "[\"a" + Repeat("\"", kInputBytes) + "]";
  const std::string nested = Repeat("[", 60) + Repeat("1,", kInputBytes) + Repeat("]", 60);
  const std::string members = "{" + Repeat("\"k\": [1, {\"v\": \"w\"}], ", kInputBytes) + "}";
  for (const std::string* text : {&quotes, &nested, &members}) {
    EXPECT_LT(SecondsFor([&] {
                CJsonDocument doc;
                if (doc.Parse(*text) == kJsonOk && doc.GetRoot()) doc.GetRoot()->ToString();
              }),
              1.0)
        << text->substr(0, 40);
  }
}

TEST(WorstCaseInput, ListingWithManyDescriptionEntries) {
  DocumentFixture fixture;
  auto doc = fixture.MakeDoc();
  ASSERT_TRUE(doc->OnNewDocument());
  const std::vector<std::string> texts(kInputBytes / 16, "entry");
  CArchiveWriter archive;
  const double built = SecondsFor([&] {
    doc->Current().SetTexts(ENodeKind::Description, texts);
    EXPECT_EQ(doc->Current().GetTexts(ENodeKind::Description).size(), texts.size());
    doc->Serialize(archive);
  });
  EXPECT_LT(built, 1.0);

  const std::string saved = archive.Bytes();
  const std::vector<std::uint8_t> bytes(saved.begin(), saved.end());
  auto loaded = fixture.MakeDoc();
  fixture.prompt.requests.clear();
  EXPECT_LT(SecondsFor([&] { EXPECT_TRUE(loaded->LoadFromBytes(bytes)); }), 1.0);
  // No page needs more entries than this; the file says so once.
  EXPECT_EQ(loaded->Current().GetTexts(ENodeKind::Description).size(),
            CNuvoDoc::kMaxDescriptionTexts);
  EXPECT_EQ(fixture.prompt.Ids(), std::vector<int>{IDS_TOO_MANY_DESCRIPTION_TEXTS});
}

}  // namespace
}  // namespace nuvo
