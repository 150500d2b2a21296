#include "text_encoding.h"

#include <QStringDecoder>

#include "settings/text_encoding.h"

namespace fendral::notepad {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::string_view bomOf(Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf8WithBom:
      return kUtf8Bom;
    case Encoding::Utf16LeWithBom:
      return kUtf16LeBom;
    case Encoding::Utf16BeWithBom:
      return kUtf16BeBom;
    default:
      return {};
  }
}

void noteUnencodable(QString& unencodable, QStringView character) {
  if (!unencodable.contains(character)) unencodable += character;
}

std::string encodeWindows1252(const QString& text, QString& unencodable) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text.at(i).unicode();
    if (const auto byte = settings::toWindows1252(unit)) {
      bytes += static_cast<char>(*byte);
      continue;
    }
    const bool pair = QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
    noteUnencodable(unencodable, QStringView(text).mid(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  return bytes;
}

std::string encodeUtf8(const QString& text, QString& unencodable) {
  // A lone surrogate has no UTF-8 form; the conversion would put a replacement character in its place.
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar unit = text.at(i);
    if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++i;
    } else if (unit.isSurrogate()) {
      noteUnencodable(unencodable, QStringView(text).mid(i, 1));
    }
  }
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

// UTF-16 keeps every code unit as it is, lone surrogates included.
std::string encodeUtf16(const QString& text, bool bigEndian) {
  std::string bytes(static_cast<size_t>(text.size()) * 2, '\0');
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text.at(i).unicode();
    const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes[static_cast<size_t>(i) * 2] = bigEndian ? high : low;
    bytes[static_cast<size_t>(i) * 2 + 1] = bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace

Encoding detectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom) && settings::isUtf8(bytes)) return Encoding::Utf8WithBom;
  if (bytes.size() % 2 == 0) {
    if (bytes.starts_with(kUtf16LeBom)) return Encoding::Utf16LeWithBom;
    if (bytes.starts_with(kUtf16BeBom)) return Encoding::Utf16BeWithBom;
  }
  return settings::isUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

QString decodeText(std::string_view bytes, Encoding encoding) {
  bytes.remove_prefix(bomOf(encoding).size());
  switch (encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8WithBom: {
      // A second mark is text, not to be dropped as the plain conversion would.
      QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
      return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    case Encoding::Utf16LeWithBom:
    case Encoding::Utf16BeWithBom: {
      const bool bigEndian = encoding == Encoding::Utf16BeWithBom;
      QString text(static_cast<qsizetype>(bytes.size() / 2), Qt::Uninitialized);
      QChar* out = text.data();
      for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]),
                   second = static_cast<unsigned char>(bytes[i + 1]);
        *out++ = QChar(static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first)));
      }
      return text;
    }
    case Encoding::Windows1252: {
      QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
      QChar* out = text.data();
      for (const char byte : bytes) {
        *out++ = QChar(static_cast<char16_t>(settings::fromWindows1252(static_cast<unsigned char>(byte))));
      }
      return text;
    }
  }
  return {};
}

std::string encodeText(const QString& text, Encoding encoding, QString& unencodable) {
  unencodable.clear();
  std::string bytes(bomOf(encoding));
  switch (encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8WithBom:
      return bytes + encodeUtf8(text, unencodable);
    case Encoding::Utf16LeWithBom:
    case Encoding::Utf16BeWithBom:
      return bytes + encodeUtf16(text, encoding == Encoding::Utf16BeWithBom);
    case Encoding::Windows1252:
      return bytes + encodeWindows1252(text, unencodable);
  }
  return bytes;
}

QString encodingName(Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf8:
      return QStringLiteral("UTF-8");
    case Encoding::Utf8WithBom:
      return QStringLiteral("UTF-8 with BOM");
    case Encoding::Utf16LeWithBom:
      return QStringLiteral("UTF-16 LE");
    case Encoding::Utf16BeWithBom:
      return QStringLiteral("UTF-16 BE");
    case Encoding::Windows1252:
      return QStringLiteral("Windows-1252");
  }
  return {};
}

}  // namespace fendral::notepad
