#include <gtest/gtest.h>

#include <fstream>

#include "core/app/AppOptions.h"
#include "core/common/Encoding.h"
#include "core/net/CategoryCatalogue.h"
#include "core/net/CategoryQuery.h"
#include "core/net/CategorySearch.h"
#include "core/net/SearchFold.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

CategoryEntry Entry(std::uint32_t id, const std::string& utf8Path, bool leaf = true) {
  int depth = 1;
  for (std::size_t at = utf8Path.find(" > "); at != std::string::npos;
       at = utf8Path.find(" > ", at + 3)) {
    ++depth;
  }
  return {id, Cp932(utf8Path), FoldForSearch(utf8Path), depth, leaf};
}

std::vector<std::uint32_t> Ids(const CategorySearchResult& result) {
  std::vector<std::uint32_t> ids;
  for (const CategoryEntry& entry : result.matches) ids.push_back(entry.id);
  return ids;
}

// A small catalogue written by hand: parts A, B and X hold categories, C is missing, the rest
// are empty.
class CategoryCatalogueTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int index = 0; index < CCategoryCatalogue::kPartCount; ++index) {
      if (index == 2) continue;
      std::vector<CategoryEntry> entries;
      if (index == 0) {
        entries = {Entry(1, "コンピュータ", false), Entry(11, "コンピュータ > パソコン", false),
                   Entry(111, "コンピュータ > パソコン > ノートパソコン"),
                   Entry(12, "コンピュータ > サプライ > ＰＣケース")};
      } else if (index == 1) {
        entries = {Entry(2, "家電、AV、カメラ", false), Entry(21, "家電、AV、カメラ > カメラ"),
                   Entry(22, "家電、AV、カメラ > ﾉｰﾄﾊﾟｿｺﾝ用ｶﾒﾗ")};
      } else if (index == 23) {
        entries = {Entry(2399, "その他 > アダルト > パソコン")};
      }
      ASSERT_TRUE(
          CCategoryPart::Save(dir_.path() / CCategoryCatalogue::PartFileName(index), entries));
    }
  }

  TempDir dir_;
  CCategoryCatalogue catalogue_{dir_.path()};
};

TEST_F(CategoryCatalogueTest, NameLookupsAskEveryPartInOrderAndPassOverAMissingOne) {
  EXPECT_EQ(catalogue_.FindCategoryName(111), Cp932("コンピュータ > パソコン > ノートパソコン"));
  EXPECT_EQ(catalogue_.FindCategoryName(22), Cp932("家電、AV、カメラ > ﾉｰﾄﾊﾟｿｺﾝ用ｶﾒﾗ"));
  EXPECT_EQ(catalogue_.FindCategoryName(2399), Cp932("その他 > アダルト > パソコン"));
  EXPECT_EQ(catalogue_.FindCategoryName(5), std::nullopt);
  EXPECT_EQ(catalogue_.FindCategoryName(1, 111), std::nullopt);
  EXPECT_EQ(catalogue_.FindCategoryName(0, 111), catalogue_.FindCategoryName(111));
  EXPECT_EQ(catalogue_.Part(2), nullptr);
  EXPECT_EQ(catalogue_.Part(24), nullptr);
}

TEST_F(CategoryCatalogueTest, SearchIgnoresWidthKanaAndCaseOverTheWholePath) {
  const std::uint32_t beforeTheMissingPart = 0b11;
  // "ﾉｰﾄﾊﾟｿｺﾝ" in part B is found by katakana, hiragana and full-width words alike.
  for (const char* words : {"ノート　パソコン", "のーと ぱそこん", "ﾉｰﾄ ﾊﾟｿｺﾝ"}) {
    SCOPED_TRACE(words);
    EXPECT_EQ(Ids(SearchCategories(catalogue_, words, beforeTheMissingPart)),
              (std::vector<std::uint32_t>{111, 22}));
  }
  EXPECT_EQ(Ids(SearchCategories(catalogue_, "pc", beforeTheMissingPart)),
            std::vector<std::uint32_t>{12});
  // Every word must match, but they may sit at different levels of the path.
  EXPECT_EQ(Ids(SearchCategories(catalogue_, "コンピュータ ケース", beforeTheMissingPart)),
            std::vector<std::uint32_t>{12});
  EXPECT_TRUE(
      SearchCategories(catalogue_, "パソコン テレビ", beforeTheMissingPart).matches.empty());
  EXPECT_TRUE(SearchCategories(catalogue_, " 　", beforeTheMissingPart).matches.empty());
}

