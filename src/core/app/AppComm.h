#pragma once

#include <string>

#include "core/app/SettingsBackend.h"

// Typed access to the program's settings: the sections "Settings", "Default" and "Installation",
// and any named section through the profile calls. A missing key yields the caller's default;
// reading never writes. Holds a link to the backend, which the caller owns.
namespace nuvo {

class CAppComm {
 public:
  explicit CAppComm(ISettingsBackend& backend) : backend_(backend) {}

  int GetProfileInt(const std::string& section, const std::string& key, int defaultValue) const;
  bool WriteProfileInt(const std::string& section, const std::string& key, int value);
  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& defaultValue = {}) const;
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value);

  int GetDefaultInt(const std::string& key, int defaultValue) const;
  bool WriteDefaultInt(const std::string& key, int value);
  int GetSettingsInt(const std::string& key, int defaultValue) const;
  bool WriteSettingsInt(const std::string& key, int value);
  std::string GetSettingsString(const std::string& key, const std::string& defaultValue = {}) const;
  // The second form: the default is the string table's text of `defaultId` (0: empty).
  std::string GetSettingsString(const std::string& key, int defaultId) const;
  bool WriteSettingsString(const std::string& key, const std::string& value);
  std::string GetInstallationString(const std::string& key,
                                    const std::string& defaultValue = {}) const;
  bool WriteInstallationString(const std::string& key, const std::string& value);

  // The user's own colour slots "UserColor1", "UserColor2", ... in the section "Default".
  int GetUserColor(int number, int defaultColor) const;
  bool WriteUserColor(int number, int color);

  ISettingsBackend& Backend() const { return backend_; }

 private:
  ISettingsBackend& backend_;
};

}  // namespace nuvo
