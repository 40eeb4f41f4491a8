#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>

#include "core/app/MemorySettings.h"
#include "gui/app/RecentFileList.h"
#include "gui/app/TempWorkName.h"
#include "support/TempDir.h"

using namespace nuvo;

TEST(RecentFileListTest, KeepsTheTenNewestFilesOnceEachAndBlanksStaleSlots) {
  CMemorySettings settings;
  CAppComm comm(settings);
  CRecentFileList list(comm);
  for (int i = 1; i <= 12; ++i) list.Add("/data/" + std::to_string(i) + ".nvd");
  list.Add("/data/5.nvd");
  ASSERT_EQ(list.Entries().size(), 10u);
  EXPECT_EQ(list.Entries()[0], "/data/5.nvd");
  EXPECT_EQ(list.Entries()[1], "/data/12.nvd");
  EXPECT_EQ(list.Entries()[9], "/data/3.nvd");
  list.Save();
  EXPECT_EQ(comm.GetProfileString("Recent File List", "File10"), "/data/3.nvd");

  list.Remove("/data/12.nvd");
  list.Save();
  EXPECT_EQ(comm.GetProfileString("Recent File List", "File10"), "");

  // Reading stops at the first empty entry.
  comm.WriteProfileString("Recent File List", "File3", "");
  CRecentFileList reread(comm);
  reread.Load();
  EXPECT_EQ(reread.Entries().size(), 2u);
}

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
