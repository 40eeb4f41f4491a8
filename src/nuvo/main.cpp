#include <QApplication>
#include <QLabel>
#include <QMainWindow>

// The desktop program. Until the main frame lands it opens an empty window under the program's
// title, so that the shell's libraries are built and linked from the start.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Zabuto Soft"));
  QApplication::setApplicationName(QStringLiteral("Nuvo3"));
  QApplication::setApplicationDisplayName(QStringLiteral("ぬぼ"));
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("(無題) - ぬぼ"));
  window.setCentralWidget(new QLabel(QStringLiteral("ぬぼ"), &window));
  window.resize(1024, 720);
  window.show();
  return app.exec();
}
