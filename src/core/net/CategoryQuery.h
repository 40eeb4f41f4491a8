#pragma once

#include <string>
#include <string_view>
#include <vector>

// The words of a category search, folded once so that every category is compared cheaply.
namespace nuvo {

class CCategoryQuery {
 public:
  // `utf8` holds the words separated by spaces (half- or full-width) or tabs.
  explicit CCategoryQuery(std::string_view utf8);

  bool Empty() const { return words_.empty(); }
  // Every word occurs somewhere in the folded path `key`.
  bool Matches(std::string_view key) const;
  // How many of the words occur in `text` (a part of a folded path).
  int CountIn(std::string_view text) const;

 private:
  std::vector<std::string> words_;
};

}  // namespace nuvo
