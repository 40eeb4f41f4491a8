#pragma once

#include <cstdint>
#include <string>

// A category as the seller's lists keep it: the service's number and its path of names (code
// page 932).
namespace nuvo {

struct CategoryItem {
  std::int32_t id = 0;
  std::string name;

  bool operator==(const CategoryItem&) const = default;
};

}  // namespace nuvo
