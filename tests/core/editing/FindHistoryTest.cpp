#include "core/editing/FindHistory.h"

#include <gtest/gtest.h>

#include "core/app/DialogSettings.h"
#include "core/app/MemorySettings.h"
#include "core/editing/DecorateColorMemory.h"

using namespace nuvo;

namespace {

class DialogMemoryTest : public testing::Test {
 protected:
  CMemorySettings backend;
  CAppComm app{backend};
};

TEST_F(DialogMemoryTest, FindHistoryKeepsTwentyDistinctTextsNewestFirstAcrossRuns) {
  CFindHistory history = CFindHistory::Load(app);
  EXPECT_TRUE(history.Entries().empty());
  for (int i = 1; i <= 25; ++i) history.Add("text" + std::to_string(i));
  history.Add("text10");
  history.Add("");
  ASSERT_EQ(history.Entries().size(), CFindHistory::kMaxEntries);
  EXPECT_EQ(history.Entries().front(), "text10");
  EXPECT_EQ(history.Entries()[1], "text25");
  EXPECT_EQ(history.Entries().back(), "text6");
  history.Save(app);
  EXPECT_EQ(GetDialogString(app, kFindDialogId, "FindString01"), "text10");
  EXPECT_EQ(CFindHistory::Load(app).Entries(), history.Entries());

  // A shorter list saved later does not bring back the older texts behind it.
  CFindHistory shorter;
  shorter.Add("only");
  shorter.Save(app);
  EXPECT_EQ(CFindHistory::Load(app).Entries(), std::vector<std::string>{"only"});
}

TEST_F(DialogMemoryTest, ColorChoiceIsRememberedAndDamagedValuesTakeTheDefaults) {
  const CDecorateColorMemory first = CDecorateColorMemory::Load(app);
  EXPECT_EQ(first.color, 0x0000FF);
  EXPECT_EQ(first.otherColor, 0xFFFFFF);
  EXPECT_FALSE(first.standard);

  CDecorateColorMemory chosen{0x123456, 0x00AA00, true};
  chosen.Save(app);
  const CDecorateColorMemory read = CDecorateColorMemory::Load(app);
  EXPECT_EQ(read.color, 0x123456);
  EXPECT_EQ(read.otherColor, 0x00AA00);
  EXPECT_TRUE(read.standard);

  WriteDialogInt(app, kColorDialogId, "Color", -5);
  WriteDialogInt(app, kColorDialogId, "OtherColor", 0x1000000);
  EXPECT_EQ(CDecorateColorMemory::Load(app).color, 0x0000FF);
  EXPECT_EQ(CDecorateColorMemory::Load(app).otherColor, 0xFFFFFF);
}

}  // namespace
