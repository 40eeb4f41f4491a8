#include "core/app/AppComm.h"

#include "core/common/StringTable.h"

namespace nuvo {
namespace {
const std::string kDefault = "Default";
const std::string kSettings = "Settings";
const std::string kInstallation = "Installation";
}  // namespace

int CAppComm::GetDefaultInt(const std::string& key, int defaultValue) const {
  return backend_.ReadInt(kDefault, key).value_or(defaultValue);
}

bool CAppComm::WriteDefaultInt(const std::string& key, int value) {
  return backend_.WriteInt(kDefault, key, value);
}

int CAppComm::GetSettingsInt(const std::string& key, int defaultValue) const {
  return backend_.ReadInt(kSettings, key).value_or(defaultValue);
}

bool CAppComm::WriteSettingsInt(const std::string& key, int value) {
  return backend_.WriteInt(kSettings, key, value);
}

std::string CAppComm::GetSettingsString(const std::string& key,
                                        const std::string& defaultValue) const {
  return backend_.ReadString(kSettings, key).value_or(defaultValue);
}

std::string CAppComm::GetSettingsString(const std::string& key, int defaultId) const {
  if (auto stored = backend_.ReadString(kSettings, key)) return *stored;
  return defaultId == 0 ? std::string() : LoadString(defaultId);
}

bool CAppComm::WriteSettingsString(const std::string& key, const std::string& value) {
  return backend_.WriteString(kSettings, key, value);
}

std::string CAppComm::GetInstallationString(const std::string& key,
                                            const std::string& defaultValue) const {
  return backend_.ReadString(kInstallation, key).value_or(defaultValue);
}

bool CAppComm::WriteInstallationString(const std::string& key, const std::string& value) {
  return backend_.WriteString(kInstallation, key, value);
}

}  // namespace nuvo
