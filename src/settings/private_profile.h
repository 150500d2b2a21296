#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_content.h"

namespace fendral::settings {

// A settings file is a few kilobytes; anything past this is not one, and is neither read nor rewritten.
inline constexpr std::size_t kLargestFile = 16 << 20;
// A capacity that holds any value a readable file can hold.
inline constexpr std::size_t kWholeValue = kLargestFile + 1;

// The value of `key` in `section` of the INI file at `path` (a host path), read with the default "" into a
// buffer of `capacity` characters: at most capacity - 1 characters.
std::string readProfileString(std::string_view section, std::string_view key, const std::string& path,
                              std::size_t capacity = 255);

// Sets `key` in `section` to `value`, creating key, section or file as needed; false when the file
// could not be written.
bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);

// One key for writeProfileStrings.
struct ProfileEntry {
  std::string_view key;
  std::string_view value;
  bool onlyWhenMissing = false;  // a value the file already holds under the key stays
};

// Sets every entry as writeProfileString does, in one rewrite of the file: all of them or none. A file
// that does not exist yet starts from the content of `seedPath`, when that names a readable file, so
// the new file keeps its lines.
platform::FileOutcome writeProfileStrings(std::string_view section, std::span<const ProfileEntry> entries,
                                          const std::string& path, const std::string& seedPath = {});

// None when the file at `path` reads whole or does not exist; otherwise why it cannot be read.
platform::FileOutcome profileReadable(const std::string& path);

}  // namespace fendral::settings
