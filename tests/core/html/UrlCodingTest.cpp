#include "core/html/UrlCoding.h"

#include <gtest/gtest.h>

#include "core/common/Encoding.h"

using namespace nuvo;

TEST(UrlCoding, EncodesFormStyleByteByByte) {
  EXPECT_EQ(UrlEncode("Az09*-._ ~/\x82\xA0"), "Az09*-._+%7E%2F%82%A0");
  EXPECT_EQ(UrlEncode(Cp932("ソ")), "%83%5C");
  EXPECT_EQ(UrlEncode(""), "");
}

TEST(UrlCoding, DecodesUnicodeEscapes) {
  std::string out;
  EXPECT_EQ(DecodeUnicodeEscapes("x\\u3042\\u3044y\\u0041", out), UnicodeEscapes::kDecoded);
  EXPECT_EQ(out, Cp932("xあいyA"));
  // A surrogate pair decodes together; this one has no code page 932 form.
  EXPECT_EQ(DecodeUnicodeEscapes("\\uD83D\\uDE00", out), UnicodeEscapes::kUnconvertible);
  EXPECT_EQ(out, "");
  EXPECT_EQ(DecodeUnicodeEscapes("a\\uD800b", out), UnicodeEscapes::kUnconvertible);
}

TEST(UrlCoding, LeavesTextWithoutEscapesAsItIs) {
  std::string out = "old";
  EXPECT_EQ(DecodeUnicodeEscapes("", out), UnicodeEscapes::kNone);
  EXPECT_EQ(out, "");
  EXPECT_EQ(DecodeUnicodeEscapes("\\u12G4 \\u12", out), UnicodeEscapes::kNone);
  EXPECT_EQ(out, "\\u12G4 \\u12");
  // The backslash inside "ソ" is a second byte, not the start of an escape.
  const std::string trail = Cp932("ソ") + "u3042";
  EXPECT_EQ(DecodeUnicodeEscapes(trail, out), UnicodeEscapes::kNone);
  EXPECT_EQ(out, trail);
}

TEST(UrlCoding, DecodesWhatEncodingMadeAndFindsQueryValues) {
  const std::string text = Cp932("https://a.example/topic/notice/?x=ソ &y");
  EXPECT_EQ(UrlDecode(UrlEncode(text)), text);
  EXPECT_EQ(UrlDecode("100%"), "100%");
  EXPECT_EQ(UrlDecode("%4g%41"), "%4gA");

  const std::string url = "https://l.example/config/login?.src=auc&flag&.done=https%3A%2F%2Fa%2F#x";
  EXPECT_EQ(FindQueryValue(url, ".done"), "https://a/");
  EXPECT_EQ(FindQueryValue(url, "flag"), "");
  EXPECT_EQ(FindQueryValue(url, ".src"), "auc");
  EXPECT_EQ(FindQueryValue(url, "src"), std::nullopt);
  EXPECT_EQ(FindQueryValue("https://l.example/?a=1#b=2", "b"), std::nullopt);
}
