#include "core/app/DialogPlacement.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace nuvo {
namespace {

// The comma-separated integers of `text`, or nothing when one of them is not an integer.
std::vector<int> Integers(std::string_view text) {
  std::vector<int> values;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    int value = 0;
    auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
    if (error != std::errc() || end != item.data() + item.size()) return {};
    values.push_back(value);
    if (comma == std::string_view::npos) return values;
    text.remove_prefix(comma + 1);
  }
}

// `start` moved just enough that `length` fits between `low` and `low + room`.
int Fit(int start, int length, int low, int room) {
  return std::clamp(start, low, low + std::max(0, room - length));
}

}  // namespace

void CDialogPlacement::Read(std::string_view text) {
  const std::vector<int> values = Integers(text);
  if (values.size() != 5) return;
  choice_ = values[0] >= 0 && values[0] <= static_cast<int>(PlacementChoice::kLastPosition)
                ? static_cast<PlacementChoice>(values[0])
                : PlacementChoice::kCentreOnOwner;
  last_ = values[3] >= 1 && values[4] >= 1 ? WindowRect{values[1], values[2], values[3], values[4]}
                                           : WindowRect{};
}

std::string CDialogPlacement::ToString() const {
  return std::to_string(static_cast<int>(choice_)) + ',' + std::to_string(last_.left) + ',' +
         std::to_string(last_.top) + ',' + std::to_string(last_.width) + ',' +
         std::to_string(last_.height);
}

void CDialogPlacement::Remember(const WindowRect& rect, const WindowRect& workArea) {
  if (rect.width < 1 || rect.height < 1) return;
  last_ = {rect.left - workArea.left, rect.top - workArea.top, rect.width, rect.height};
}

WindowRect CDialogPlacement::Place(const WindowRect& owner, const WindowRect& workArea) const {
  const bool placed = last_.width > 0;
  WindowRect rect;
  rect.width = std::min(placed ? last_.width : defaultWidth_, workArea.width);
  rect.height = std::min(placed ? last_.height : defaultHeight_, workArea.height);

  if (choice_ == PlacementChoice::kLastPosition && placed) {
    rect.left = workArea.left + last_.left;
    rect.top = workArea.top + last_.top;
  } else if (choice_ == PlacementChoice::kCentreOnOwner && owner.width > 0 && owner.height > 0) {
    rect.left = owner.left + (owner.width - rect.width) / 2;
    rect.top = owner.top + (owner.height - rect.height) / 2;
  } else {
    rect.left = workArea.left + (workArea.width - rect.width) / 2;
    rect.top = workArea.top + (workArea.height - rect.height) / 2;
  }
  // A dialog half off the screen hides its buttons; a screen that went away since it was left
  // there must not lose it.
  rect.left = Fit(rect.left, rect.width, workArea.left, workArea.width);
  rect.top = Fit(rect.top, rect.height, workArea.top, workArea.height);
  return rect;
}

}  // namespace nuvo
