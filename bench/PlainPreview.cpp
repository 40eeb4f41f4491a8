// The yardstick of the start-up benchmark: a plain QtWebEngine window that loads one page and
// ends once it has loaded, as fast as Qt alone can show a page.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: nuvo_plain_preview PAGE.htm\n");
    return 2;
  }
  QWebEngineView view;
  view.resize(1220, 850);
  QObject::connect(&view, &QWebEngineView::loadFinished, &app,
                   [](bool ok) { QApplication::exit(ok ? 0 : 1); });
  view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
  view.show();
  return QApplication::exec();
}
