#include "cli/command_options.h"

#include <gtest/gtest.h>

namespace fendral::cli {
namespace {

using launch::GameChoice;
using launch::GameType;
using Words = std::vector<std::string>;

// The words after the program's name, and what they ask for; a mistake's line holds `mistake`.
struct Case {
  Words words;
  Action action = Action::Window;
  GameChoice game = GameChoice::Standard;
  GameType type = GameType::SinglePlayer;
  std::string settingsFile = {};
  std::optional<std::string> engine = {};
  const char* mistake = "";
};

const Case kCases[] = {
    {.words = {}},
    {.words = {"--game", "1"}, .game = GameChoice::Custom1},
    {.words = {"--game=2", "--multiplayer"},
     .game = GameChoice::Custom2,
     .type = GameType::MultiplayerClient},
    {.words = {"--launch", "-game", "3"}, .action = Action::Launch, .game = GameChoice::Custom3},
    {.words = {"--preview", "--game", "STANDARD"}, .action = Action::Preview},
    {.words = {"-h", "--game", "9"}, .action = Action::Help},
    {.words = {"--version"}, .action = Action::Version},
    // The last one counts, as the bytes given, also when they are not valid in the locale's encoding.
    {.words = {"--settings", "a b.ini", "--settings=caf\xE9.ini"}, .settingsFile = "caf\xE9.ini"},
    {.words = {"--engines", "--engine", "q2pro"}, .action = Action::Engines, .engine = "q2pro"},
    {.words = {"--find"}, .action = Action::Find},
    {.words = {"--game", "4"}, .action = Action::Mistake, .mistake = "Unknown game '4'"},
    {.words = {"--game"}, .action = Action::Mistake, .mistake = "--game"},
    {.words = {"--settings="}, .action = Action::Mistake, .mistake = "--settings needs a file name"},
    {.words = {"--preview", "--launch"}, .action = Action::Mistake, .mistake = "do not go together"},
    {.words = {"--find", "--engines"}, .action = Action::Mistake, .mistake = "do not go together"},
    {.words = {"stray"}, .action = Action::Mistake, .mistake = "Unexpected argument 'stray'"},
    {.words = {"--bogus"}, .action = Action::Mistake, .mistake = "bogus"},
};

TEST(CommandOptions, EachLineAsksForWhatItSays) {
  for (const Case& want : kCases) {
    Words arguments{"fendral"};
    arguments.insert(arguments.end(), want.words.begin(), want.words.end());
    const Options got = parseOptions(arguments);
    const std::string line = testing::PrintToString(want.words);
    EXPECT_EQ(got.action, want.action) << line;
    if (want.action == Action::Mistake) {
      EXPECT_TRUE(got.mistake.contains(want.mistake)) << line << ": " << got.mistake.toStdString();
      continue;
    }
    EXPECT_EQ(got.gameChoice, want.game) << line;
    EXPECT_EQ(got.gameType, want.type) << line;
    EXPECT_EQ(got.settingsFile, want.settingsFile) << line;
    EXPECT_EQ(got.engine, want.engine) << line;
  }
}

}  // namespace
}  // namespace fendral::cli
