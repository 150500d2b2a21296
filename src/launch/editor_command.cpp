#include "launch/editor_command.h"

#include <initializer_list>

namespace fendral::launch {

namespace {

std::string editCommand(std::initializer_list<std::string_view> pieces) {
  std::string command = "notepad.exe ";
  for (std::string_view piece : pieces) command += piece;
  return command;
}

}  // namespace

std::string standardConfigEditCommand(std::string_view q2Folder, std::string_view configName) {
  return editCommand({q2Folder, "\\baseq2\\", configName});
}

std::string batchEditCommand(std::string_view q2Folder, std::string_view batchFileName) {
  return editCommand({q2Folder, "\\", batchFileName});
}

std::string customConfigEditCommand(std::string_view q2Folder, std::string_view subdirectory,
                                    std::string_view configName) {
  return editCommand({q2Folder, "\\", subdirectory, "\\", configName});
}

}  // namespace fendral::launch
