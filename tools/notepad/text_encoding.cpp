#include "text_encoding.h"

#include <QStringDecoder>
#include <array>
#include <cstdint>

namespace fendral::notepad {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Bytes 0x80 to 0x9F; the rest of the 8-bit range is Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Well-formed as Unicode defines it: no overlong forms, no surrogates, nothing past U+10FFFF.
bool isWellFormedUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    int trail = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the first trailing byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      trail = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trail = 2;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trail = 3;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (end - p <= trail) return false;
    if (p[1] < low || p[1] > high) return false;
    for (int i = 2; i <= trail; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
    }
    p += trail + 1;
  }
  return true;
}

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
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      bytes += static_cast<char>(unit);
      continue;
    }
    bool found = false;
    for (size_t b = 0; b < kWindows1252High.size() && !found; ++b) {
      if (kWindows1252High[b] == unit) {
        bytes += static_cast<char>(0x80 + b);
        found = true;
      }
    }
    if (found) continue;
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
  if (bytes.starts_with(kUtf8Bom) && isWellFormedUtf8(bytes)) return Encoding::Utf8WithBom;
  if (bytes.size() % 2 == 0) {
    if (bytes.starts_with(kUtf16LeBom)) return Encoding::Utf16LeWithBom;
    if (bytes.starts_with(kUtf16BeBom)) return Encoding::Utf16BeWithBom;
  }
  return isWellFormedUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

QString decodeText(std::string_view bytes, Encoding encoding) {
  bytes.remove_prefix(bomOf(encoding).size());
  switch (encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8WithBom:
    {
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
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        *out++ = QChar(static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first)));
      }
      return text;
    }
    case Encoding::Windows1252: {
      QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
      QChar* out = text.data();
      for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? kWindows1252High[b - 0x80] : static_cast<char16_t>(b));
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
