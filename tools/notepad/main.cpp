#include <QApplication>
#include <QStringList>

#include "editor_window.h"

// The whole command line is one file name, blanks included, as the editor it stands in for reads it.
int main(int argc, char** argv) {
  QStringList words;
  for (int i = 1; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
  const QString path = words.join(QLatin1Char(' '));

  // The toolkit never sees the file name, so a name such as "-style" stays a file name.
  int toolkitArgc = 1;
  QApplication app(toolkitArgc, argv);
  QApplication::setApplicationName(QStringLiteral("fendral-notepad"));

  fendral::notepad::EditorWindow window(path);
  window.show();
  return QApplication::exec();
}
