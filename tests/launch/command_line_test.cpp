#include "launch/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace fendral::launch {
namespace {

// The worked examples write a blank as a middle dot so that every blank can be counted.
std::string dots(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\xC2\xB7") == 0) {
      out += ' ';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

CommandLineInputs gamesFolder() {
  CommandLineInputs in;
  in.q2Folder = R"(C:\GAMES\QUAKE2)";
  in.cdDriveLetter = "D";
  return in;
}

TEST(GameCommandLine, WorkedExamplesComposeByteForByte) {
  CommandLineInputs first = gamesFolder();
  first.standardConfig = "MY.CFG";
  first.cdAudio = first.joystick = true;
  const std::string one = composeGameCommandLine(first);
  EXPECT_EQ(
      one,
      dots(
          R"(C:\GAMES\QUAKE2\quake2.exe·····+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\MY.CFG·)"));
  EXPECT_EQ(one.size(), 103u);

  CommandLineInputs second = gamesFolder();
  second.options = "-HEAPSIZE 32000";
  const std::string two = composeGameCommandLine(second);
  EXPECT_EQ(
      two,
      dots(
          R"(C:\GAMES\QUAKE2\quake2.exe···-HEAPSIZE·32000··+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\··-nocdaudio··-nojoy·)"));
  EXPECT_EQ(two.size(), 132u);

  CommandLineInputs third = gamesFolder();
  third.gameChoice = GameChoice::Custom2;
  third.customSubdirectory = {"A", "CTF", "C"};
  third.customConfig = {"a.cfg", "MY-CTF.CFG", "c.cfg"};
  third.gameType = GameType::MultiplayerClient;
  third.serverAddress = "192.168.1.10";
  third.cdAudio = true;
  const std::string three = composeGameCommandLine(third);
  EXPECT_EQ(
      three,
      dots(
          R"(C:\GAMES\QUAKE2\quake2.exe·+set·game·CTF··+Connect·192.168.1.10···+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·MY-CTF.CFG··-nojoy·)"));
  EXPECT_EQ(three.size(), 149u);

  CommandLineInputs empty;
  empty.cdAudio = empty.joystick = true;
  const std::string four = composeGameCommandLine(empty);
  EXPECT_EQ(four, dots(R"(\quake2.exe·····+set·cddir·:\install\data·+set·basedir···+·exec·\·)"));
  EXPECT_EQ(four.size(), 66u);
}

TEST(GameCommandLine, EachCustomGameTakesOnlyItsOwnSubdirectoryAndConfig) {
  CommandLineInputs in = gamesFolder();
  in.customSubdirectory = {"one", "two", "three"};
  in.customConfig = {"1.cfg", "2.cfg", "3.cfg"};
  in.cdAudio = in.joystick = true;
  const GameChoice choices[] = {GameChoice::Custom1, GameChoice::Custom2, GameChoice::Custom3};
  for (int n = 0; n < 3; ++n) {
    in.gameChoice = choices[n];
    const std::string line = composeGameCommandLine(in);
    EXPECT_NE(line.find(" +set game " + in.customSubdirectory[n] + "  "), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with(" + exec " + in.customConfig[n] + " ")) << line;
    for (int other = 0; other < 3; ++other) {
      if (other != n) EXPECT_EQ(line.find(in.customConfig[other]), std::string::npos) << line;
    }
  }
}

TEST(GameCommandLine, EmptyPiecesStayInPlace) {
  CommandLineInputs in;
  in.gameChoice = GameChoice::Custom1;
  in.gameType = GameType::MultiplayerClient;
  in.cdAudio = in.joystick = true;
  // Empty subdirectory, server address and config: every piece stands with its own blanks.
  EXPECT_EQ(composeGameCommandLine(in),
            R"(\quake2.exe +set game   +Connect    +set cddir :\install\data +set basedir   + exec  )");
}

TEST(GameCommandLine, OnlyTheConnectPieceFollowsTheGameType) {
  CommandLineInputs in = gamesFolder();
  in.serverAddress = "10.0.0.1";
  const std::string single = composeGameCommandLine(in);
  in.gameType = GameType::MultiplayerClient;
  const std::string multi = composeGameCommandLine(in);
  const std::string head = R"(C:\GAMES\QUAKE2\quake2.exe )";
  ASSERT_TRUE(single.starts_with(head + " "));
  EXPECT_EQ(multi, head + " +Connect 10.0.0.1" + single.substr(head.size() + 1));
}

TEST(GameCommandLine, ValuesPassUnquotedAndUnmended) {
  CommandLineInputs in;
  in.q2Folder = R"(C:\Program Files\Quake2\)";
  in.options = "+set a \"b c\" $(x)";
  in.joystick = true;  // CD audio off, joystick on: only the CD switch
  const std::string line = composeGameCommandLine(in);
  EXPECT_TRUE(line.starts_with(R"(C:\Program Files\Quake2\\quake2.exe )"));
  EXPECT_NE(line.find(R"( +set basedir C:\Program Files\Quake2\ )"), std::string::npos);
  EXPECT_NE(line.find("  +set a \"b c\" $(x)  +set cddir"), std::string::npos);
  EXPECT_TRUE(line.ends_with(R"(+ exec \  -nocdaudio )"));
}

}  // namespace
}  // namespace fendral::launch
