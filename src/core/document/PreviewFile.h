#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/document/PageComposer.h"

// The preview's work files: the listing's page and its photo files, side by side in the work
// folder, under names the program makes from its work name. Nothing stored in a listing takes
// part in a file name, so no listing can make the preview write outside the work folder.
namespace nuvo {

class CNuvoDoc;

// The file name extension that fits a photo's data, told from its first bytes: "gif", "jpg",
// "png", "bmp" or "webp"; "dat" for data of no known image format.
std::string_view PhotoExtension(std::span<const std::uint8_t> data);

// The page: the work name followed by ".htm".
std::filesystem::path PreviewFilePath(const std::filesystem::path& workName);

// Photo `index` (counting from 0): the work name, "_", the photo's number from 01 and the
// extension of its data ("/tmp/Ab3dE9xz_01.jpg").
std::filesystem::path PhotoFilePath(const std::filesystem::path& workName, std::size_t index,
                                    std::span<const std::uint8_t> data);

// Writes the listing's page for the preview and its photo files. A photo file is written only
// when it is missing or its size differs from the photo's. Each file is written beside its
// target and renamed over it once complete, and the photos go first, so a failure leaves the
// previous preview whole. False without a work name or when a file cannot be written.
bool WritePreviewFile(const CNuvoDoc& doc, const std::filesystem::path& workName,
                      CPageOptions options = {});

}  // namespace nuvo
