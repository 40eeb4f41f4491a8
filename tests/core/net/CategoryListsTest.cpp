#include <gtest/gtest.h>

#include "core/app/MemorySettings.h"
#include "core/net/CategoryBookmarks.h"
#include "core/net/CategoryHistory.h"
#include "core/net/SearchKeywords.h"

using namespace nuvo;

namespace {

TEST(CategoryHistory, KeepsTwentyMostRecentFirstWithoutRepeatsAndBlanksTheRestOnSaving) {
  CMemorySettings settings;
  CAppComm app(settings);
  CCategoryHistory history;
  for (int id = 1; id <= 25; ++id) history.Add({id, "c" + std::to_string(id)});
  history.Add({10, "c10"});
  ASSERT_EQ(history.Entries().size(), 20u);
  EXPECT_EQ(history.Entries()[0], (CategoryItem{10, "c10"}));
  EXPECT_EQ(history.Entries()[1], (CategoryItem{25, "c25"}));
  EXPECT_EQ(history.Entries()[19], (CategoryItem{6, "c6"}));
  // The same number under another name is another entry: the name is what the box shows.
  history.Add({10, "renamed"});
  EXPECT_EQ(history.Entries()[1], (CategoryItem{10, "c10"}));
  history.Save(app);
  EXPECT_EQ(app.GetProfileInt("Dialog\\132", "HisCategory01", 0), 10);
  EXPECT_EQ(app.GetProfileString("Dialog\\132", "HisCategoryName20"), "c7");

  CCategoryHistory shorter;
  shorter.Add({7, "seven"});
  shorter.Save(app);
  CCategoryHistory read;
  read.Load(app);
  EXPECT_EQ(read.Entries(), shorter.Entries());
  EXPECT_EQ(app.GetProfileString("Dialog\\132", "HisCategoryName02"), "");
}

TEST(CategoryBookmarks, KeepTheSellersOrderAndDropWhatAShorterListLeftBehind) {
  CMemorySettings settings;
  CAppComm app(settings);
  CCategoryBookmarks bookmarks;
  EXPECT_TRUE(bookmarks.Add({3, "three"}));
  EXPECT_TRUE(bookmarks.Add({1, "one"}));
  EXPECT_FALSE(bookmarks.Add({3, "again"}));
  EXPECT_TRUE(bookmarks.Add({2, "two"}));
  bookmarks.Save(app);
  EXPECT_EQ(app.GetProfileInt(kCategoryDialogSection, "CategoryNum", 0), 3);
  EXPECT_EQ(app.GetProfileString(kCategoryDialogSection, "CategoryName002"), "one");

  CCategoryBookmarks read;
  read.Load(app);
  EXPECT_EQ(read.Entries(), bookmarks.Entries());
  read.Remove(0);
  read.Remove(5);
  read.Save(app);
  EXPECT_EQ(app.GetProfileInt(kCategoryDialogSection, "Category003", -1), 0);
  CCategoryBookmarks again;
  again.Load(app);
  EXPECT_EQ(again.Entries(), (std::vector<CategoryItem>{{1, "one"}, {2, "two"}}));
}

TEST(SearchKeywords, KeepTwentyDistinctSearchesMostRecentFirst) {
  CMemorySettings settings;
  CAppComm app(settings);
  CSearchKeywords keywords;
  for (int i = 1; i <= 22; ++i) keywords.Add("w" + std::to_string(i));
  keywords.Add("w5");
  keywords.Add("  ");
  keywords.Save(app);
  CSearchKeywords read;
  read.Load(app);
  ASSERT_EQ(read.Entries().size(), 20u);
  EXPECT_EQ(read.Entries()[0], "w5");
  EXPECT_EQ(read.Entries()[1], "w22");
  EXPECT_EQ(app.GetProfileString(kCategoryDialogSection, "Keyword1"), "w5");
}

}  // namespace
