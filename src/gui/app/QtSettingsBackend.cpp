#include "gui/app/QtSettingsBackend.h"

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

// "Dialog\509" is a group path: a backslash in a section separates its levels.
QString KeyPath(const std::string& section, const std::string& key) {
  QString path = QString::fromStdString(Utf8FromCp932(section));
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return path + QLatin1Char('/') + QString::fromStdString(Utf8FromCp932(key));
}

}  // namespace

CQtSettingsBackend::CQtSettingsBackend() : settings_(kOrganizationName, kApplicationName) {}

CQtSettingsBackend::CQtSettingsBackend(const QString& path)
    : settings_(path, QSettings::IniFormat) {}

std::optional<int> CQtSettingsBackend::ReadInt(const std::string& section,
                                               const std::string& key) const {
  QVariant value = settings_.value(KeyPath(section, key));
  bool ok = false;
  int number = value.toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<std::string> CQtSettingsBackend::ReadString(const std::string& section,
                                                          const std::string& key) const {
  QVariant value = settings_.value(KeyPath(section, key));
  if (!value.isValid()) return std::nullopt;
  // A text the settings file holds that code page 932 cannot is read as missing.
  return Cp932FromUtf8(value.toString().toStdString());
}

bool CQtSettingsBackend::WriteInt(const std::string& section, const std::string& key, int value) {
  settings_.setValue(KeyPath(section, key), value);
  return settings_.status() == QSettings::NoError;
}

bool CQtSettingsBackend::WriteString(const std::string& section, const std::string& key,
                                     const std::string& value) {
  settings_.setValue(KeyPath(section, key), QString::fromStdString(Utf8FromCp932(value)));
  return settings_.status() == QSettings::NoError;
}

}  // namespace nuvo
