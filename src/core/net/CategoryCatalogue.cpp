#include "core/net/CategoryCatalogue.h"

#include "core/app/AppOptions.h"

namespace nuvo {

std::uint32_t CategorySearchScope(const CAppOptions* options) {
  if (!options) return kAllCategoryParts;
  return static_cast<std::uint32_t>(options->findCategory) & 0x7FFFFF;
}

std::string CCategoryCatalogue::PartFileName(int index) {
  return std::string("NuvoRes") + static_cast<char>('A' + index) + ".cat";
}

const CCategoryPart* CCategoryCatalogue::Part(int index) {
  if (index < 0 || index >= kPartCount) return nullptr;
  std::optional<CCategoryPart>& part = parts_[index];
  if (!part) part = CCategoryPart::Load(folder_ / PartFileName(index));
  return part ? &*part : nullptr;
}

bool CCategoryCatalogue::FindCategory(const CCategoryQuery& query, std::uint32_t scope,
                                      const CategorySink& sink) {
  for (int index = 0; index < kPartCount; ++index) {
    if (!(scope & (1u << index))) continue;
    const CCategoryPart* part = Part(index);
    if (!part) return false;
    if (!part->Find(query, sink)) return true;
  }
  return true;
}

std::optional<std::string> CCategoryCatalogue::FindCategoryName(std::uint32_t id) {
  for (int index = 0; index < kPartCount; ++index) {
    if (std::optional<std::string> name = FindCategoryName(index, id)) return name;
  }
  return std::nullopt;
}

std::optional<std::string> CCategoryCatalogue::FindCategoryName(int index, std::uint32_t id) {
  const CCategoryPart* part = Part(index);
  const std::string* name = part ? part->FindName(id) : nullptr;
  if (!name || name->empty()) return std::nullopt;
  return *name;
}

}  // namespace nuvo
