#include "core/batch/BatchFileList.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/common/MessageIds.h"
#include "support/TempDir.h"

namespace nuvo {
namespace {

TEST(BatchFileList, RefusesOtherFilesAndRepeatsWithTheRightMessage) {
  TempDir dir;
  const auto a = dir.path() / "a.nvd";
  const auto b = dir.path() / "b.NVD";
  CBatchFileList list;
  EXPECT_EQ(list.AddFiles({a, b}), 0);
  EXPECT_EQ(list.AddFiles({dir.path() / "sub" / ".." / "a.nvd"}), IDS_BATCH_ALREADY_LISTED);
  EXPECT_EQ(list.AddFiles({a, b}), IDS_BATCH_ALL_ALREADY_LISTED);
  EXPECT_EQ(list.AddFiles({a, dir.path() / "c.nvd"}), 0);
  EXPECT_EQ(list.AddFiles({dir.path() / "photo.jpg", dir.path() / "d.nvd"}),
            IDS_BATCH_NOT_NUVO_FILE);
  EXPECT_EQ(list.Paths(),
            (std::vector<std::filesystem::path>{a, b, dir.path() / "c.nvd", dir.path() / "d.nvd"}));

  list.Remove({3, 0, 3});
  EXPECT_TRUE(list.MoveUp(1));
  EXPECT_FALSE(list.MoveUp(0));
  EXPECT_FALSE(list.MoveDown(1));
  EXPECT_EQ(list.Paths(), (std::vector<std::filesystem::path>{dir.path() / "c.nvd", b}));
}

TEST(BatchFileList, FindsNestedListingsInNameOrder) {
  TempDir dir;
  for (const char* name : {"b/z.nvd", "b/a/y.nvd", "a.nvd", "b/note.txt", "c/empty/"}) {
    const auto path = dir.path() / name;
    std::filesystem::create_directories(path.parent_path());
    if (path.has_filename()) std::ofstream(path) << "x";
  }
  CBatchFileList list;
  EXPECT_EQ(list.AddFolder(dir.path()), 0);
  EXPECT_EQ(list.Paths(),
            (std::vector<std::filesystem::path>{dir.path() / "a.nvd", dir.path() / "b/a/y.nvd",
                                                dir.path() / "b/z.nvd"}));
  EXPECT_EQ(list.AddFolder(dir.path() / "c"), IDS_BATCH_FOLDER_EMPTY);
  EXPECT_EQ(list.AddFolder(dir.path() / "b"), IDS_BATCH_ALL_ALREADY_LISTED);
}

}  // namespace
}  // namespace nuvo
