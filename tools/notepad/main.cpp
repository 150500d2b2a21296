#include <QApplication>

#include "editor_window.h"

int main(int argc, char** argv) {
  std::string path = fendral::notepad::fileNameFromArguments(argc, argv);

  // The toolkit never sees the file name, so a name such as "-style" stays a file name.
  int toolkitArgc = 1;
  QApplication app(toolkitArgc, argv);
  QApplication::setApplicationName(QStringLiteral("fendral-notepad"));

  fendral::notepad::EditorWindow window(std::move(path));
  window.show();
  return QApplication::exec();
}
