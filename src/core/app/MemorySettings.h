#pragma once

#include <map>
#include <utility>

#include "core/app/SettingsBackend.h"

namespace nuvo {

// Settings held in memory only.
class CMemorySettings : public ISettingsBackend {
 public:
  std::optional<int> ReadInt(const std::string& section, const std::string& key) const override {
    auto it = ints_.find({section, key});
    return it == ints_.end() ? std::nullopt : std::optional<int>(it->second);
  }
  std::optional<std::string> ReadString(const std::string& section,
                                        const std::string& key) const override {
    auto it = strings_.find({section, key});
    return it == strings_.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  bool WriteInt(const std::string& section, const std::string& key, int value) override {
    ints_[{section, key}] = value;
    return true;
  }
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    strings_[{section, key}] = value;
    return true;
  }

 private:
  std::map<std::pair<std::string, std::string>, int> ints_;
  std::map<std::pair<std::string, std::string>, std::string> strings_;
};

}  // namespace nuvo
