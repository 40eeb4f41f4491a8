#pragma once

#include <optional>
#include <string>

// Where settings are kept: named sections of integer and text values. The desktop program keeps
// them with QSettings; tests and tools use CMemorySettings. Texts are code page 932.
namespace nuvo {

class ISettingsBackend {
 public:
  virtual ~ISettingsBackend() = default;
  virtual std::optional<int> ReadInt(const std::string& section, const std::string& key) const = 0;
  virtual std::optional<std::string> ReadString(const std::string& section,
                                                const std::string& key) const = 0;
  virtual bool WriteInt(const std::string& section, const std::string& key, int value) = 0;
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

}  // namespace nuvo
