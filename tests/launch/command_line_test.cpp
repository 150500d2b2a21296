#include "launch/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace fendral::launch {
namespace {

// The expected lines write a blank as "·" so that every blank can be counted.
std::string blanks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool dot = text.substr(i, 2) == "\xC2\xB7";
    out += dot ? ' ' : text[i];
    i += dot;
  }
  return out;
}

CommandLineInputs inputs(std::string folder, std::string drive, bool cdAudio, bool joystick) {
  CommandLineInputs in;
  in.q2Folder = std::move(folder);
  in.cdDriveLetter = std::move(drive);
  in.cdAudio = cdAudio;
  in.joystick = joystick;
  return in;
}

TEST(GameCommandLine, ComposesEveryPieceByteForByte) {
  const std::string games = R"(C:\GAMES\QUAKE2)";
  CommandLineInputs standard = inputs(games, "D", true, true);
  standard.standardConfig = "MY.CFG";
  CommandLineInputs heap = inputs(games, "D", false, false);
  heap.options = "-HEAPSIZE 32000";
  CommandLineInputs ctf = inputs(games, "D", true, false);
  ctf.gameChoice = GameChoice::Custom2;
  ctf.customSubdirectory = {"A", "CTF", "C"};
  ctf.customConfig = {"a.cfg", "MY-CTF.CFG", "c.cfg"};
  ctf.gameType = GameType::MultiplayerClient;
  ctf.serverAddress = "192.168.1.10";
  CommandLineInputs emptyCustom = inputs("", "", false, true);
  emptyCustom.gameChoice = GameChoice::Custom1;
  emptyCustom.gameType = GameType::MultiplayerClient;

  const struct {
    CommandLineInputs in;
    std::string_view expected;
    std::size_t length;
  } cases[] = {
      {standard,
       R"(C:\GAMES\QUAKE2\quake2.exe·····+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\MY.CFG·)",
       103},
      {heap,
       R"(C:\GAMES\QUAKE2\quake2.exe···-HEAPSIZE·32000··+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\··-nocdaudio··-nojoy·)",
       132},
      {ctf,
       R"(C:\GAMES\QUAKE2\quake2.exe·+set·game·CTF··+Connect·192.168.1.10···+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·MY-CTF.CFG··-nojoy·)",
       149},
      {inputs("", "", true, true), R"(\quake2.exe·····+set·cddir·:\install\data·+set·basedir···+·exec·\·)",
       66},
      // Empty subdirectory, server address and config: every piece keeps its own blanks.
      {emptyCustom,
       R"(\quake2.exe·+set·game···+Connect····+set·cddir·:\install\data·+set·basedir···+·exec···-nocdaudio·)",
       97},
  };
  for (const auto& c : cases) {
    const std::string line = composeGameCommandLine(c.in);
    EXPECT_EQ(line, blanks(c.expected));
    EXPECT_EQ(line.size(), c.length);
  }
}

TEST(GameCommandLine, EachCustomGameTakesOnlyItsOwnSubdirectoryAndConfig) {
  CommandLineInputs in = inputs("Q", "D", true, true);
  in.customSubdirectory = {"one", "two", "three"};
  in.customConfig = {"1.cfg", "2.cfg", "3.cfg"};
  for (GameChoice choice : {GameChoice::Custom1, GameChoice::Custom2, GameChoice::Custom3}) {
    in.gameChoice = choice;
    const std::size_t n = static_cast<std::size_t>(choice) - 1;
    EXPECT_EQ(composeGameCommandLine(in), R"(Q\quake2.exe +set game )" + in.customSubdirectory[n] +
                                              R"(     +set cddir D:\install\data +set basedir Q  + exec )" +
                                              in.customConfig[n] + " ");
  }
}

TEST(GameCommandLine, OnlyTheConnectPieceFollowsTheGameType) {
  CommandLineInputs in = inputs("Q", "D", false, true);
  in.serverAddress = "10.0.0.1";
  const std::string single = composeGameCommandLine(in);
  in.gameType = GameType::MultiplayerClient;
  const std::string head = R"(Q\quake2.exe )";
  ASSERT_TRUE(single.starts_with(head + " "));
  EXPECT_EQ(composeGameCommandLine(in), head + " +Connect 10.0.0.1" + single.substr(head.size() + 1));
}

TEST(GameCommandLine, ValuesPassUnquotedAndUnmended) {
  CommandLineInputs in = inputs(R"(C:\Program Files\Quake2\)", "D", false, true);
  in.options = "+set a \"b c\" $(x)";
  const std::string line = composeGameCommandLine(in);
  EXPECT_TRUE(line.starts_with(R"(C:\Program Files\Quake2\\quake2.exe )"));
  EXPECT_NE(line.find(R"( +set basedir C:\Program Files\Quake2\ )"), std::string::npos);
  EXPECT_NE(line.find("  +set a \"b c\" $(x)  +set cddir"), std::string::npos);
}

}  // namespace
}  // namespace fendral::launch
