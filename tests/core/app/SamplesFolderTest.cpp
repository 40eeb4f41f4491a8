#include "core/app/SamplesFolder.h"

#include <gtest/gtest.h>

#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"

namespace nuvo {
namespace {

std::filesystem::path Utf8Path(std::u8string_view text) { return std::filesystem::path(text); }

TEST(SamplesFolderTest, FirstStartWritesTheBundledFolderOnce) {
  CMemorySettings settings;
  CAppComm comm(settings);
  EXPECT_TRUE(GetSamplesFolder(comm).empty());

  const std::filesystem::path bundled = Utf8Path(u8"/opt/ぬぼ/share/nuvo/samples");
  EXPECT_TRUE(InstallSamplesFolder(comm, bundled));
  // The setting holds code page 932 text and reads back as the same path.
  EXPECT_EQ(comm.GetInstallationString("Samples"), Cp932("/opt/ぬぼ/share/nuvo/samples"));
  EXPECT_EQ(GetSamplesFolder(comm), bundled);

  // A folder the user (or an earlier start) chose is kept.
  EXPECT_FALSE(InstallSamplesFolder(comm, "/elsewhere"));
  EXPECT_EQ(GetSamplesFolder(comm), bundled);
}

TEST(SamplesFolderTest, PathOutsideCodePage932IsNotWritten) {
  CMemorySettings settings;
  CAppComm comm(settings);
  EXPECT_FALSE(InstallSamplesFolder(comm, Utf8Path(u8"/home/😀/samples")));
  EXPECT_FALSE(InstallSamplesFolder(comm, {}));
  EXPECT_FALSE(settings.ReadString("Installation", "Samples").has_value());
}

TEST(SamplesFolderTest, SampleIdSelectsFolderAndFile) {
  const std::filesystem::path folder = "/s";
  EXPECT_EQ(SampleFilePath(folder, 0), "/s/0000/0000.htm");
  EXPECT_EQ(SampleFilePath(folder, 0x0001000A), "/s/0001/000A.htm");
  EXPECT_EQ(SampleFilePath(folder, 0xFFFFFFFF), "/s/FFFF/FFFF.htm");
}

}  // namespace
}  // namespace nuvo
