#pragma once

#include <string>
#include <string_view>

namespace fendral::settings {

// A settings file that opens with a UTF-16 byte-order mark is read as UTF-16, as Windows reads it; the
// reader and writer work on it as UTF-8 and it is written back as UTF-16.
enum class FileForm { Bytes, Utf16LittleEndian, Utf16BigEndian };

FileForm formOf(std::string_view fileBytes);

// The text of a UTF-16 file as UTF-8, without its byte-order mark. Halves of surrogate pairs found
// alone keep their own 3-byte form and a last odd byte stays in `oddByte`, so that fromUtf16 gives
// back the very bytes of the file.
struct Utf16Text {
  std::string text;
  std::string oddByte;
};
Utf16Text fromUtf16(std::string_view fileBytes, FileForm form);

// The file bytes for `text`, byte-order mark first. Bytes that are no UTF-8 are read as Windows-1252.
std::string toUtf16(std::string_view text, FileForm form, std::string_view oddByte = {});

}  // namespace fendral::settings
