#include "launch/editor_command.h"

#include <initializer_list>

#include "platform/host_path.h"

namespace fendral::launch {

namespace {

std::string joined(std::initializer_list<std::string_view> pieces) {
  std::string path;
  for (std::string_view piece : pieces) path += piece;
  return path;
}

constexpr std::string_view kEditor = "fendral-notepad";

}  // namespace

std::string standardConfigPath(std::string_view q2Folder, std::string_view configName) {
  return joined({q2Folder, "\\baseq2\\", configName});
}

std::string batchEditPath(std::string_view q2Folder, std::string_view batchFileName) {
  return joined({q2Folder, "\\", batchFileName});
}

std::string customConfigPath(std::string_view q2Folder, std::string_view subdirectory,
                             std::string_view configName) {
  return joined({q2Folder, "\\", subdirectory, "\\", configName});
}

platform::ProgramStart editorStart(std::string_view file, const std::string& programFolder) {
  std::string program = programFolder;
  if (!program.ends_with('/')) program += '/';
  program += kEditor;
  return {std::move(program), {platform::hostPath(file)}, {}};
}

std::string editorFailurePrompt(const std::string& programFolder) {
  return joined({"The editor ", kEditor,
                 " could not be started. It belongs in the folder of fendral: ", programFolder});
}

void editFile(std::string_view file, platform::Platform& system) {
  const std::string folder = system.programFolder();
  if (!system.startProgram(editorStart(file, folder))) system.message(editorFailurePrompt(folder));
}

}  // namespace fendral::launch
