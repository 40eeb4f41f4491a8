#pragma once

#include <filesystem>

// The folder of batch journals in the user's data folder, shared by the desktop program and
// nuvo-cli so that each knows what the other listed.
namespace nuvo {

std::filesystem::path BatchJournalFolder();

}  // namespace nuvo
