#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// How the listing tells the rest of the program what its edits changed. The shell's main frame
// implements the listener and registers with the listing; the core never reaches a window itself.
// A listing without listeners (nuvo-cli, tests) simply tells no one.
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

// The listeners of one listing: every notice goes to each of them in the order they registered.
// Links them without owning them; a listener removes itself before it goes away.
class CDocumentListeners final : public IDocumentListener {
 public:
  void Add(IDocumentListener* listener) { listeners_.push_back(listener); }
  void Remove(IDocumentListener* listener) { std::erase(listeners_, listener); }

  void NotifyChanged(std::uint32_t mask, std::int32_t selection) override {
    for (IDocumentListener* listener : Snapshot()) listener->NotifyChanged(mask, selection);
  }
  void NotifyFocus(std::uint32_t mask) override {
    for (IDocumentListener* listener : Snapshot()) listener->NotifyFocus(mask);
  }
  void SchedulePreview(std::uint32_t flags) override {
    for (IDocumentListener* listener : Snapshot()) listener->SchedulePreview(flags);
  }
  void RefreshMenus() override {
    for (IDocumentListener* listener : Snapshot()) listener->RefreshMenus();
  }

 private:
  // A listener may register or leave while it is being told something.
  std::vector<IDocumentListener*> Snapshot() const { return listeners_; }

  std::vector<IDocumentListener*> listeners_;
};

}  // namespace nuvo
