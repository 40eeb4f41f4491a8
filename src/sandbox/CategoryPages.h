#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The category pages of the listing host: the top page "/jp/0-submit.html" and one page per
// category that has sub-categories, built from the project's category list (compiled in). A
// category without sub-categories is a link to the sell form with its number, which is how a
// seller picks it. Levels that the list names only as part of a path get page numbers of their
// own from 3000000000 up, so that every level can be walked.
namespace nuvo::sandbox {

class CCategoryPages {
 public:
  CCategoryPages(std::string listingUrl, std::string sellUrl);

  // The page body (UTF-8) of category `id` (0 for the top), or nullopt for an unknown number or
  // a category without sub-categories.
  std::optional<std::string> Page(std::uint64_t id) const;

 private:
  struct Node {
    std::uint64_t id = 0;
    std::string name;
    std::string path;
    std::vector<std::size_t> children;
  };

  std::size_t NodeFor(const std::string& path, std::uint64_t id);

  std::string listingUrl_;
  std::string sellUrl_;
  std::vector<Node> nodes_;  // nodes_[0] is the top
  std::map<std::string, std::size_t> byPath_;
  std::map<std::uint64_t, std::size_t> byId_;
  std::uint64_t nextSyntheticId_ = 3000000000;
};

}  // namespace nuvo::sandbox
