#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "gui/app/QtSettingsBackend.h"
#include "support/TempDir.h"

// Runs the event loop until `done` holds or `timeoutMs` has passed; whether it holds.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Runs the event loop for `ms`.
inline void Pump(int ms) {
  WaitUntil([] { return false; }, ms);
}

inline QString ToQPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

// Settings in an INI file of a fresh folder, reopened as often as a test likes.
class TestSettings {
 public:
  std::unique_ptr<nuvo::CQtSettingsBackend> Open() const {
    return std::make_unique<nuvo::CQtSettingsBackend>(ToQPath(dir_.path() / "nuvo.ini"));
  }
  const std::filesystem::path& Dir() const { return dir_.path(); }

 private:
  TempDir dir_;
};
