// The yardstick for start-up: the cheapest Qt window of the launcher's size. With "--label" it holds
// one line of text, which shows what the font system alone costs any window that draws text.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  const bool withLabel = argc > 1 && std::strcmp(argv[1], "--label") == 0;
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare"));
  window.setFixedSize(361, 336);
  if (withLabel) (new QLabel(QStringLiteral("Fendral"), &window))->move(150, 10);  // owned by window
  window.show();
  return QApplication::exec();
}
