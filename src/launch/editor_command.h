#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace fendral::launch {

// The files the "Edit or Create" buttons open, joined unquoted and unchanged.
std::string standardConfigPath(std::string_view q2Folder, std::string_view configName);
std::string batchEditPath(std::string_view q2Folder, std::string_view batchFileName);
std::string customConfigPath(std::string_view q2Folder, std::string_view subdirectory,
                             std::string_view configName);

// The editor installed beside the launcher, given the file as one host path.
platform::ProgramStart editorStart(std::string_view file, const std::string& programFolder);
// What the player reads when the editor cannot start.
std::string editorFailurePrompt(const std::string& programFolder);

// Starts the editor on `file` (Windows syntax); a failure shows editorFailurePrompt.
void editFile(std::string_view file, platform::Platform& system);

}  // namespace fendral::launch
