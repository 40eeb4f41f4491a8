#pragma once

#include <cstdint>

// How edit commands tell the rest of the program what they changed. The shell's editor sheet and
// main frame implement the listener; the core never reaches a window itself. A command without a
// listener (nuvo-cli, tests) simply tells no one.
namespace nuvo {

// The change mask: which part of the listing a command changed.
namespace change {
inline constexpr std::uint32_t kTitle = 0x00000001;
inline constexpr std::uint32_t kSalesFormat = 0x00000002;
inline constexpr std::uint32_t kStartPrice = 0x00000004;
inline constexpr std::uint32_t kBuyNowPrice = 0x00000008;
inline constexpr std::uint32_t kQuantity = 0x00000010;
inline constexpr std::uint32_t kCategory = 0x00000020;
inline constexpr std::uint32_t kCondition = 0x00000040;
inline constexpr std::uint32_t kPhotos = 0x00010000;
inline constexpr std::uint32_t kShipMethods = 0x00020000;
inline constexpr std::uint32_t kShipServices = 0x00040000;
inline constexpr std::uint32_t kShipSheet = 0x00400000;
inline constexpr std::uint32_t kPostItems = 0x00800000;
inline constexpr std::uint32_t kPayItems = 0x01000000;
inline constexpr std::uint32_t kOtherItems = 0x02000000;
// Every part at once; always passed with no selection.
inline constexpr std::uint32_t kEverything = 0x03FF00FF;
}  // namespace change

// A preview request that regenerates the page at once instead of after the usual pause.
inline constexpr std::uint32_t kPreviewImmediately = 0x10000;
// What commands ask for: the usual pause.
inline constexpr std::uint32_t kPreviewDeferred = 1;

// The title box's selection packed as the sheet keeps it: start in the low 16 bits, end in the
// high 16 bits; -1 is no selection.
inline constexpr std::int32_t kNoSelection = -1;
constexpr std::int32_t PackSelection(std::uint16_t start, std::uint16_t end) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(end) << 16 | start);
}

class IDocumentListener {
 public:
  virtual ~IDocumentListener() = default;
  // Re-read the parts named by `mask`; for the title with a selection other than kNoSelection,
  // also select that range in the title box.
  virtual void NotifyChanged(std::uint32_t mask, std::int32_t selection) = 0;
  // Bring forward the control of the one part named by `mask`.
  virtual void NotifyFocus(std::uint32_t mask) = 0;
  // Regenerate the preview (after the usual pause, or at once with kPreviewImmediately).
  virtual void SchedulePreview(std::uint32_t flags) = 0;
  // Undo and redo may have become possible or impossible: refresh menus and tool bar.
  virtual void RefreshMenus() = 0;
};

}  // namespace nuvo
