#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/common/Encoding.h"
#include "core/net/CategoryCatalogue.h"
#include "core/net/CategorySearch.h"
#include "gui/app/BundledCategories.h"

// nuvo-cli category search WORDS...: the categories whose path holds every word, best first, one
//   "id<TAB>path" line each, searching the parts that "FindCategory" selects as the window does.
//   Exit 1 when a part of the catalogue could not be read (what was found is still printed).
// nuvo-cli category name ID: the path of category ID; exit 1 when no part knows it.
namespace nuvo::cli {
namespace {

int Search(const GlobalOptions& options, CCategoryCatalogue& catalogue,
           const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += word + " ";
  CRunSettings settings(options);
  CAppOptions appOptions;
  appOptions.Load(CAppComm(settings));
  const CategorySearchResult result =
      SearchCategories(catalogue, text, CategorySearchScope(&appOptions));
  for (const CategoryEntry& entry : result.matches) {
    std::printf("%u\t%s\n", entry.id, Utf8FromCp932(entry.name).c_str());
  }
  if (result.complete) return kExitOk;
  std::fprintf(stderr, "nuvo-cli: the category catalogue is incomplete\n");
  return kExitFailed;
}

int Name(CCategoryCatalogue& catalogue, const std::string& text) {
  std::uint32_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (error != std::errc() || end != text.data() + text.size()) return kExitUsage;
  std::optional<std::string> name = catalogue.FindCategoryName(id);
  if (!name) {
    std::fprintf(stderr, "nuvo-cli: no category %u\n", id);
    return kExitFailed;
  }
  std::printf("%s\n", Utf8FromCp932(*name).c_str());
  return kExitOk;
}

}  // namespace

int Category(const GlobalOptions& options, const std::vector<std::string>& args) {
  if (args.size() < 2) return kExitUsage;
  CCategoryCatalogue catalogue(BundledCategoriesFolder());
  if (args[0] == "search") {
    return Search(options, catalogue, std::vector<std::string>(args.begin() + 1, args.end()));
  }
  if (args[0] == "name" && args.size() == 2) return Name(catalogue, args[1]);
  return kExitUsage;
}

}  // namespace nuvo::cli
