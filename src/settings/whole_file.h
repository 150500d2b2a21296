#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fendral::settings {

// The bytes of the regular file at `path` (a host path); nothing when it is missing, not a regular
// file or unreadable.
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the file at `path` (a host path) by what `edit` makes of its content ("" when the file does
// not exist yet), all or nothing: a temporary file beside it is written, flushed, given the old
// permission bits and renamed over it. False, with the file untouched, when the file is read-only, is a
// folder, lies behind a regular file or the new content cannot be stored whole.
bool rewriteWholeFile(const std::string& path, const std::function<std::string(std::string_view)>& edit);

}  // namespace fendral::settings
