#pragma once

#include <cstdint>
#include <vector>

#include "core/document/DocumentListener.h"

// A document listener for tests: keeps every notification in order.
class RecordingListener : public nuvo::IDocumentListener {
 public:
  struct Changed {
    std::uint32_t mask;
    std::int32_t selection;
    friend bool operator==(const Changed&, const Changed&) = default;
  };

  void NotifyChanged(std::uint32_t mask, std::int32_t selection) override {
    changed.push_back({mask, selection});
  }
  void NotifyFocus(std::uint32_t mask) override { focused.push_back(mask); }
  void SchedulePreview(std::uint32_t flags) override { previews.push_back(flags); }
  void RefreshMenus() override { ++menuRefreshes; }

  void Reset() { *this = RecordingListener(); }

  std::vector<Changed> changed;
  std::vector<std::uint32_t> focused;
  std::vector<std::uint32_t> previews;
  int menuRefreshes = 0;
};
