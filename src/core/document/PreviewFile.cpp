#include "core/document/PreviewFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "core/document/NuvoDoc.h"

namespace nuvo {
namespace {

// Enough of a photo file's start to tell its kind by.
constexpr std::size_t kPhotoSignatureBytes = 16;

bool StartsWith(std::span<const std::uint8_t> data, std::string_view magic, std::size_t at = 0) {
  return data.size() >= at + magic.size() &&
         std::equal(magic.begin(), magic.end(), data.begin() + at,
                    [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

// Writes `bytes` to a file beside `target` and renames it over the target once it is complete.
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const char> bytes) {
  std::filesystem::path part = target;
  part += ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(part, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(part, target, error);
  if (!error) return true;
  std::filesystem::remove(part, error);
  return false;
}

bool HasSize(const std::filesystem::path& path, std::size_t size) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const auto actual = std::filesystem::file_size(path, error);
  return !error && actual == size;
}

}  // namespace

std::string_view PhotoExtension(std::span<const std::uint8_t> data) {
  if (StartsWith(data, "GIF8")) return "gif";
  if (StartsWith(data, "\xFF\xD8\xFF")) return "jpg";
  if (StartsWith(data, "\x89PNG\r\n\x1A\n")) return "png";
  if (StartsWith(data, "BM")) return "bmp";
  if (StartsWith(data, "RIFF") && StartsWith(data, "WEBP", 8)) return "webp";
  return "dat";
}

std::filesystem::path PreviewFilePath(const std::filesystem::path& workName) {
  std::filesystem::path path = workName;
  path += ".htm";
  return path;
}

std::filesystem::path PhotoFilePath(const std::filesystem::path& workName, std::size_t index,
                                    std::span<const std::uint8_t> data) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "_%02zu.", index + 1);
  std::filesystem::path path = workName;
  path += suffix;
  path += PhotoExtension(data);
  return path;
}

bool WritePreviewFile(const CNuvoDoc& doc, const std::filesystem::path& workName,
                      CPageOptions options) {
  if (workName.empty() || !workName.has_filename()) return false;
  const std::vector<CPhotoData>& photos = doc.GetPhotoData();
  options.photoFiles.assign(photos.size(), std::string());
  for (std::size_t i = 0; i < photos.size(); ++i) {
    if (photos[i].IsEmpty()) continue;
    // The name needs only the first bytes; the whole photo is read when its file is missing.
    auto start = photos[i].Read(kPhotoSignatureBytes);
    if (!start) return false;
    const std::filesystem::path path = PhotoFilePath(workName, i, *start);
    if (!HasSize(path, photos[i].Size())) {
      auto bytes = photos[i].Read();
      if (!bytes ||
          !WriteFileAtomically(
              path, std::span(reinterpret_cast<const char*>(bytes->data()), bytes->size()))) {
        return false;
      }
    }
    // The page lies in the same folder, so the bare file name refers to the photo.
    options.photoFiles[i] = path.filename().string();
  }
  const std::string page = GetPageHtml(doc, options);
  return WriteFileAtomically(PreviewFilePath(workName), page);
}

}  // namespace nuvo
