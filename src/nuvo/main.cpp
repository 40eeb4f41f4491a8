#include <unistd.h>

#include <QApplication>

#include "gui/app/NuvoApp.h"

// The desktop program.
int main(int argc, char* argv[]) {
  // The embedded browser's sandbox refuses to run as root, and a machine without a display
  // driver for it draws in software.
  if (geteuid() == 0) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) flags += " --disable-gpu";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
  }
  QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  nuvo::CNuvoApp app;
  return app.Run();
}
