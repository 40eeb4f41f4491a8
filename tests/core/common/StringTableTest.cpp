#include "core/common/StringTable.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "core/common/MessageFormat.h"

using namespace nuvo;

TEST(StringTable, HoldsTheProgramsTextsByIdInBothEncodings) {
  EXPECT_EQ(LoadStringUtf8(IDS_SAMPLE_NOT_FOUND), "ぬぼ型ファイルが見つかりません。");
  EXPECT_EQ(LoadString(806), Cp932("ぬぼ型ファイルが見つかりません。"));
  EXPECT_TRUE(HasString(1111));
  EXPECT_FALSE(HasString(-1));
  EXPECT_EQ(LoadString(-1), "");
}
