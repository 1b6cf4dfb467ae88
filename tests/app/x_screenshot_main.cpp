// Saves the whole X screen as a PNG, for looking at the program under Xvfb:
//   x_screenshot FILE.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2 || !QGuiApplication::primaryScreen()) return 2;
  return QGuiApplication::primaryScreen()->grabWindow(0).save(argv[1]) ? 0 : 1;
}
