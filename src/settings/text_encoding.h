#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fendral::settings {

// The two encodings a settings value is found in: UTF-8, and Windows-1252 for the files written on
// Windows. Bytes that are valid UTF-8 are taken as UTF-8.
enum class ByteEncoding { Utf8, Windows1252 };

// Decodes one UTF-8 character at the start of `bytes`: its length, or 0 when the bytes there are not a
// well-formed character. `surrogates` also admits the encoded halves of UTF-16 pairs.
std::size_t utf8Character(std::string_view bytes, char32_t& character, bool surrogates = false);
bool isUtf8(std::string_view bytes);
ByteEncoding encodingOf(std::string_view bytes);

// Windows-1252 covers every byte: its five unassigned ones stand for the control characters of the
// same number, as on Windows, so that any bytes decode and encode back unchanged.
char32_t fromWindows1252(unsigned char byte);
std::optional<unsigned char> toWindows1252(char32_t character);

// The characters `bytes` stand for in the encoding they are in.
std::u32string decodeText(std::string_view bytes);
// `text` in `encoding`; nothing when a character has no byte in Windows-1252.
std::optional<std::string> encodeText(std::u32string_view text, ByteEncoding encoding);
void appendUtf8(std::string& out, char32_t character);

}  // namespace fendral::settings
