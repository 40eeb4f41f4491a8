#include "core/app/SamplesFolder.h"

#include <cstdio>
#include <optional>
#include <string>

#include "core/common/Encoding.h"
#include "core/common/PathText.h"

namespace nuvo {
namespace {

const std::string kSamplesKey = "Samples";

}  // namespace

bool InstallSamplesFolder(CAppComm& comm, const std::filesystem::path& bundled) {
  if (!comm.GetInstallationString(kSamplesKey).empty() || bundled.empty()) return false;
  std::optional<std::string> text = Cp932FromUtf8(PathUtf8(bundled));
  return text && comm.WriteInstallationString(kSamplesKey, *text);
}

std::filesystem::path GetSamplesFolder(const CAppComm& comm) {
  return PathFromUtf8(Utf8FromCp932(comm.GetInstallationString(kSamplesKey)));
}

std::filesystem::path SampleFilePath(const std::filesystem::path& folder, std::uint32_t sampleId) {
  char folderName[8];
  char fileName[12];
  std::snprintf(folderName, sizeof folderName, "%04X", static_cast<unsigned>(sampleId >> 16));
  std::snprintf(fileName, sizeof fileName, "%04X.htm", static_cast<unsigned>(sampleId & 0xFFFF));
  return folder / folderName / fileName;
}

}  // namespace nuvo
