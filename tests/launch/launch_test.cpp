#include "launch/launch_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "launch/command_line.h"
#include "launch/game_start.h"
#include "support/recording_platform.h"

namespace fendral::launch {
namespace {

using platform::Dialect;
using platform::GameEngine;
using platform::ProgramStart;
using Words = std::vector<std::string>;

// The expected lines write a blank as "·" so that every blank can be counted.
// Built up rather than replaced in place: GCC 12 warns falsely (-Wrestrict) on std::string::replace at -O3.
std::string blanks(std::string_view text) {
  std::string out;
  for (std::size_t at; (at = text.find("\xC2\xB7")) != std::string_view::npos; text.remove_prefix(at + 2))
    out.append(text.substr(0, at)).push_back(' ');
  return out.append(text);
}

// The second custom game in multiplayer.
const CommandLineInputs kCtf{.q2Folder = R"(C:\GAMES\QUAKE2)",
                             .cdDriveLetter = "D",
                             .serverAddress = "192.168.1.10",
                             .customSubdirectory = {"A", "CTF", "C"},
                             .customConfig = {"a.cfg", "MY CTF.CFG", "c.cfg"},
                             .gameType = GameType::MultiplayerClient,
                             .gameChoice = GameChoice::Custom2,
                             .cdAudio = true};

TEST(GameCommandLine, ComposesEveryPieceByteForByte) {
  const std::string q2 = kCtf.q2Folder;
  // Single player: no connect.
  CommandLineInputs third = kCtf;
  third.gameChoice = GameChoice::Custom3;
  third.gameType = GameType::SinglePlayer;

  const std::pair<CommandLineInputs, std::string_view> cases[] = {
      {{.q2Folder = q2, .cdDriveLetter = "D", .standardConfig = "MY.CFG", .cdAudio = true, .joystick = true},
       R"(C:\GAMES\QUAKE2\quake2.exe·····+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\MY.CFG·)"},
      {{.q2Folder = q2, .cdDriveLetter = "D", .options = "-HEAPSIZE 32000"},
       R"(C:\GAMES\QUAKE2\quake2.exe···-HEAPSIZE·32000··+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\··-nocdaudio··-nojoy·)"},
      {third,
       R"(C:\GAMES\QUAKE2\quake2.exe·+set·game·C·····+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·c.cfg··-nojoy·)"},
      {{.cdAudio = true, .joystick = true},
       R"(\quake2.exe·····+set·cddir·:\install\data·+set·basedir···+·exec·\·)"},
      // Empty subdirectory, server address and config: every piece keeps its own blanks.
      {{.gameType = GameType::MultiplayerClient, .gameChoice = GameChoice::Custom1, .joystick = true},
       R"(\quake2.exe·+set·game···+Connect····+set·cddir·:\install\data·+set·basedir···+·exec···-nocdaudio·)"},
      // Values pass unquoted and unmended, a trailing backslash too.
      {{.q2Folder = R"(C:\Program Files\Quake2\)",
        .cdDriveLetter = "D",
        .options = "+set a \"b c\" $(x)",
        .joystick = true},
       R"(C:\Program Files\Quake2\\quake2.exe···+set·a·"b·c"·$(x)··+set·cddir·D:\install\data·+set·basedir·C:\Program Files\Quake2\··+·exec·\··-nocdaudio·)"},
  };
  for (const auto& [in, expected] : cases)
    EXPECT_EQ(composeGameCommandLine(in), blanks(std::string(expected)));
}

// Tests, batch file, boxes, game, end; each failing step shows one message and stops there.
TEST(LaunchSequence, RunsEachStepInTurnAndStopsAtTheFirstFailure) {
  const std::string q2 = "/games/Quake 2", exe = q2 + "\\quake2.exe ", bat = q2 + "\\3DFX.BAT";
  const std::string testExe = "test " + exe, testBat = "test " + bat, startBat = "start " + q2 + "/3DFX.BAT",
                    startGame = "start " + q2 + "\\quake2.exe",
                    message = "message Either quake2.exe or 3DFX.BAT was not found!";
  // Batch use, the files there, the programs that cannot start, and the calls made.
  const std::tuple<bool, std::set<std::string>, std::set<std::string>, Words> rows[] = {
      {true, {exe, bat}, {}, {testExe, testBat, startBat, "show", startGame, "end"}},
      {false, {exe}, {}, {testExe, "show", startGame, "end"}},  // the batch path is still shown
      {true, {bat}, {}, {testExe, message}},
      {true, {exe}, {}, {testExe, testBat, message}},
      {true, {exe, bat}, {q2 + "/3DFX.BAT"}, {testExe, testBat, startBat, message}},
      // A game that cannot start comes after the boxes were filled and the batch file ran.
      {true, {exe, bat}, {q2 + "\\quake2.exe"}, {testExe, testBat, startBat, "show", startGame, message}},
  };
  LaunchRequest request{.game = {.q2Folder = q2, .cdDriveLetter = "D"}, .batchFileName = "3DFX.BAT"};
  for (const auto& [batchUse, existing, unstartable, calls] : rows) {
    RecordingPlatform system;
    system.existing = existing;
    system.unstartable = unstartable;
    request.batchUse = batchUse;
    Words shown;
    runLaunch(request, system, [&](const LaunchTexts& texts) {
      shown = {texts.batchPath, texts.commandLine};
      system.calls.push_back("show");
    });
    EXPECT_EQ(system.calls, calls);
    EXPECT_EQ(shown, (std::ranges::count(calls, "show") ? Words{bat, composeGameCommandLine(request.game)}
                                                        : Words{}));
    // Both start in the Quake 2 folder; the batch file gets no words.
    for (const ProgramStart& start : system.starts) EXPECT_EQ(start.workingFolder, q2);
    EXPECT_TRUE(!batchUse || system.starts.empty() || system.starts.front().arguments.empty());
  }
}

// A native engine gets the launch's meaning in its own words; each dialect's words with a data folder,
// and what quake2.exe gets, the end-to-end tests check word for word against the real programs.
TEST(GameStart, GivesEachEngineItsOwnWords) {
  const std::string q2 = "/opt/my g\xE4mes/q2";
  CommandLineInputs ctf = kCtf;
  ctf.q2Folder = q2 + " ";
  ctf.options = " -x  \"a b\" $(rm -rf ~); *.cfg ";
  const CommandLineInputs empty{.q2Folder = "/q2",
                                .serverAddress = "ignored in single player",
                                .gameChoice = GameChoice::Custom1,
                                .joystick = true};

  // The options split at blanks, with no shell to read them.
  const Words native{"+set", "game",       "CTF", "+connect", "192.168.1.10", "-x",    "\"a",
                     "b\"",  "$(rm",       "-rf", "~);",      "*.cfg",        "+exec", "MY CTF.CFG",
                     "+set", "ogg_enable", "1",   "+set",     "in_initjoy",   "0"};
  EXPECT_EQ(gameStart(ctf, {Dialect::Yamagi, {q2 + "/quake2"}, "", ""}),
            (ProgramStart{q2 + "/quake2", native, q2}));
  // No words for an empty subdirectory, address or config.
  EXPECT_EQ(gameStart(empty, {Dialect::Yamagi, {"/q2/quake2"}, "", ""}),
            (ProgramStart{"/q2/quake2", {"+set", "ogg_enable", "0", "+set", "in_initjoy", "1"}, "/q2"}));
}

}  // namespace
}  // namespace fendral::launch
