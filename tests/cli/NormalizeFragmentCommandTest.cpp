#include <gtest/gtest.h>

#include "core/common/Encoding.h"
#include "support/CliRunner.h"

TEST(NormalizeFragmentCommand, RewritesAFragmentInTheEditorsOwnForm) {
  const std::string text = nuvo::Cp932("表示");
  CliResult result = RunCli({"normalize-fragment"},
                            "<B>a<I>" + text + "</I></B>\r\n<font size=4 color=#FF0000>c</font>");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "<b>a<i>" + text + "</i></b><font size=4 color=red>c</font>");

  // What was not understood is dropped from the output, and the exit code says so.
  result = RunCli({"normalize-fragment"}, "a<p>b</p><BR>c");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "abc");

  EXPECT_EQ(RunCli({"normalize-fragment", "extra"}).exitCode, 2);
}
