#include "settings/utf16_text.h"

#include "settings/text_encoding.h"

namespace fendral::settings {

namespace {

bool isHighHalf(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowHalf(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUnit(std::string& out, char32_t unit, FileForm form) {
  const auto high = static_cast<char>(unit >> 8);
  const auto low = static_cast<char>(unit & 0xFF);
  if (form == FileForm::Utf16BigEndian) {
    out += high;
    out += low;
  } else {
    out += low;
    out += high;
  }
}

}  // namespace

FileForm formOf(std::string_view fileBytes) {
  if (fileBytes.starts_with("\xFF\xFE")) return FileForm::Utf16LittleEndian;
  if (fileBytes.starts_with("\xFE\xFF")) return FileForm::Utf16BigEndian;
  return FileForm::Bytes;
}

Utf16Text fromUtf16(std::string_view fileBytes, FileForm form) {
  Utf16Text result;
  fileBytes.remove_prefix(2);
  if (fileBytes.size() % 2 != 0) {
    result.oddByte = fileBytes.back();
    fileBytes.remove_suffix(1);
  }
  const auto unitAt = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(fileBytes[i]);
    const auto second = static_cast<unsigned char>(fileBytes[i + 1]);
    return static_cast<char32_t>(form == FileForm::Utf16BigEndian ? first << 8 | second
                                                                  : second << 8 | first);
  };
  result.text.reserve(fileBytes.size());
  for (std::size_t i = 0; i < fileBytes.size(); i += 2) {
    char32_t unit = unitAt(i);
    if (isHighHalf(unit) && i + 2 < fileBytes.size() && isLowHalf(unitAt(i + 2))) {
      unit = 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00);
      i += 2;
    }
    appendUtf8(result.text, unit);
  }
  return result;
}

std::string toUtf16(std::string_view text, FileForm form, std::string_view oddByte) {
  std::string out;
  out.reserve(text.size() * 2 + 3);
  appendUnit(out, 0xFEFF, form);
  char32_t character = 0;
  while (!text.empty()) {
    std::size_t length = utf8Character(text, character, true);
    if (length == 0) {
      character = fromWindows1252(static_cast<unsigned char>(text.front()));
      length = 1;
    }
    text.remove_prefix(length);
    if (character >= 0x10000) {
      appendUnit(out, 0xD800 + ((character - 0x10000) >> 10), form);
      appendUnit(out, 0xDC00 + ((character - 0x10000) & 0x3FF), form);
    } else {
      appendUnit(out, character, form);
    }
  }
  return out.append(oddByte);
}

}  // namespace fendral::settings
