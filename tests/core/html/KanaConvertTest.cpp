#include "core/html/KanaConvert.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

TEST(KanaConvert, ConvertsEveryHalfWidthKana) {
  EXPECT_EQ(
      HalfToFullKana(Cp932("｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ")),
      Cp932("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
            "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜"));
}

TEST(KanaConvert, FoldsMarksOnlyWhereACombinedFormExists) {
  EXPECT_EQ(HalfToFullKana(Cp932("ｶﾞｷﾞﾊﾟﾎﾟｳﾞ")), Cp932("ガギパポヴ"));
  EXPECT_EQ(HalfToFullKana(Cp932("ﾞ")), Cp932("゛"));
  EXPECT_EQ(HalfToFullKana(Cp932("ｱﾞｶﾟﾊﾞﾞ")), Cp932("ア゛カ゜バ゛"));
  EXPECT_EQ(HalfToFullKana(Cp932("ｶ")), Cp932("カ"));
}

TEST(KanaConvert, CopiesOtherCharactersWhole) {
  // The second bytes of "あ" (82 A0) and "ア" (83 41) look like one-byte characters on their own.
  EXPECT_EQ(HalfToFullKana(Cp932("aあアソ表ｱ")), Cp932("aあアソ表ア"));
  EXPECT_EQ(HalfToFullKana("\x80x\xA0"), ".x.");
  EXPECT_EQ(HalfToFullKana("a\x83"), "a\x83");
  EXPECT_EQ(HalfToFullKana(""), "");
}
