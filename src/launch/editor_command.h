#pragma once

#include <string>
#include <string_view>

namespace fendral::launch {

// "notepad.exe " and the file's path, joined unquoted and unchanged.
std::string standardConfigEditCommand(std::string_view q2Folder, std::string_view configName);
std::string batchEditCommand(std::string_view q2Folder, std::string_view batchFileName);
std::string customConfigEditCommand(std::string_view q2Folder, std::string_view subdirectory,
                                    std::string_view configName);

}  // namespace fendral::launch
