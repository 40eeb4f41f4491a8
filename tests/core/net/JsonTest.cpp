#include <gtest/gtest.h>

#include <random>
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
  // Without the option the "#" is text, and the quote it leaves inside the key is escaped.
  EXPECT_EQ(Reread(hash), "{\"a\": 1, \"# \\\"b\": 2, \"c\": \"#3\"}");
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

TEST(JsonPrinterTest, QuotesAndBackslashesInTextsReadBackAsWritten) {
  CJsonObject object;
  object.Add(std::make_unique<CJsonKeyValue>("k\"ey", std::make_unique<CJsonString>("a\"b,\\")));
  object.Add(std::make_unique<CJsonKeyValue>("x", std::make_unique<CJsonString>("\"],[\\\"")));
  EXPECT_EQ(object.ToString(), R"({"k\"ey": "a\"b,\\", "x": "\"],[\""})");
  EXPECT_EQ(Reread(object.ToString()), object.ToString());
  // A lead byte at the very end would swallow the closing quote: it is no character and goes.
  CJsonArray cut;
  cut.Add(std::make_unique<CJsonString>("a\\\x9B"));
  cut.Add(std::make_unique<CJsonString>("b"));
  EXPECT_EQ(cut.ToString(), R"(["a\\", "b"])");
  // An escaped backslash does not escape the quote after it.
  EXPECT_EQ(Reread(R"(["a\\", "b"])"), R"(["a\\", "b"])");
}

// A text of random pieces that mean something to the reader: quotes, backslashes, brackets,
// separators, comment starts and two-byte characters whose trail byte is "[" or a backslash.
std::string RandomText(std::mt19937& random) {
  static const std::vector<std::string> pieces = {
      "\"", "'", "\\", ",", ":", "[",    "]",         "{",         "}",         " ",
      "/",  "*", "#",  "a", "1", "null", Cp932("ー"), Cp932("ソ"), Cp932("表"), "\\u3042"};
  std::string text;
  for (std::size_t n = random() % 8; n > 0; --n) text += pieces[random() % pieces.size()];
  return text;
}

std::unique_ptr<CJsonValue> RandomValue(std::mt19937& random, int depth) {
  switch (random() % (depth > 3 ? 4 : 6)) {
    case 0:
      return std::make_unique<CJsonInteger>(static_cast<std::int32_t>(random()));
    case 1:
      return std::make_unique<CJsonBoolean>(random() % 2 == 0);
    case 2:
      return std::make_unique<CJsonNull>();
    case 3:
      return std::make_unique<CJsonString>(RandomText(random));
    case 4: {
      auto array = std::make_unique<CJsonArray>();
      for (std::size_t n = random() % 4; n > 0; --n) array->Add(RandomValue(random, depth + 1));
      return array;
    }
    default: {
      auto object = std::make_unique<CJsonObject>();
      for (std::size_t n = random() % 4; n > 0; --n) {
        object->Add(
            std::make_unique<CJsonKeyValue>(RandomText(random), RandomValue(random, depth + 1)));
      }
      return object;
    }
  }
}

// The same kinds in the same places, and texts that read the same once their escapes are resolved.
void ExpectSameTree(const CJsonValue& expected, const CJsonValue& actual) {
  ASSERT_EQ(expected.GetKind(), actual.GetKind()) << expected.ToString();
  if (const auto* text = expected.As<CJsonString>()) {
    EXPECT_EQ(text->GetText(kJsonUnescapeQuotes),
              actual.As<CJsonString>()->GetText(kJsonUnescapeQuotes));
  } else if (const auto* member = expected.As<CJsonKeyValue>()) {
    EXPECT_EQ(CJsonString(member->GetKey()).GetText(kJsonUnescapeQuotes),
              CJsonString(actual.As<CJsonKeyValue>()->GetKey()).GetText(kJsonUnescapeQuotes));
    ExpectSameTree(*member->GetValue(), *actual.As<CJsonKeyValue>()->GetValue());
  } else if (const auto* array = expected.As<CJsonArray>()) {
    ASSERT_EQ(array->Count(), actual.As<CJsonArray>()->Count()) << expected.ToString();
    for (std::size_t i = 0; i < array->Count(); ++i) {
      ExpectSameTree(*array->At(i), *actual.As<CJsonArray>()->At(i));
    }
  } else if (const auto* object = expected.As<CJsonObject>()) {
    ASSERT_EQ(object->Count(), actual.As<CJsonObject>()->Count()) << expected.ToString();
    for (std::size_t i = 0; i < object->Count(); ++i) {
      ExpectSameTree(*object->At(i), *actual.As<CJsonObject>()->At(i));
    }
  } else {
    EXPECT_EQ(expected.ToString(), actual.ToString());
  }
}

TEST(JsonPrinterTest, PrintedTreesReadBackAsTheSameTree) {
  std::mt19937 random(18);
  for (int round = 0; round < 2000; ++round) {
    auto array = std::make_unique<CJsonArray>();
    array->Add(RandomValue(random, 0));
    const bool single = round % 2 == 1;
    if (single) array->SetPrintOptions(kJsonPrintSingleQuotes);
    const std::string printed = array->ToString();
    CJsonDocument doc(single ? kJsonSingleQuotes : 0);
    ASSERT_EQ(doc.Parse(printed), kJsonOk) << printed;
    ASSERT_NE(doc.GetRoot(), nullptr) << printed;
    ExpectSameTree(*array, *doc.GetRoot());
    if (single) doc.GetRoot()->SetPrintOptions(kJsonPrintSingleQuotes);
    ASSERT_EQ(doc.GetRoot()->ToString(), printed);
  }
}

}  // namespace
}  // namespace nuvo
