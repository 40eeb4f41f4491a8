#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/common/Encoding.h"
#include "core/html/TemplateParser.h"

// The bundled samples as the build converted them (code page 932).
namespace nuvo {
namespace {

std::vector<std::filesystem::path> BundledSamples() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(NUVO_SAMPLES_DIR)) {
    if (entry.path().extension() == ".htm") files.push_back(entry.path());
  }
  return files;
}

TEST(SamplesTest, EverySampleHoldsTheSectionsTheListingFills) {
  const std::vector<std::filesystem::path> samples = BundledSamples();
  EXPECT_GE(samples.size(), 4u);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(NUVO_SAMPLES_DIR) / "0000/0000.htm"));
  for (const auto& path : samples) {
    SCOPED_TRACE(path.string());
    CTemplateNode root(ENodeKind::Root);
    ASSERT_TRUE(ParseTemplateFile(&root, path));
    // Every section sits at the top, so none was left open by a missing end.
    for (ENodeKind kind : {ENodeKind::Header, ENodeKind::Description, ENodeKind::Pay,
                           ENodeKind::Post, ENodeKind::Other, ENodeKind::Footer}) {
      EXPECT_EQ(root.CountChildren(kind), 1u) << KindName(kind);
    }
    for (ENodeKind kind :
         {ENodeKind::Description, ENodeKind::Pay, ENodeKind::Post, ENodeKind::Other}) {
      const CTemplateNode* section = root.FindChild(kind);
      ASSERT_NE(section, nullptr);
      EXPECT_FALSE(section->FindChild(ENodeKind::Item)->GetText().empty()) << KindName(kind);
    }
    EXPECT_NE(root.FindChild(ENodeKind::Pay)->FindChild(ENodeKind::Detail), nullptr);
    EXPECT_NE(root.FindChild(ENodeKind::Post)->FindChild(ENodeKind::Detail), nullptr);

    const std::string header = root.FindChild(ENodeKind::Header)->GetText();
    EXPECT_NE(header.find("charset=Shift_JIS"), std::string::npos);
    EXPECT_NE(root.FindChild(ENodeKind::Footer)->GetText().find("</html>"), std::string::npos);
    EXPECT_EQ(Utf8FromCp932(header).find("\xEF\xBF\xBD"), std::string::npos);
  }
}

}  // namespace
}  // namespace nuvo
