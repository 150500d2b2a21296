#pragma once

#include <cstddef>
#include <string_view>

namespace fendral::settings {

// Blanks and tabs are the only padding a line, a name or a value sheds.
std::string_view trimBlanks(std::string_view text);

// Length of the UTF-8 byte-order mark that opens the text, or 0.
std::size_t bomLength(std::string_view text);

// The first line ending of the text (CRLF, CR or LF); CRLF when the text has none.
std::string_view lineEndingOf(std::string_view text);

// Where a key stands in an INI text. Offsets index the text that was searched.
struct KeyPlace {
  bool sectionFound = false;
  bool keyFound = false;
  std::size_t valueBegin = 0;  // just after the first '=' of the key line
  std::size_t valueEnd = 0;    // end of the key line, before its line ending
  std::string_view value;      // the stored value, trimmed, quotes still on
  // Where a new key line of the section goes: after the last key line of its first block, else after
  // the header.
  std::size_t insertAt = 0;
  bool insertAfterUnendedLine = false;  // the line before insertAt is the last one and has no ending
};

// Looks for `key` in the first block of `section`, in one pass that stops where that block ends.
KeyPlace findKey(std::string_view text, std::string_view section, std::string_view key);

}  // namespace fendral::settings
