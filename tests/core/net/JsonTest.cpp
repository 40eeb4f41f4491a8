#include <gtest/gtest.h>

#include <string>

#include "core/common/Encoding.h"
#include "core/net/JsonDocument.h"

namespace nuvo {
namespace {

// The root of `text` read with `options` printed back, or "error N".
std::string Reread(std::string_view text, unsigned options = 0) {
  CJsonDocument doc(options);
  int result = doc.Parse(text);
  if (result != kJsonOk) return "error " + std::to_string(result);
  return doc.GetRoot() ? doc.GetRoot()->ToString() : "no root";
}

TEST(JsonReaderTest, ReadsAndPrintsATree) {
  CJsonDocument doc;
  ASSERT_EQ(doc.Parse(std::string_view(" {\"a\": 1, \"b\": [true, null, \"x\"]} ")), kJsonOk);
  const auto* object = doc.GetRoot()->As<CJsonObject>();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->GetTypeName(), "object");
  ASSERT_EQ(object->Count(), 2u);
  EXPECT_EQ(object->At(0)->GetTypeName(), "key_value");
  EXPECT_EQ(object->Find("a")->As<CJsonInteger>()->GetValue(), 1);
  const auto* array = object->Find("b")->As<CJsonArray>();
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(array->At(0)->GetTypeName(), "boolean");
  EXPECT_EQ(array->At(1)->GetTypeName(), "null");
  EXPECT_EQ(array->At(2)->As<CJsonString>()->GetText(), "x");
  EXPECT_EQ(object->Find("A"), nullptr);
  EXPECT_EQ(doc.GetRoot()->ToString(), "{\"a\": 1, \"b\": [true, null, \"x\"]}");
  EXPECT_EQ(doc.GetRoot()->ToString(JsonKeyForm::Bare), "{a: 1, b: [true, null, \"x\"]}");
  doc.GetRoot()->SetPrintOptions(kJsonPrintSingleQuotes);
  EXPECT_EQ(doc.GetRoot()->ToString(), "{'a': 1, 'b': [true, null, 'x']}");
}

TEST(JsonReaderTest, TypesScalarsAndDropsEmptyItems) {
  EXPECT_EQ(Reread("[99999999999, -99999999999, -0, 007, -, 1.5, True, x y, , ]"),
            "[2147483647, -2147483648, 0, 7, \"-\", \"1.5\", \"True\", \"x y\"]");
  EXPECT_EQ(Reread("{\"n\": 99999999999}"), "{\"n\": 2147483647}");
  // A ":" at an item's own level makes a key/value wherever it stands; one inside quotes or
  // brackets does not.
  EXPECT_EQ(Reread("[\"a\": [1], \"b:c\", {\"d\": {}}]"), "[\"a\": [1], \"b:c\", {\"d\": {}}]");
  EXPECT_EQ(Reread("\"k\" : v"), "\"k\": \"v\"");
  EXPECT_EQ(Reread("{\"only\", \"e\":}"), "{\"only\": null, \"e\": \"\"}");
  EXPECT_EQ(Reread("\"\"\"x\\\"\"\""), "\"x\\\"\"");
  EXPECT_EQ(Reread("  \r\n"), "no root");
  EXPECT_EQ(Reread(""), "no root");
}

TEST(JsonReaderTest, FailsOnUnbalancedOrTooDeepBrackets) {
  CJsonDocument doc;
  EXPECT_EQ(doc.Parse(nullptr), kJsonMissing);
  EXPECT_NE(doc.Parse(std::string_view("[1}")), kJsonOk);
  ASSERT_EQ(doc.Parse(std::string_view("[1]")), kJsonOk);
  EXPECT_NE(doc.Parse(std::string_view("[1]]")), kJsonOk);
  EXPECT_EQ(doc.GetRoot(), nullptr);  // a failed read leaves no root behind
  EXPECT_NE(doc.Parse(std::string_view("{\"a\": [1}")), kJsonOk);
  EXPECT_EQ(Reread("[\"]\", '['}]"), "error 1");  // single quotes do not hide brackets by default

  std::string deep = std::string(kJsonMaxDepth, '[') + std::string(kJsonMaxDepth, ']');
  EXPECT_EQ(doc.Parse(deep), kJsonOk);
  EXPECT_EQ(doc.Parse("[" + deep + "]"), kJsonTooDeep);
  std::string hostile = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_EQ(doc.Parse(hostile), kJsonTooDeep);
}

TEST(JsonReaderTest, OptionsAllowCommentsAndSingleQuotes) {
  EXPECT_EQ(Reread("{'k': 'v'}", kJsonSingleQuotes), "{\"k\": \"v\"}");
  EXPECT_EQ(Reread("{'k': 'v'}"), "{\"'k'\": \"'v'\"}");
  EXPECT_EQ(Reread("{'a,b': 1}", kJsonSingleQuotes), "{\"a,b\": 1}");

  const std::string hash = "{\"a\": 1,\n# \"b\": 2,\n\"c\": \"#3\"}";
  EXPECT_EQ(Reread(hash, kJsonHashComments), "{\"a\": 1, \"c\": \"#3\"}");
  EXPECT_EQ(Reread(hash), "{\"a\": 1, \"# \"b\": 2, \"c\": \"#3\"}");
  EXPECT_EQ(Reread("[1, // 2,\n3, \"//\"]", kJsonSlashComments), "[1, 3, \"//\"]");
  EXPECT_EQ(Reread("[1, /* 2,\n */ 3 /* open", kJsonBlockComments), "error 1");
  EXPECT_EQ(Reread("[1, /* 2, ] */ 3]", kJsonBlockComments), "[1, 3]");
  EXPECT_EQ(Reread("[1, /* 2 */ 3]"), "[1, \"/* 2 */ 3\"]");
}

TEST(JsonReaderTest, TwoByteCharactersAreNeverPunctuation) {
  // The trail byte of "ー" is "[", that of "ソ" and "表" a backslash.
  const std::string text = Cp932("ー") + Cp932("ソ") + Cp932("表");
  CJsonDocument doc;
  ASSERT_EQ(doc.Parse("{\"" + text + "\": [\"" + text + "\"]}"), kJsonOk);
  const auto* array = doc.GetRoot()->As<CJsonObject>()->Find(text)->As<CJsonArray>();
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(array->At(0)->As<CJsonString>()->GetText(kJsonUnescapeQuotes), text);
}

TEST(JsonStringTest, ResolvesEscapesOnRequest) {
  CJsonString string(R"(a\"b\\c\/d\u3042\ud83d\ude00)");
  EXPECT_EQ(string.GetText(), R"(a\"b\\c\/d\u3042\ud83d\ude00)");
  EXPECT_EQ(string.GetText(kJsonUnescapeQuotes), R"(a"b\c/d\u3042\ud83d\ude00)");
  // A character that code page 932 cannot hold keeps every escape.
  EXPECT_EQ(string.GetText(kJsonDecodeUnicode), R"(a\"b\\c\/d\u3042\ud83d\ude00)");
  CJsonString kana(R"(\"\u3042\u3044\")");
  EXPECT_EQ(kana.GetText(kJsonUnescapeQuotes | kJsonDecodeUnicode), "\"" + Cp932("あい") + "\"");

  EXPECT_EQ(CJsonString(Cp932("ソ") + "\\\"").GetText(kJsonUnescapeQuotes), Cp932("ソ") + "\"");
  EXPECT_EQ(CJsonString(" -42abc").GetInt(), -42);
  EXPECT_EQ(CJsonString("+99999999999999999999").GetInt(), 2147483647);
  EXPECT_EQ(CJsonString("abc").GetInt(), 0);
}

TEST(JsonValueTest, ListsOwnAndGiveUpTheirChildren) {
  CJsonArray array;
  CJsonValue* one = array.Add(std::make_unique<CJsonInteger>(1));
  array.Add(std::make_unique<CJsonString>("s"));
  EXPECT_EQ(array.IndexOf(one), 0);
  EXPECT_EQ(array.At(2), nullptr);
  std::unique_ptr<CJsonValue> removed = array.Remove(0);
  EXPECT_EQ(removed.get(), one);
  EXPECT_EQ(array.IndexOf(one), -1);
  EXPECT_EQ(array.Remove(5), nullptr);
  EXPECT_EQ(array.ToString(), "[\"s\"]");

  CJsonObject object;
  object.Add(std::make_unique<CJsonKeyValue>("k", std::make_unique<CJsonBoolean>(false)));
  object.Add(std::make_unique<CJsonKeyValue>("k", std::make_unique<CJsonNull>()));
  EXPECT_EQ(object.Find("k")->GetTypeName(), "boolean");  // the first member of a key counts
  EXPECT_EQ(object.ToString(), "{\"k\": false, \"k\": null}");
}

}  // namespace
}  // namespace nuvo
