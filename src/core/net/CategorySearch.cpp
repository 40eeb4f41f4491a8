#include "core/net/CategorySearch.h"

#include <algorithm>
#include <charconv>

#include "core/net/CategoryQuery.h"
#include "core/net/SearchFold.h"

namespace nuvo {
namespace {

// The last level of a folded path: the category's own name.
std::string_view OwnName(std::string_view key) {
  const std::size_t separator = key.rfind(" > ");
  return separator == std::string_view::npos ? key : key.substr(separator + 3);
}

struct Ranked {
  int ownHits;
  const CategoryEntry* entry;
};

}  // namespace

CategorySearchResult SearchCategories(CCategoryCatalogue& catalogue, std::string_view utf8Words,
                                      std::uint32_t scope) {
  CategorySearchResult result;
  const CCategoryQuery query(utf8Words);
  if (query.Empty()) return result;
  std::vector<Ranked> ranked;
  result.complete = catalogue.FindCategory(query, scope, [&](const CategoryEntry& entry) {
    ranked.push_back({query.CountIn(OwnName(entry.key)), &entry});
    return true;
  });
  std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    if (a.entry->leaf != b.entry->leaf) return a.entry->leaf;
    if (a.ownHits != b.ownHits) return a.ownHits > b.ownHits;
    return a.entry->depth > b.entry->depth;
  });
  result.matches.reserve(ranked.size());
  for (const Ranked& r : ranked) result.matches.push_back(*r.entry);
  return result;
}

std::optional<std::uint32_t> ParseCategoryNumber(std::string_view utf8) {
  const std::string folded = FoldForSearch(utf8);
  const std::size_t start = folded.find_first_not_of(" \t");
  if (start == std::string::npos) return std::nullopt;
  const std::size_t end = folded.find_last_not_of(" \t") + 1;
  std::uint32_t number = 0;
  const auto [stop, error] = std::from_chars(folded.data() + start, folded.data() + end, number);
  if (error != std::errc() || stop != folded.data() + end || number == 0 || number > 0x7FFFFFFF) {
    return std::nullopt;
  }
  return number;
}

}  // namespace nuvo
