#pragma once

#include <filesystem>

// Where the sample page templates that ship with the program are: the installed folder
// "<application dir>/../share/nuvo/samples" when it exists, else the build tree's folder, so that
// programs run from the build tree find the samples the build converted. Needs a
// QCoreApplication. Give the result to InstallSamplesFolder at start.
namespace nuvo {

std::filesystem::path BundledSamplesFolder();

}  // namespace nuvo
