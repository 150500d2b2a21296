// Feeds arbitrary bytes to the editor as a file's content and checks that they come back unchanged
// through decoding, the text widget, a few lines at a time, and encoding.
#include <QApplication>
#include <QPlainTextEdit>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document_text.h"
#include "text_encoding.h"

using namespace fendral::notepad;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const Encoding encoding = detectEncoding(bytes);
  const QString text = decodeText(bytes, encoding);

  QPlainTextEdit editor;
  TextLoader loader(text);
  const int linesAtOnce = size > 0 ? data[0] % 4 + 1 : 1;
  while (loader.fill(editor, linesAtOnce)) {
  }
  QString unencodable;
  if (encodeText(editorText(editor, loader.newLineEnd()), encoding, unencodable) != bytes) std::abort();
  if (!unencodable.isEmpty()) std::abort();
  return 0;
}
