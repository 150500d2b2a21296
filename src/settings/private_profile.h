#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fendral::settings {

// The value of `key` in `section` of the INI file at `path` (a host path), read with the default "" into a
// buffer of `capacity` characters: at most capacity - 1 characters.
std::string readProfileString(std::string_view section, std::string_view key, const std::string& path,
                              std::size_t capacity = 255);

// Sets `key` in `section` to `value`, creating key, section or file as needed; false when the file
// could not be written (the caller of the settings ignores it).
bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);

}  // namespace fendral::settings
