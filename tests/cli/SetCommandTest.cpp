#include <gtest/gtest.h>

#include <fstream>

#include "core/common/Encoding.h"
#include "support/CliRunner.h"

namespace {

// A listing made by "new" on a sample with every list of the template input; each list starts
// with the one empty row of its section.
class SetCommandTest : public ::testing::Test {
 protected:
  SetCommandTest() {
    std::filesystem::create_directories(dir.path() / "samples" / "0000");
    std::ofstream(dir.path() / "samples" / "0000" / "0000.htm", std::ios::binary) << nuvo::Cp932(
        "<html><!--#header--><!--#title--><!--#title@end--><!--#header@end-->"
        "<!--#description--><!--#item-->説明<!--#item@end--><!--#description@end-->"
        "<!--#post--><!--#item--><!--#item@end--><!--#detail--><!--#detail@end-->"
        "<!--#post@end--><!--#pay--><!--#item--><!--#item@end--><!--#detail-->"
        "<!--#detail@end--><!--#pay@end--><!--#other--><!--#item--><!--#item@end-->"
        "<!--#other@end--><!--#footer--><!--#footer@end--></html>");
    CliResult made = Cli({"new", file, "--input-type", "0"});
    EXPECT_EQ(made.exitCode, 0) << made.err;
  }

  CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--samples", (dir.path() / "samples").string()});
    return RunCli(args);
  }

  std::string Dump() {
    CliResult dump = Cli({"dump", file});
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    return dump.out;
  }

  std::string WriteGif(const std::string& name, int width, int height, std::size_t length) {
    std::string data = "GIF89a";
    for (int side : {width, height}) {
      data += static_cast<char>(side & 0xFF);
      data += static_cast<char>(side >> 8);
    }
    data.resize(length);
    std::filesystem::path path = dir.path() / name;
    std::ofstream(path, std::ios::binary) << data;
    return path.string();
  }

  TempDir dir;
  std::string file = (dir.path() / "listing.nvd").string();
};

TEST_F(SetCommandTest, AppliesEveryKindOfKeyAndDumpShowsThem) {
  std::string photo = WriteGif("front.gif", 640, 480, 64);
  CliResult set = Cli({"set",
                       file,
                       "title=カメラ 美品",
                       "startPrice=5000",
                       "buyNowPrice=8000",
                       "quantity=2",
                       "salesFormat=1",
                       "condition=3:目立つ傷なし",
                       "category=2084:カメラ",
                       "memo=棚A",
                       "desc[0]=説明文",
                       "post[0]=ゆうパック|800円",
                       "post+=定形外",
                       "post[1].detail=120円",
                       "post+=宅急便",
                       "post[0]v",
                       "post[2]-",
                       "pay+=銀行振込",
                       "pay[0]=かんたん決済|手数料無料",
                       "other[0]-",
                       "other+=同梱可",
                       "photo+=" + photo,
                       "ship+=ネコポス",
                       "ship[0].feeType=1",
                       "ship[0].fee=800",
                       "ship[0].hokkaido=1000",
                       "ship[0].okinawa=",
                       "ship+=消す",
                       "ship[1]-"});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(set.err, "");

  std::string dump = Dump();
  for (const char* expected : {
           "\"startPrice\":5000,\"buyNowPrice\":8000,\"quantity\":2,",
           "\"condition\":{\"kind\":3,\"remark\":\"目立つ傷なし\"},\"categoryId\":2084,"
           "\"categoryName\":\"カメラ\",\"memo\":\"棚A\",\"salesFormat\":1,",
           "\"title\":\"カメラ 美品\"",
           "\"photos\":[{\"name\":\"front.gif\",\"width\":640,\"height\":480,"
           "\"detail\":\"\",\"size\":64,",
           "\"descriptions\":[[\"説明文\"],",
           "\"post\":[[\"定形外\",\"120円\"],[\"ゆうパック\",\"800円\"]],",
           "\"pay\":[[\"かんたん決済\",\"手数料無料\"],[\"銀行振込\",\"\"]],"
           "\"other\":[\"同梱可\"],",
           "\"methods\":[{\"name\":\"ネコポス\",\"feeType\":1,\"fee\":800,\"hokkaido\":1000,"
           "\"okinawa\":-1,\"islands\":-1,\"feeTableUrl\":\"\"}],",
       }) {
    EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\n" << dump;
  }

  // A remark or name left out keeps the one the listing has.
  ASSERT_EQ(Cli({"set", file, "condition=4", "category=2085", "inputType=1"}).exitCode, 0);
  dump = Dump();
  EXPECT_NE(dump.find("\"condition\":{\"kind\":4,\"remark\":\"目立つ傷なし\"},\"categoryId\":2085,"
                      "\"categoryName\":\"カメラ\""),
            std::string::npos);
  EXPECT_NE(dump.find("\"inputType\":1"), std::string::npos);

  // A number the catalogue knows takes the catalogue's name.
  ASSERT_EQ(Cli({"set", file, "category=23336"}).exitCode, 0);
  EXPECT_NE(Dump().find("\"categoryId\":23336,\"categoryName\":\"コンピュータ\""),
            std::string::npos);
  // The title is the listing's, not the input type's: it stays in the file.
  EXPECT_NE(dump.find("\"title\":\"カメラ 美品\""), std::string::npos) << dump;
}

