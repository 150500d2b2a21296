#include "launch/launch_sequence.h"

namespace fendral::launch {

std::string gameExecutableName(std::string_view q2Folder) {
  std::string name(q2Folder);
  name += "\\quake2.exe ";
  return name;
}

std::string batchPath(std::string_view q2Folder, std::string_view batchFileName) {
  std::string path(q2Folder);
  path += '\\';
  path += batchFileName;
  return path;
}

std::string failurePrompt(std::string_view batchFileName) {
  std::string prompt = "Either quake2.exe or ";
  prompt += batchFileName;
  prompt += " was not found!";
  return prompt;
}

bool gameFilesFound(std::string_view q2Folder, std::string_view batchFileName, bool batchUse,
                    platform::Platform& system) {
  if (!system.fileTest(gameExecutableName(q2Folder))) return false;
  return !batchUse || system.fileTest(batchPath(q2Folder, batchFileName));
}

namespace {

enum class Mode { Preview, Launch };

// The one sequence behind Debug and Launch, so the preview shows exactly what a launch runs.
void runSequence(Mode mode, const LaunchRequest& request, platform::Platform& system, const ShowTexts& show) {
  const std::string& folder = request.game.q2Folder;
  auto fail = [&] { system.message(failurePrompt(request.batchFileName)); };

  if (!gameFilesFound(folder, request.batchFileName, request.batchUse, system)) return fail();
  LaunchTexts texts{batchPath(folder, request.batchFileName), {}};
  if (mode == Mode::Launch && request.batchUse && !system.startProgram(texts.batchPath)) return fail();
  texts.commandLine = composeGameCommandLine(request.game);
  show(texts);
  if (mode == Mode::Preview) return;
  if (!system.startProgram(texts.commandLine)) return fail();
  system.endProgram();
}

}  // namespace

void previewLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show) {
  runSequence(Mode::Preview, request, system, show);
}

void runLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show) {
  runSequence(Mode::Launch, request, system, show);
}

}  // namespace fendral::launch
