#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <variant>
#include <vector>

#include "core/common/ReadOnlyFile.h"

// Replacing a file so that a crash or a full disk never leaves half of it: the new bytes go to a
// temporary file beside the target, reach the disk, and are renamed over the target.
namespace nuvo {

// `size` bytes of an open file from `offset`, copied into the new file inside the kernel where
// it can, so that they never pass through memory.
struct FileRange {
  const CReadOnlyFile* file = nullptr;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

// One part of the new content: bytes in memory or a range of another file.
using ContentPiece = std::variant<std::span<const std::uint8_t>, FileRange>;

// Writes `pieces` one after another as the new content of `path`; the file keeps its old mode.
// Returns false, with `path` as it was, when any part of that failed, a range of another file
// among it too: one that no longer holds all its bytes is never written short.
bool ReplaceFileAtomically(const std::filesystem::path& path,
                           const std::vector<ContentPiece>& pieces);

}  // namespace nuvo
