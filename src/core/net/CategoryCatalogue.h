#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/net/CategoryPart.h"

// The program's category catalogue: 24 parts in one folder, "NuvoResA.cat" to "NuvoResX.cat",
// one per top-level category (the last holds the adult categories). Each part is read on first
// use and kept; a part that cannot be read is tried again on the next use. Owns the loaded parts.
namespace nuvo {

class CAppOptions;

// Every part takes part in a search.
inline constexpr std::uint32_t kAllCategoryParts = 0xFFFFFF;

// The parts a keyword search walks: parts 0 to 22 by their bit of "FindCategory"; the last part
// only when the program runs without application options.
std::uint32_t CategorySearchScope(const CAppOptions* options);

class CCategoryCatalogue {
 public:
  static constexpr int kPartCount = 24;

  explicit CCategoryCatalogue(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // "NuvoRes" + the letter of part `index` + ".cat".
  static std::string PartFileName(int index);

  // Walks the parts whose bit is set in `scope` in order, handing each match to `sink`. True when
  // every part was searched or the sink stopped the search; false when a part in scope could not
  // be read (the parts after it are not searched).
  bool FindCategory(const CCategoryQuery& query, std::uint32_t scope, const CategorySink& sink);
  // The path of category `id` from the first part that knows it; parts that cannot be read are
  // passed over. Nothing when no part knows the id.
  std::optional<std::string> FindCategoryName(std::uint32_t id);
  // The same, asking part `index` only.
  std::optional<std::string> FindCategoryName(int index, std::uint32_t id);

  // Part `index`, read now when it is not yet loaded; null when it cannot be read.
  const CCategoryPart* Part(int index);

 private:
  std::filesystem::path folder_;
  std::array<std::optional<CCategoryPart>, kPartCount> parts_;
};

}  // namespace nuvo
