#pragma once

#include <string>
#include <vector>

#include "core/app/AppComm.h"
#include "core/net/CategoryItem.h"

// The categories the seller keeps at hand in the category dialog, in the seller's order, in the
// dialog's section: "CategoryNum" entries of "Category%03d" (number) and "CategoryName%03d".
namespace nuvo {

// The section of the category dialog's remembered values.
inline const std::string kCategoryDialogSection = "AuctionCategory";

class CCategoryBookmarks {
 public:
  void Load(const CAppComm& app);
  // Writes the count and the entries, blanking entries that a longer list left behind.
  void Save(CAppComm& app) const;

  // Adds `item` at the end unless an entry has its number already; true when added.
  bool Add(const CategoryItem& item);
  void Remove(std::size_t index);

  const std::vector<CategoryItem>& Entries() const { return entries_; }

 private:
  std::vector<CategoryItem> entries_;
  int savedCount_ = 0;  // entries present in the settings when they were read
};

}  // namespace nuvo
