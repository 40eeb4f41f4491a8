#include "core/app/DialogSettings.h"

#include <cstdint>

#include "core/common/MessageFormat.h"

namespace nuvo {

std::string DialogSection(int resourceId) { return "Dialog\\" + std::to_string(resourceId); }

int CDialogSettings::GetDialogInt(const std::string& key, int defaultValue) const {
  return app_.GetProfileInt(section_, key, defaultValue);
}

std::string CDialogSettings::GetDialogString(const std::string& key,
                                             const std::string& defaultValue) const {
  return app_.GetProfileString(section_, key, defaultValue);
}

bool CDialogSettings::WriteDialogInt(const std::string& key, int value) {
  return app_.WriteProfileInt(section_, key, value);
}

bool CDialogSettings::WriteDialogString(const std::string& key, const std::string& value) {
  return app_.WriteProfileString(section_, key, value);
}

bool CDialogSettings::GetDialogStringList(std::string_view keyFormat,
                                          std::vector<std::string>& list, int count,
                                          const std::string& defaultValue) const {
  if (count != -1) {
    if (count < 1) return false;
    list.resize(static_cast<std::size_t>(count));
  }
  bool ended = false;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (ended) {
      list[i].clear();
      continue;
    }
    std::string key = FormatMessageText(keyFormat, {static_cast<std::int64_t>(i + 1)});
    list[i] = GetDialogString(key, defaultValue);
    ended = list[i].empty();
  }
  return !list.empty();
}

bool CDialogSettings::WriteDialogStringList(std::string_view keyFormat,
                                            const std::vector<std::string>& list, int count,
                                            const std::string& filler) {
  std::size_t total = count < 0 ? list.size() : static_cast<std::size_t>(count);
  bool written = true;
  for (std::size_t i = 0; i < total; ++i) {
    std::string key = FormatMessageText(keyFormat, {static_cast<std::int64_t>(i + 1)});
    written = WriteDialogString(key, i < list.size() ? list[i] : filler) && written;
  }
  return written;
}

int GetDialogInt(CAppComm& app, int resourceId, const std::string& key, int defaultValue) {
  return CDialogSettings(app, resourceId).GetDialogInt(key, defaultValue);
}

std::string GetDialogString(CAppComm& app, int resourceId, const std::string& key,
                            const std::string& defaultValue) {
  return CDialogSettings(app, resourceId).GetDialogString(key, defaultValue);
}

bool WriteDialogInt(CAppComm& app, int resourceId, const std::string& key, int value) {
  return CDialogSettings(app, resourceId).WriteDialogInt(key, value);
}

bool WriteDialogString(CAppComm& app, int resourceId, const std::string& key,
                       const std::string& value) {
  return CDialogSettings(app, resourceId).WriteDialogString(key, value);
}

bool GetDialogStringList(CAppComm& app, int resourceId, std::string_view keyFormat,
                         std::vector<std::string>& list, int count,
                         const std::string& defaultValue) {
  return CDialogSettings(app, resourceId).GetDialogStringList(keyFormat, list, count, defaultValue);
}

bool WriteDialogStringList(CAppComm& app, int resourceId, std::string_view keyFormat,
                           const std::vector<std::string>& list, int count,
                           const std::string& filler) {
  return CDialogSettings(app, resourceId).WriteDialogStringList(keyFormat, list, count, filler);
}

}  // namespace nuvo
