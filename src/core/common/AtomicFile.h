#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// Replacing a file so that a crash or a full disk never leaves half of it: the new bytes go to a
// temporary file beside the target, reach the disk, and are renamed over the target.
namespace nuvo {

// Writes `pieces` one after another as the new content of `path`; the file keeps its old mode.
// Returns false, with `path` as it was, when any part of that failed.
bool ReplaceFileAtomically(const std::filesystem::path& path,
                           const std::vector<std::span<const std::uint8_t>>& pieces);

}  // namespace nuvo
