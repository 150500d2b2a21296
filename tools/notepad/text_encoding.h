#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace fendral::notepad {

// How a file's bytes become text. Each one maps bytes to text and back without loss, so a file saved
// unedited is the file that was opened.
enum class Encoding {
  Utf8,
  Utf8WithBom,
  Utf16LeWithBom,
  Utf16BeWithBom,
  // Every byte that is not valid UTF-8. The five bytes Windows-1252 leaves undefined become the C1
  // controls of the same number, as Windows itself reads them.
  Windows1252,
};

// A byte-order mark decides; else well-formed UTF-8 is UTF-8 and anything else Windows-1252. UTF-16
// needs an even number of bytes.
Encoding detectEncoding(std::string_view bytes);

// The text without its byte-order mark.
QString decodeText(std::string_view bytes, Encoding encoding);

// The bytes, byte-order mark included. Characters the encoding cannot hold are left out of the bytes
// and listed, each once, in `unencodable`: the caller must not store such a result.
std::string encodeText(const QString& text, Encoding encoding, QString& unencodable);

QString encodingName(Encoding encoding);

}  // namespace fendral::notepad
