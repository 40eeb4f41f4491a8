#include "core/app/DialogSettings.h"

#include <gtest/gtest.h>

#include "RecordingSettings.h"

using namespace nuvo;

TEST(DialogSettings, ValuesLiveInTheDialogsOwnSection) {
  RecordingSettings store;
  CAppComm app(store);
  EXPECT_EQ(GetDialogInt(app, 509, "Width", 560), 560);
  EXPECT_EQ(GetDialogString(app, 509, "InitialDir", "none"), "none");
  EXPECT_TRUE(store.writes.empty());

  WriteDialogInt(app, 509, "Width", 700);
  CDialogSettings(app, 509).WriteDialogString("InitialDir", "/home");
  EXPECT_EQ(store.ReadInt("Dialog\\509", "Width"), 700);
  EXPECT_EQ(CDialogSettings(app, 509).GetDialogInt("Width", 0), 700);
  EXPECT_EQ(GetDialogString(app, 509, "InitialDir"), "/home");
  EXPECT_EQ(GetDialogInt(app, 149, "Width", 1), 1);
}

TEST(DialogSettings, NumberedListEndsAtTheFirstEmptyText) {
  CMemorySettings store;
  CAppComm app(store);
  CDialogSettings dialog(app, 200);
  for (auto [key, text] : {std::pair{"FindString01", "a"},
                           {"FindString02", "b"},
                           {"FindString03", ""},
                           {"FindString04", "stale"}}) {
    dialog.WriteDialogString(key, text);
  }

  std::vector<std::string> list;
  EXPECT_TRUE(dialog.GetDialogStringList("FindString%02d", list, 5));
  EXPECT_EQ(list, (std::vector<std::string>{"a", "b", "", "", ""}));

  // A count of -1 reads as many as the list already holds.
  std::vector<std::string> two(2, "old");
  EXPECT_TRUE(GetDialogStringList(app, 200, "FindString%02d", two, -1));
  EXPECT_EQ(two, (std::vector<std::string>{"a", "b"}));

  std::vector<std::string> none;
  EXPECT_FALSE(dialog.GetDialogStringList("FindString%02d", none, 0));
  EXPECT_FALSE(dialog.GetDialogStringList("FindString%02d", none, -1));

  // A missing key reads as the default, and a non-empty default keeps the list going.
  std::vector<std::string> defaults;
  EXPECT_TRUE(dialog.GetDialogStringList("Other%d", defaults, 2, "d"));
  EXPECT_EQ(defaults, (std::vector<std::string>{"d", "d"}));
}

TEST(DialogSettings, WritingAShorterListBlanksTheLongerOnesTail) {
  CMemorySettings store;
  CAppComm app(store);
  CDialogSettings dialog(app, 200);
  dialog.WriteDialogStringList("Keyword%d", {"a", "b", "c", "d"}, -1);
  EXPECT_TRUE(WriteDialogStringList(app, 200, "Keyword%d", {"x"}, 4));
  EXPECT_EQ(store.ReadString("Dialog\\200", "Keyword1"), "x");
  EXPECT_EQ(store.ReadString("Dialog\\200", "Keyword4"), "");

  dialog.WriteDialogStringList("Keyword%d", {"y"}, 3, "-");
  EXPECT_EQ(store.ReadString("Dialog\\200", "Keyword3"), "-");
  EXPECT_EQ(store.ReadString("Dialog\\200", "Keyword4"), "");
  EXPECT_FALSE(store.ReadString("Dialog\\200", "Keyword5"));
}
