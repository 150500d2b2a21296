// The yardstick for start-up: the cheapest Qt window of the launcher's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare"));
  window.setFixedSize(361, 336);
  window.show();
  return QApplication::exec();
}
