#include "core/batch/BatchFileList.h"

#include <algorithm>
#include <system_error>

#include "core/common/AsciiCase.h"
#include "core/common/MessageIds.h"

namespace nuvo {
namespace {

std::filesystem::path Normalised(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return (error ? path : absolute).lexically_normal();
}

}  // namespace

bool IsListingFileName(const std::filesystem::path& path) {
  return AsciiLower(path.extension().string()) == ".nvd";
}

int CBatchFileList::AddFiles(const std::vector<std::filesystem::path>& files) {
  bool refused = false;
  std::size_t repeated = 0;
  for (const std::filesystem::path& file : files) {
    if (!IsListingFileName(file)) {
      refused = true;
      continue;
    }
    const std::filesystem::path path = Normalised(file);
    if (std::find(paths_.begin(), paths_.end(), path) != paths_.end()) {
      ++repeated;
      continue;
    }
    paths_.push_back(path);
  }
  if (refused) return IDS_BATCH_NOT_NUVO_FILE;
  if (repeated == 0) return 0;
  if (files.size() == 1) return IDS_BATCH_ALREADY_LISTED;
  return repeated == files.size() ? IDS_BATCH_ALL_ALREADY_LISTED : 0;
}

int CBatchFileList::AddFolder(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  const auto options = std::filesystem::directory_options::skip_permission_denied;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, options, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (IsListingFileName(it->path()) && it->is_regular_file(error)) found.push_back(it->path());
  }
  if (found.empty()) return IDS_BATCH_FOLDER_EMPTY;
  std::sort(found.begin(), found.end());
  return AddFiles(found);
}

void CBatchFileList::Remove(std::vector<std::size_t> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
    if (*it < paths_.size()) paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(*it));
  }
}

bool CBatchFileList::MoveUp(std::size_t index) {
  if (index == 0 || index >= paths_.size()) return false;
  std::swap(paths_[index - 1], paths_[index]);
  return true;
}

bool CBatchFileList::MoveDown(std::size_t index) {
  if (index + 1 >= paths_.size()) return false;
  std::swap(paths_[index], paths_[index + 1]);
  return true;
}

}  // namespace nuvo
