#include "launch/game_start.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/host_path.h"

namespace fendral::launch {

namespace {

// Only the blank separates; tabs and other spaces stay inside words, as Windows reads them.
void appendWords(std::vector<std::string>& words, std::string_view text) {
  std::size_t pos = 0;
  while ((pos = text.find_first_not_of(' ', pos)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    words.emplace_back(text.substr(pos, end - pos));
    pos = end;
  }
}

const char* onOff(bool on) {
  return on ? "1" : "0";
}

const std::string& chosenConfig(const CommandLineInputs& inputs) {
  if (inputs.gameChoice == GameChoice::Standard) return inputs.standardConfig;
  return inputs.customConfig[static_cast<std::size_t>(inputs.gameChoice) - 1];
}

// The words of the composed command line after "quake2.exe", split at blanks: what quake2.exe gets.
std::vector<std::string> windowsArguments(const CommandLineInputs& inputs) {
  const std::string line = composeGameCommandLine(inputs);
  std::vector<std::string> words;
  appendWords(
      words, std::string_view(line).substr(inputs.q2Folder.size() + std::string_view("\\quake2.exe").size()));
  return words;
}

// The launch's meaning in a native engine's own words: where the data is first, when it must be told.
std::vector<std::string> nativeArguments(const CommandLineInputs& in, const platform::GameEngine& engine) {
  const bool yamagi = engine.dialect == platform::Dialect::Yamagi;
  std::vector<std::string> words;
  if (!engine.dataFolder.empty()) {
    // Q2PRO glues a word without "+" to the command before it, so it has no -datadir.
    words = yamagi ? std::vector<std::string>{"-datadir", engine.dataFolder}
                   : std::vector<std::string>{"+set", "basedir", engine.dataFolder};
  }
  if (const std::string& game = chosenSubdirectory(in); !game.empty()) {
    words.insert(words.end(), {"+set", "game", game});
  }
  if (in.gameType == GameType::MultiplayerClient && !in.serverAddress.empty()) {
    words.insert(words.end(), {"+connect", in.serverAddress});
  }
  appendWords(words, in.options);
  if (const std::string& config = chosenConfig(in); !config.empty())
    words.insert(words.end(), {"+exec", config});
  words.insert(words.end(), {"+set", "ogg_enable", onOff(in.cdAudio)});
  if (yamagi) words.insert(words.end(), {"+set", "in_initjoy", onOff(in.joystick)});
  return words;
}

}  // namespace

const std::string& chosenSubdirectory(const CommandLineInputs& inputs) {
  static const std::string none;
  if (inputs.gameChoice == GameChoice::Standard) return none;
  return inputs.customSubdirectory[static_cast<std::size_t>(inputs.gameChoice) - 1];
}

platform::ProgramStart gameStart(const CommandLineInputs& inputs, const platform::GameEngine& engine) {
  platform::ProgramStart start{engine.command.empty() ? std::string() : engine.command.front(),
                               {},
                               platform::absoluteHostPath(inputs.q2Folder)};
  if (engine.command.size() > 1) start.arguments.assign(engine.command.begin() + 1, engine.command.end());
  const std::vector<std::string> words = engine.dialect == platform::Dialect::Windows
                                             ? windowsArguments(inputs)
                                             : nativeArguments(inputs, engine);
  start.arguments.insert(start.arguments.end(), words.begin(), words.end());
  return start;
}

}  // namespace fendral::launch
