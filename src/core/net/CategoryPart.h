#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One part of the category catalogue: the categories under one top-level category, read from
// the part file that the build makes from the project's category data. Owns its entries.
//
// The file is text so that it diffs and loads simply: the line "NuvoCategoryPart<TAB>1", then
// one line per category "id<TAB>depth<TAB>leaf<TAB>path<TAB>search key", the path in code page
// 932 with its levels joined by " > ", the key the path's UTF-8 form folded by FoldForSearch.
namespace nuvo {

struct CategoryEntry {
  std::uint32_t id = 0;
  std::string name;  // the path of names, code page 932
  std::string key;   // the folded UTF-8 path that searches compare with
  int depth = 1;     // 1 for a top-level category
  bool leaf = true;  // no category lies below it: a listing can use it

  bool operator==(const CategoryEntry&) const = default;
};

// Receives each category a search finds; returning false stops the search.
using CategorySink = std::function<bool(const CategoryEntry&)>;

class CCategoryQuery;

class CCategoryPart {
 public:
  // Nothing when the file is missing, unreadable or not a part file.
  static std::optional<CCategoryPart> Load(const std::filesystem::path& file);
  // Writes the part through a temporary file renamed into place; false when that failed.
  static bool Save(const std::filesystem::path& file, const std::vector<CategoryEntry>& entries);

  explicit CCategoryPart(std::vector<CategoryEntry> entries);

  // The path of category `id`, or null when this part does not hold it.
  const std::string* FindName(std::uint32_t id) const;
  // Hands every entry that matches `query` to `sink` in file order; false when the sink stopped.
  bool Find(const CCategoryQuery& query, const CategorySink& sink) const;

  const std::vector<CategoryEntry>& Entries() const { return entries_; }

 private:
  std::vector<CategoryEntry> entries_;
  std::vector<std::uint32_t> byId_;  // entry indices ordered by category id
};

}  // namespace nuvo
