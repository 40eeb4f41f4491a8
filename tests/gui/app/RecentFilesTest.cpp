#include <gtest/gtest.h>

#include "core/app/MemorySettings.h"
#include "gui/app/RecentFileList.h"

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
