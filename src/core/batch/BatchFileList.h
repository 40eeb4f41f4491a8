#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

// The listing files a seller collects for a batch, in the order they will be submitted: absolute
// paths of ".nvd" files, each at most once. Adding answers with the message the seller should
// see, so the batch dialog and nuvo-cli refuse the same things with the same words.
namespace nuvo {

class CBatchFileList {
 public:
  // Appends `files` in the order given. Files that are not listing files are refused, files
  // already in the list are passed over. Returns the id of the message to show, 0 for none.
  int AddFiles(const std::vector<std::filesystem::path>& files);
  // Appends the listing files of `folder` and all its subfolders, in name order.
  int AddFolder(const std::filesystem::path& folder);

  // Removes the items at `indices` (any order, repeats allowed).
  void Remove(std::vector<std::size_t> indices);
  // Swaps the item at `index` with its neighbour; false at the edge.
  bool MoveUp(std::size_t index);
  bool MoveDown(std::size_t index);

  const std::vector<std::filesystem::path>& Paths() const { return paths_; }
  std::size_t Count() const { return paths_.size(); }

 private:
  std::vector<std::filesystem::path> paths_;
};

// Whether `path` is named as a listing file.
bool IsListingFileName(const std::filesystem::path& path);

}  // namespace nuvo
