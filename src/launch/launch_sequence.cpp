#include "launch/launch_sequence.h"

#include "launch/game_start.h"
#include "platform/host_path.h"

namespace fendral::launch {

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
  if (!system.findGameEngine(std::string(q2Folder), {})) return false;
  return !batchUse || system.fileTest(batchPath(q2Folder, batchFileName));
}

std::optional<LaunchPlan> planLaunch(const LaunchRequest& request, platform::Platform& system) {
  const CommandLineInputs& game = request.game;
  const std::optional<platform::GameEngine> engine =
      system.findGameEngine(game.q2Folder, chosenSubdirectory(game));
  if (!engine) return std::nullopt;
  LaunchPlan plan{{batchPath(game.q2Folder, request.batchFileName), composeGameCommandLine(game)},
                  std::nullopt,
                  gameStart(game, *engine),
                  engine->description};
  if (request.batchUse) {
    if (!system.fileTest(plan.texts.batchPath)) return std::nullopt;
    plan.batch = platform::ProgramStart{
        platform::absoluteHostPath(plan.texts.batchPath), {}, platform::absoluteHostPath(game.q2Folder)};
  }
  return plan;
}

void previewLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show) {
  const std::optional<LaunchPlan> plan = planLaunch(request, system);
  if (!plan) return system.message(failurePrompt(request.batchFileName));
  show(plan->texts);
}

void runLaunch(const LaunchRequest& request, platform::Platform& system, const ShowTexts& show) {
  const auto fail = [&] { system.message(failurePrompt(request.batchFileName)); };
  const std::optional<LaunchPlan> plan = planLaunch(request, system);
  if (!plan) return fail();
  if (plan->batch && !system.startProgram(*plan->batch)) return fail();
  show(plan->texts);
  if (!system.startProgram(plan->game)) return fail();
  system.endProgram();
}

}  // namespace fendral::launch
