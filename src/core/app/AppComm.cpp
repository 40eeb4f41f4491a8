#include "core/app/AppComm.h"

#include "core/common/StringTable.h"

namespace nuvo {
namespace {
const std::string kDefault = "Default";
const std::string kSettings = "Settings";
const std::string kInstallation = "Installation";

std::string UserColorKey(int number) { return "UserColor" + std::to_string(number); }
}  // namespace

int CAppComm::GetProfileInt(const std::string& section, const std::string& key,
                            int defaultValue) const {
  return backend_.ReadInt(section, key).value_or(defaultValue);
}

bool CAppComm::WriteProfileInt(const std::string& section, const std::string& key, int value) {
  return backend_.WriteInt(section, key, value);
}

std::string CAppComm::GetProfileString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
  return backend_.ReadString(section, key).value_or(defaultValue);
}

bool CAppComm::WriteProfileString(const std::string& section, const std::string& key,
                                  const std::string& value) {
  return backend_.WriteString(section, key, value);
}

int CAppComm::GetDefaultInt(const std::string& key, int defaultValue) const {
  return GetProfileInt(kDefault, key, defaultValue);
}

bool CAppComm::WriteDefaultInt(const std::string& key, int value) {
  return WriteProfileInt(kDefault, key, value);
}

int CAppComm::GetSettingsInt(const std::string& key, int defaultValue) const {
  return GetProfileInt(kSettings, key, defaultValue);
}

bool CAppComm::WriteSettingsInt(const std::string& key, int value) {
  return WriteProfileInt(kSettings, key, value);
}

std::string CAppComm::GetSettingsString(const std::string& key,
                                        const std::string& defaultValue) const {
  return GetProfileString(kSettings, key, defaultValue);
}

std::string CAppComm::GetSettingsString(const std::string& key, int defaultId) const {
  if (auto stored = backend_.ReadString(kSettings, key)) return *stored;
  return defaultId == 0 ? std::string() : LoadString(defaultId);
}

bool CAppComm::WriteSettingsString(const std::string& key, const std::string& value) {
  return WriteProfileString(kSettings, key, value);
}

std::string CAppComm::GetInstallationString(const std::string& key,
                                            const std::string& defaultValue) const {
  return GetProfileString(kInstallation, key, defaultValue);
}

bool CAppComm::WriteInstallationString(const std::string& key, const std::string& value) {
  return WriteProfileString(kInstallation, key, value);
}

int CAppComm::GetUserColor(int number, int defaultColor) const {
  return GetDefaultInt(UserColorKey(number), defaultColor);
}

bool CAppComm::WriteUserColor(int number, int color) {
  return WriteDefaultInt(UserColorKey(number), color);
}

}  // namespace nuvo
