#include <gtest/gtest.h>

#include "support/CliRunner.h"

TEST(CategoryCommand, SearchesAndNamesCategoriesFromTheBundledCatalogue) {
  CliResult search = RunCli({"category", "search", "ﾉｰﾄ", "ぱそこん"});
  EXPECT_EQ(search.exitCode, 0);
  EXPECT_TRUE(
      search.out.starts_with("2084049583\tコンピュータ > サプライ > ケース > ノートパソコン用\n"))
      << search.out;

  CliResult name = RunCli({"category", "name", "23336"});
  EXPECT_EQ(name.exitCode, 0);
  EXPECT_EQ(name.out, "コンピュータ\n");

  EXPECT_EQ(RunCli({"category", "name", "1"}).exitCode, 1);
  EXPECT_EQ(RunCli({"category", "name", "x1"}).exitCode, 2);
  EXPECT_EQ(RunCli({"category", "search"}).exitCode, 2);
}