TEST_F(SetCommandTest, RefusesBadEditsAndLeavesTheFileAsItWas) {
  std::string before = ReadWholeFile(file);
  struct Case {
    std::vector<std::string> edits;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {{"startPrice=1", "colour=red"}, 2, "不明なキーです: colour=red"},
      {{"title=😀"}, 2, "Shift_JIS（コードページ932）で表せない文字が含まれています"},
      {{"quantity=0"}, 1, "1～99までの数値を入力してください"},
      {{"quantity=500"}, 1, "1～99までの数値を入力してください"},
      {{"startPrice=9223372036854775807"}, 1, "0～9999999999までの数値を入力してください"},
      {{"buyNowPrice=-1"}, 1, "0～9999999999までの数値を入力してください"},
      {{"quantity=99999999999999999999"}, 2, "数値が正しくないか範囲外です"},
      {{"title=<b>ｶﾒﾗ\"x\"</b>"}, 1, "半角カナを使用することはできません"},
      {{"title=a>b"}, 1, "\"<\"、\">\"を使用することはできません"},
      {{"salesFormat=3"}, 2, "数値が正しくないか範囲外です"},
      {{"post[1].item=x"}, 2, "その行はありません"},
      {{"ship[0]=x"}, 2, "ship[i].項目=値"},
      {{"other+=1", "other+=2", "other+=3", "other+=4", "other+=5"}, 2, "4件まで"},
      {{"ship+=a", "ship[0].cost=1"}, 2, "配送方法の項目は"},
      {{"title"}, 2, "「=値」がありません"},
      {{"post[x]-"}, 2, "行番号が正しくありません"},
      {{"pay[0]^"}, 2, "その行はそれ以上動かせません"},
      {{"photo+=" + WriteGif("tiny.gif", 20, 20, 64)}, 1, "写真のサイズが小さすぎます"},
      {{"photo+=" + (dir.path() / "none.jpg").string()}, 1, "ファイルのオープンに失敗しました"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"set", file};
    args.insert(args.end(), c.edits.begin(), c.edits.end());
    CliResult result = Cli(args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.edits.back();
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadWholeFile(file), before);
}

TEST_F(SetCommandTest, ALargePhotoNeedsYes) {
  std::string large = WriteGif("large.gif", 800, 600, 2 * 1048576);
  CliResult declined = Cli({"set", file, "photo+=" + large});
  EXPECT_EQ(declined.exitCode, 1);
  EXPECT_NE(declined.err.find("このまま追加しますか"), std::string::npos);
  EXPECT_EQ(Dump().find("large.gif"), std::string::npos);

  CliResult accepted = Cli({"set", file, "--yes", "photo+=" + large});
  EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
  EXPECT_NE(Dump().find("\"name\":\"large.gif\",\"width\":800,\"height\":600"), std::string::npos);
}

}  // namespace
