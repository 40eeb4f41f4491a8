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
