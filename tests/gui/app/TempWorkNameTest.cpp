#include "gui/app/TempWorkName.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <random>
#include <set>

#include "support/TempDir.h"

using namespace nuvo;

TEST(TempWorkNameTest, MakesAFreshFileOnceAndTakesThePreviewFilesAwayWithIt) {
  TempDir dir;
  std::mt19937 random(7);
  std::set<std::string> names;
  std::filesystem::path first;
  for (int i = 0; i < 3; ++i) {
    CTempWorkName work(random, dir.path());
    const std::filesystem::path path = work.Get();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(work.Get(), path);  // made once
    EXPECT_TRUE(std::filesystem::exists(path));
    const std::string name = path.filename().string();
    ASSERT_EQ(name.size(), 8u);
    for (char c : name) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << name;
    names.insert(name);

    std::ofstream(path.string() + ".htm") << "page";
    std::ofstream(path.string() + "_01.jpg") << "photo";
    std::ofstream(dir.path() / "other.htm") << "kept";
    work.Remove();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".htm"));
    EXPECT_FALSE(std::filesystem::exists(path.string() + "_01.jpg"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "other.htm"));
  }
  EXPECT_EQ(names.size(), 3u);
}
