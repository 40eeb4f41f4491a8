#pragma once

#include <cstdint>
#include <filesystem>

#include "core/app/AppComm.h"

// Where the sample page templates ("ぬぼ型" samples) live: the folder named by "Samples" of
// section "Installation", and the file of each sample id inside it.
namespace nuvo {

// Writes `bundled` (the samples folder that ships with the program) to "Samples" when that
// value is empty or missing, as the first start of the program does. True when it wrote; false
// when a folder was already set, or when the path has a character that code page 932 cannot
// hold (the setting is left empty then) or the write failed.
bool InstallSamplesFolder(CAppComm& comm, const std::filesystem::path& bundled);

// The folder named by "Samples"; empty when none is set.
std::filesystem::path GetSamplesFolder(const CAppComm& comm);

// The template file of sample `sampleId` in `folder`: the sub-folder "%04X" of the id's high
// 16 bits and the file "%04X.htm" of its low 16 bits.
std::filesystem::path SampleFilePath(const std::filesystem::path& folder, std::uint32_t sampleId);

}  // namespace nuvo
