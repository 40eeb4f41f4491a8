#include "core/html/Charset.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

namespace {

const std::string kJapanese = "ソ表示のテスト、日本語の文章です。ｶﾀｶﾅ";
// ISO-2022-JP has no half-width katakana.
const std::string kFullWidth = "ソ表示のテスト、日本語の文章です。";

std::string In(const char* icuName, const std::string& utf8) {
  return ConvertCharset(utf8, kUtf8, icuName).value();
}

}  // namespace

TEST(Charset, NamesAndContentTypes) {
  EXPECT_EQ(CharsetFromName("shift_jis"), Charset::kShiftJis);
  EXPECT_EQ(CharsetFromName("SHIFT_JIS"), Charset::kShiftJis);
  EXPECT_EQ(CharsetFromName("X-SJIS"), Charset::kShiftJis);
  EXPECT_EQ(CharsetFromName("x-euc-jp"), Charset::kEucJp);
  EXPECT_EQ(CharsetFromName("iso-2022-jp"), Charset::kIso2022Jp);
  EXPECT_EQ(CharsetFromName("utf-8"), Charset::kUtf8);
  EXPECT_EQ(CharsetFromName("utf8"), Charset::kNone);
  EXPECT_EQ(CharsetFromName(""), Charset::kNone);
  for (Charset charset :
       {Charset::kIso2022Jp, Charset::kShiftJis, Charset::kEucJp, Charset::kUtf8}) {
    EXPECT_EQ(CharsetFromName(CharsetName(charset)), charset);
  }
  EXPECT_EQ(CharsetName(Charset::kNone), "");
  EXPECT_EQ(ContentTypeFor(Charset::kEucJp), "text/html; charset=EUC-JP");
  EXPECT_EQ(ContentTypeFor(Charset::kNone), std::nullopt);
}

TEST(Charset, ReadsTheDeclaredCharsetOfAPage) {
  EXPECT_EQ(CharsetOfHtml("<meta http-equiv=\"Content-Type\" "
                          "content=\"text/html; Charset=EUC-JP\">"),
            Charset::kEucJp);
  EXPECT_EQ(CharsetOfHtml("<META CHARSET=\"utf-8\">"), Charset::kUtf8);
  EXPECT_EQ(CharsetOfHtml("<meta content='text/html;charset=x-sjis;'>"), Charset::kShiftJis);
  EXPECT_EQ(CharsetOfHtml("the charset of this page: <meta charset = ISO-2022-JP>"),
            Charset::kIso2022Jp);
  EXPECT_EQ(CharsetOfHtml("<meta charset=\"koi8-r\">"), Charset::kNone);
  EXPECT_EQ(CharsetOfHtml("<p>charset=</p>"), Charset::kNone);
  EXPECT_EQ(CharsetOfHtml(""), Charset::kNone);
}

TEST(Charset, DetectsEachJapaneseEncoding) {
  EXPECT_EQ(DetectCharset(In(kCp932, kJapanese)), Charset::kShiftJis);
  EXPECT_EQ(DetectCharset(In(kEucJp, kJapanese)), Charset::kEucJp);
  EXPECT_EQ(DetectCharset(kJapanese), Charset::kUtf8);
  EXPECT_EQ(DetectCharset(In(kIso2022Jp, kFullWidth)), Charset::kIso2022Jp);
  // Short texts that fit more than one encoding.
  EXPECT_EQ(DetectCharset("\xE3\x81\x82\xE3\x81\x84"), Charset::kUtf8);  // あい in UTF-8
  EXPECT_EQ(DetectCharset("\xA4\xA2\xA4\xA4"), Charset::kEucJp);         // あい in EUC-JP
  EXPECT_EQ(DetectCharset("\x83\x5C\x95\x5C"), Charset::kShiftJis);      // ソ表
  EXPECT_EQ(DetectCharset("plain ASCII\r\n"), Charset::kNone);
  EXPECT_EQ(DetectCharset(""), Charset::kNone);
  EXPECT_EQ(DetectCharset("\xFF\xFE\xFD"), Charset::kNone);
}

TEST(Charset, DetectionLooksPastAnAsciiStart) {
  const std::string ascii(1023, 'a');
  for (const char* separator : {"", "\n", "\r\n"}) {
    EXPECT_EQ(DetectCharset(ascii + separator + In(kEucJp, kJapanese)), Charset::kEucJp);
    EXPECT_EQ(DetectCharset(ascii + separator + kJapanese), Charset::kUtf8);
    EXPECT_EQ(DetectCharset(ascii + separator + In(kIso2022Jp, kFullWidth)), Charset::kIso2022Jp);
  }
  // A first chunk that no encoding accepts decides nothing; the next one does.
  EXPECT_EQ(DetectCharset(std::string(1030, '\xFF') + "\n" + In(kCp932, kJapanese)),
            Charset::kShiftJis);
}

TEST(Charset, DetectionForgivesOnlyACutAtTheVeryEnd) {
  const std::string utf8 = kJapanese + "\xE3\x81";
  EXPECT_EQ(DetectCharset(utf8), Charset::kUtf8);
  const std::string sjis = In(kCp932, kJapanese);
  EXPECT_EQ(DetectCharset(sjis + "\x83"), Charset::kShiftJis);
}

TEST(Charset, ConvertsIntoCodePage932) {
  const std::string sjis = In(kCp932, kJapanese);
  EXPECT_EQ(ToShiftJis(In(kEucJp, kJapanese), Charset::kEucJp), sjis);
  EXPECT_EQ(ToShiftJis(kJapanese, Charset::kUtf8), sjis);
  EXPECT_EQ(ToShiftJis(sjis, Charset::kShiftJis), sjis);
  const std::string jis = In(kIso2022Jp, "日本語のテスト");
  EXPECT_EQ(ToShiftJis(jis, Charset::kIso2022Jp), In(kCp932, "日本語のテスト"));
  EXPECT_EQ(ToShiftJis(sjis, Charset::kNone), std::nullopt);
  EXPECT_EQ(ToShiftJis("", Charset::kShiftJis), std::nullopt);
  EXPECT_EQ(ToShiftJis("\xFF", Charset::kUtf8), std::nullopt);
}

TEST(Charset, ConvertsBetweenCodePages) {
  const std::string sjis = In(kCp932, kJapanese);
  EXPECT_EQ(ConvertCodePage(932, 65001, sjis), kJapanese);
  EXPECT_EQ(ConvertCodePage(65001, 932, kJapanese), sjis);
  for (unsigned euc : {20932u, 51932u}) {
    EXPECT_EQ(ConvertCodePage(932, euc, sjis), In(kEucJp, kJapanese));
  }
  for (unsigned jis : {50220u, 50221u, 50222u}) {
    const auto converted = ConvertCodePage(932, jis, Cp932("日本語"));
    ASSERT_TRUE(converted);
    EXPECT_EQ(ConvertCodePage(jis, 932, *converted), Cp932("日本語"));
  }
  EXPECT_EQ(ConvertCodePage(1252, 1252, "x"), "x");
  EXPECT_EQ(ConvertCodePage(932, 1252, "x"), std::nullopt);
  EXPECT_EQ(ConvertCodePage(932, 65001, ""), std::nullopt);
  EXPECT_EQ(ConvertCodePage(932, 932, ""), std::nullopt);
}
