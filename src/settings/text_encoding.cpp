#include "settings/text_encoding.h"

#include <array>

namespace fendral::settings {

namespace {

// 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

std::size_t utf8Character(std::string_view bytes, char32_t& character, bool surrogates) {
  if (bytes.empty()) return 0;
  const auto lead = static_cast<unsigned char>(bytes[0]);
  std::size_t length = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    character = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, smallest = 0x80, character = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, smallest = 0x800, character = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, smallest = 0x10000, character = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!isContinuation(byte)) return 0;
    character = (character << 6) | (byte & 0x3F);
  }
  const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
  if (character < smallest || character > 0x10FFFF || (surrogate && !surrogates)) return 0;
  return length;
}

bool isUtf8(std::string_view bytes) {
  char32_t ignored = 0;
  while (!bytes.empty()) {
    const std::size_t length = utf8Character(bytes, ignored);
    if (length == 0) return false;
    bytes.remove_prefix(length);
  }
  return true;
}

ByteEncoding encodingOf(std::string_view bytes) {
  return isUtf8(bytes) ? ByteEncoding::Utf8 : ByteEncoding::Windows1252;
}

char32_t fromWindows1252(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

std::optional<unsigned char> toWindows1252(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
    return static_cast<unsigned char>(character);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == character) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::u32string decodeText(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  if (encodingOf(bytes) == ByteEncoding::Windows1252) {
    for (char byte : bytes) text.push_back(fromWindows1252(static_cast<unsigned char>(byte)));
    return text;
  }
  char32_t character = 0;
  while (!bytes.empty()) {
    bytes.remove_prefix(utf8Character(bytes, character));
    text.push_back(character);
  }
  return text;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::optional<std::string> encodeText(std::u32string_view text, ByteEncoding encoding) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char32_t character : text) {
    if (encoding == ByteEncoding::Utf8) {
      appendUtf8(bytes, character);
    } else if (const auto byte = toWindows1252(character)) {
      bytes += static_cast<char>(*byte);
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace fendral::settings
