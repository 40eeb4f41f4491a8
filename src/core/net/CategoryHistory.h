#pragma once

#include <string>
#include <vector>

#include "core/app/AppComm.h"
#include "core/net/CategoryItem.h"

// The categories the seller chose last, most recent first, at most 20. The list lives in the
// section of the editor sheet ("HisCategory%02d" numbers, "HisCategoryName%02d" names, from 01),
// which the sheet's category box and the category dialog share.
namespace nuvo {

class CCategoryHistory {
 public:
  static constexpr int kMaxEntries = 20;
  static constexpr int kSettingsId = 132;

  // Reads entries 01 to 20; the first empty name ends the list.
  void Load(const CAppComm& app);
  // Writes all 20 numbers, blanking those beyond the list.
  void Save(CAppComm& app) const;

  // Puts `item` first, dropping an equal entry further down and whatever falls beyond 20.
  void Add(const CategoryItem& item);

  const std::vector<CategoryItem>& Entries() const { return entries_; }

 private:
  std::vector<CategoryItem> entries_;
};

}  // namespace nuvo
