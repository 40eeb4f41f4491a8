#include "core/common/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/Encoding.h"
#include "core/common/MessageFormat.h"

using namespace nuvo;

namespace nuvo::embedded {
extern const std::string_view kMessagesTsv;
}

namespace {

// Length of the printf conversion at the start of `text` ("d", "08X", "I64d"); 0 when none.
std::size_t ConversionLength(std::string_view text) {
  std::size_t at = std::min(text.find_first_not_of("-0123456789."), text.size());
  for (std::string_view size : {"I64", "ll", "l", "h"}) {
    if (text.substr(at).starts_with(size)) {
      at += size.size();
      break;
    }
  }
  return at < text.size() && std::string_view("dsiuxXc").find(text[at]) != std::string_view::npos
             ? at + 1
             : 0;
}

// The first placeholder of `text` that the formatter would not read as its author meant, with
// what follows it; empty when every "%" starts "%%", a positional "%1" (with an optional
// "!conversion!") or a printf conversion such as "%d", "%s" or "%I64d".
std::string FirstBadPlaceholder(std::string_view text) {
  for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
    const std::string_view rest = text.substr(at + 1);
    const std::string_view bad = text.substr(at, 16);
    std::size_t used = 0;
    if (rest.starts_with('%')) {
      used = 1;
    } else if (!rest.empty() && rest[0] >= '1' && rest[0] <= '9') {
      used = rest.size() > 1 && rest[1] >= '0' && rest[1] <= '9' ? 2 : 1;
      if (rest.substr(used).starts_with('!')) {
        std::size_t close = rest.find('!', used + 1);
        if (close == std::string_view::npos) return std::string(bad);
        std::string_view conversion = rest.substr(used + 1, close - used - 1);
        if (conversion.empty() || ConversionLength(conversion) != conversion.size()) {
          return std::string(bad);
        }
        used = close + 1;
      }
    } else if (used = ConversionLength(rest); used == 0) {
      return std::string(bad);
    }
    at += 1 + used;
  }
  return std::string();
}

}  // namespace

TEST(StringTable, HoldsTheProgramsTextsByIdInBothEncodings) {
  EXPECT_EQ(LoadStringUtf8(IDS_SAMPLE_NOT_FOUND), "ぬぼ型ファイルが見つかりません。");
  EXPECT_EQ(LoadString(806), Cp932("ぬぼ型ファイルが見つかりません。"));
  EXPECT_TRUE(HasString(1111));
  EXPECT_FALSE(HasString(-1));
  EXPECT_EQ(LoadString(-1), "");
}

TEST(StringTable, KeepsLineBreaksQuotesAndPlaceholdersExactly) {
  EXPECT_EQ(LoadStringUtf8(IDS_UNSUPPORTED_FILE_VERSION),
            "対応していないファイルバージョンです。\r\nぬぼをバージョンアップする必要があります。");
  EXPECT_EQ(LoadStringUtf8(IDS_NUMBER_OUT_OF_RANGE),
            "数値が範囲外、もしくは数値が入力されていません。\r\n%I64d～%I64dまでの数値を入力してく"
            "ださい。");
  EXPECT_EQ(Utf8FromCp932(FormatMessageId(IDS_NUMBER_OUT_OF_RANGE,
                                          {std::int64_t{1}, std::int64_t{9999999999}})),
            "数値が範囲外、もしくは数値が入力されていません。\r\n1～9999999999までの数値を入力して"
            "ください。");
  EXPECT_EQ(LoadStringUtf8(IDS_TITLE_BAD_CHARS),
            "タイトルに '\"' （ダブルクオーテーション）、\"<\"、\">\"を使用することはできません。");
  EXPECT_EQ(LoadStringUtf8(IDS_SERVER_ERROR_DETAIL), "サーバーがエラーを返しました。\r\n（%1!s!）");
  // A command text holds its status line and its tool tip, split by a bare LF.
  EXPECT_EQ(LoadStringUtf8(IDS_TIP_BOLD), "選択範囲に太字を設定します\n太字");
}

TEST(StringTable, ListsEveryIdOfTheTableOnce) {
  const std::vector<int> ids = StringIds();
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  std::size_t lines = 0;
  for (std::size_t start = 0; start < embedded::kMessagesTsv.size();) {
    std::size_t end =
        std::min(embedded::kMessagesTsv.find('\n', start), embedded::kMessagesTsv.size());
    std::string_view line = embedded::kMessagesTsv.substr(start, end - start);
    if (!line.empty() && line[0] != '#') ++lines;
    start = end + 1;
  }
  EXPECT_EQ(ids.size(), lines);
  for (int id :
       {IDS_CONNECT_FAILED, IDS_NOT_NUVO_FILE, IDS_SUBMIT_CANCELLED, IDS_BATCH_COMPLETED}) {
    EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id)) << id;
  }
}

TEST(StringTable, EveryTextRoundTripsThroughCodePage932AndHasWellFormedPlaceholders) {
  for (int id : StringIds()) {
    const std::string_view text = LoadStringUtf8(id);
    EXPECT_FALSE(text.empty()) << id;
    EXPECT_EQ(Utf8FromCp932(LoadString(id)), text) << id;
    EXPECT_EQ(FirstBadPlaceholder(text), "") << id;
  }
}

TEST(StringTable, PlaceholderCheckCatchesTypos) {
  EXPECT_EQ(FirstBadPlaceholder("%1!d!枚 %2 %s %I64d %02X 100%%"), "");
  EXPECT_NE(FirstBadPlaceholder("%1!d枚目です。ヤフオク!"), "");
  EXPECT_NE(FirstBadPlaceholder("%1!q! 件"), "");
  EXPECT_NE(FirstBadPlaceholder("%1!! 件"), "");
  EXPECT_NE(FirstBadPlaceholder("50%の値下げ"), "");
}

TEST(StringTable, ParsesEscapesAndSkipsCommentsAndBlankLines) {
  const auto texts = ParseStringTable("# note\n\n5\tA\ta\\r\\nb\\\\n\\t\"\n6\tB_2\t\n");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts.at(5), "a\r\nb\\n\t\"");
  EXPECT_EQ(texts.at(6), "");
}

TEST(StringTableDeathTest, RefusesARepeatedIdOrADamagedLine) {
  EXPECT_DEATH(ParseStringTable("1\tA\tx\n1\tB\ty\n"), "repeated id in the string table: 1\tB");
  EXPECT_DEATH(ParseStringTable("1\tA x\n"), "damaged line");
  EXPECT_DEATH(ParseStringTable("\tA\tx\n"), "damaged line");
  EXPECT_DEATH(ParseStringTable("x1\tA\tx\n"), "damaged line");
  EXPECT_DEATH(ParseStringTable("7\tlower\tx\n"), "damaged line");
}
