#include "core/app/SamplesFolder.h"

#include <cstdio>
#include <optional>
#include <string>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

const std::string kSamplesKey = "Samples";

// Settings texts are code page 932; paths are handed to the file system as UTF-8.
std::string Utf8Text(const std::u8string& text) { return std::string(text.begin(), text.end()); }

std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

bool InstallSamplesFolder(CAppComm& comm, const std::filesystem::path& bundled) {
  if (!comm.GetInstallationString(kSamplesKey).empty() || bundled.empty()) return false;
  std::optional<std::string> text = Cp932FromUtf8(Utf8Text(bundled.u8string()));
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
