#pragma once

#include <QSettings>

#include "core/app/SettingsBackend.h"

namespace nuvo {

// The names the desktop program and nuvo-cli go by, under which their settings and data live.
inline const QString kOrganizationName = QStringLiteral("Zabuto Soft");
inline const QString kApplicationName = QStringLiteral("Nuvo3");

// The program's settings in QSettings (organisation "Zabuto Soft", application "Nuvo3"): on
// Windows the registry key of old, elsewhere an INI file in the user's config folder. Sections
// are groups; integers are stored as integers and texts as UTF-8.
class CQtSettingsBackend : public ISettingsBackend {
 public:
  CQtSettingsBackend();
  // Settings in the INI file at `path` (tests and tools).
  explicit CQtSettingsBackend(const QString& path);

  std::optional<int> ReadInt(const std::string& section, const std::string& key) const override;
  std::optional<std::string> ReadString(const std::string& section,
                                        const std::string& key) const override;
  bool WriteInt(const std::string& section, const std::string& key, int value) override;
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  mutable QSettings settings_;
};

}  // namespace nuvo
