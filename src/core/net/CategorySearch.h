#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/net/CategoryCatalogue.h"

// The keyword search of the category dialog and of nuvo-cli: every category whose path holds all
// the words, best first.
namespace nuvo {

struct CategorySearchResult {
  std::vector<CategoryEntry> matches;
  // False when a part in scope could not be read: the matches cover the parts before it only.
  bool complete = true;
};

// Searches the parts of `scope` for `utf8Words`. The categories a listing can use (those with
// nothing below them) come first; among them those whose own name holds more of the words, then
// the deeper ones; ties keep the catalogue's order. No words find nothing.
CategorySearchResult SearchCategories(CCategoryCatalogue& catalogue, std::string_view utf8Words,
                                      std::uint32_t scope);

// The number a seller typed for a category, in half- or full-width digits with spaces around it;
// nothing when the text is no category number.
std::optional<std::uint32_t> ParseCategoryNumber(std::string_view utf8);

}  // namespace nuvo