TEST_F(CategoryCatalogueTest, SearchPutsUsableCategoriesFirstThenThoseThatNameTheWords) {
  // The leaves 111 and 12 keep their order; of the others, 1 names the word itself.
  EXPECT_EQ(Ids(SearchCategories(catalogue_, "コンピュータ", 0b1)),
            (std::vector<std::uint32_t>{111, 12, 1, 11}));

  EXPECT_EQ(Ids(SearchCategories(catalogue_, "カメラ", 0b10)),
            (std::vector<std::uint32_t>{21, 22, 2}));
}

TEST_F(CategoryCatalogueTest, ScopeBitsChooseThePartsAndAMissingPartEndsTheSearch) {
  CAppOptions options;
  options.findCategory = 1;
  EXPECT_EQ(Ids(SearchCategories(catalogue_, "パソコン", CategorySearchScope(&options))),
            (std::vector<std::uint32_t>{111, 11}));
  options.findCategory = 0x7FFFFF & ~0b100;
  CategorySearchResult withoutC =
      SearchCategories(catalogue_, "パソコン", CategorySearchScope(&options));
  EXPECT_TRUE(withoutC.complete);
  EXPECT_EQ(Ids(withoutC), (std::vector<std::uint32_t>{111, 22, 11}))
      << "the last part is searched only without application options";

  CategorySearchResult everything =
      SearchCategories(catalogue_, "パソコン", CategorySearchScope(nullptr));
  EXPECT_FALSE(everything.complete);
  EXPECT_EQ(Ids(everything), (std::vector<std::uint32_t>{111, 22, 11}));

  const CCategoryQuery query("パソコン");
  int seen = 0;
  EXPECT_TRUE(catalogue_.FindCategory(query, 0b11, [&](const CategoryEntry&) {
    return ++seen < 2;
  })) << "a sink that stops the search is no failure";
  EXPECT_EQ(seen, 2);
}

TEST(CategoryPart, RefusesFilesThatAreNotWholePartFiles) {
  TempDir dir;
  const auto write = [&](const std::string& text) {
    std::ofstream(dir.path() / "part", std::ios::binary) << text;
    return CCategoryPart::Load(dir.path() / "part").has_value();
  };
  EXPECT_TRUE(write("NuvoCategoryPart\t1\n7\t1\t1\tname\tkey\n"));
  EXPECT_FALSE(write("NuvoCategoryPart\t1\n7\t1\t1\tname\tkey"));     // cut off
  EXPECT_FALSE(write("NuvoCategoryPart\t2\n"));                       // another format
  EXPECT_FALSE(write("NuvoCategoryPart\t1\nx7\t1\t1\tname\tkey\n"));  // no id
  EXPECT_FALSE(write("NuvoCategoryPart\t1\n7\t1\t2\tname\tkey\n"));   // bad leaf flag
  EXPECT_FALSE(write("NuvoCategoryPart\t1\n7\t1\t1\tname\n"));        // a field short
  EXPECT_FALSE(CCategoryPart::Load(dir.path() / "absent").has_value());
}

// The catalogue the build makes from the project's category lists.
TEST(BundledCatalogue, KnowsEveryTopLevelInItsOwnPartAndKeepsAdultCategoriesApart) {
  CCategoryCatalogue catalogue(NUVO_CATEGORIES_DIR);
  EXPECT_EQ(catalogue.FindCategoryName(0, 23336), Cp932("コンピュータ"));
  EXPECT_EQ(catalogue.FindCategoryName(15, 2084055844), Cp932("ペット、生き物"));
  EXPECT_EQ(catalogue.FindCategoryName(22, 26084), Cp932("その他"));
  EXPECT_EQ(catalogue.FindCategoryName(23, 2084230594),
            Cp932("その他 > アダルト > DVD > 海外作品"));
  for (int index = 0; index < CCategoryCatalogue::kPartCount; ++index) {
    ASSERT_NE(catalogue.Part(index), nullptr) << index;
    EXPECT_FALSE(catalogue.Part(index)->Entries().empty()) << index;
  }
  CAppOptions options;
  const CategorySearchResult adult =
      SearchCategories(catalogue, "アダルト", CategorySearchScope(&options));
  EXPECT_TRUE(adult.complete);
  for (const CategoryEntry& entry : adult.matches) EXPECT_NE(entry.id, 2084230594u);
  const CategorySearchResult notebooks =
      SearchCategories(catalogue, "ﾉｰﾄ ぱそこん", kAllCategoryParts);
  ASSERT_FALSE(notebooks.matches.empty());
  EXPECT_TRUE(notebooks.matches.front().leaf);
}

}  // namespace
