#pragma once

#include <algorithm>
#include <string_view>

namespace fendral::platform {

// Windows names match in either letter case, for ASCII letters only; every other byte matches itself.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

inline bool endsWithIgnoringCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && equalsIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace fendral::platform
