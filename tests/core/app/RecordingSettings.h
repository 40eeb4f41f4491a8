#pragma once

#include <string>
#include <vector>

#include "core/app/MemorySettings.h"

// Settings in memory that also record the key of every write, as "Section/Key".
class RecordingSettings : public nuvo::CMemorySettings {
 public:
  bool WriteInt(const std::string& section, const std::string& key, int value) override {
    writes.push_back(section + "/" + key);
    return CMemorySettings::WriteInt(section, key, value);
  }
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    writes.push_back(section + "/" + key);
    return CMemorySettings::WriteString(section, key, value);
  }

  std::vector<std::string> writes;
};
