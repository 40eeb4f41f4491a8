#include <gtest/gtest.h>

#include "core/common/Version.h"
#include "support/CliRunner.h"

TEST(Cli, ReportsItsVersionAndRefusesBadUsageWithExitCode2) {
  CliResult version = RunCli({"version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string("nuvo-cli ") + nuvo::kVersionText + "\n");

  EXPECT_EQ(RunCli({}).exitCode, 2);
  EXPECT_EQ(RunCli({"no-such-command"}).exitCode, 2);
  EXPECT_EQ(RunCli({"--samples"}).exitCode, 2);
  EXPECT_EQ(RunCli({"version", "extra"}).exitCode, 2);
}
