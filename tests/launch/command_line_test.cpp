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
  standard.serverAddress = "10.0.0.1";  // single player: no connect
  CommandLineInputs heap = inputs(games, "D", false, false);
  heap.options = "-HEAPSIZE 32000";
  CommandLineInputs ctf = inputs(games, "D", true, false);
  ctf.gameChoice = GameChoice::Custom2;
  ctf.customSubdirectory = {"A", "CTF", "C"};
  ctf.customConfig = {"a.cfg", "MY-CTF.CFG", "c.cfg"};
  ctf.gameType = GameType::MultiplayerClient;
  ctf.serverAddress = "192.168.1.10";
  CommandLineInputs third = ctf;
  third.gameChoice = GameChoice::Custom3;
  third.gameType = GameType::SinglePlayer;
  CommandLineInputs emptyCustom = inputs("", "", false, true);
  emptyCustom.gameChoice = GameChoice::Custom1;
  emptyCustom.gameType = GameType::MultiplayerClient;
  // Values pass unquoted and unmended, a trailing backslash too.
  CommandLineInputs raw = inputs(R"(C:\Program Files\Quake2\)", "D", false, true);
  raw.options = "+set a \"b c\" $(x)";

  const std::pair<CommandLineInputs, std::string_view> cases[] = {
      {standard,
       R"(C:\GAMES\QUAKE2\quake2.exe·····+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\MY.CFG·)"},
      {heap,
       R"(C:\GAMES\QUAKE2\quake2.exe···-HEAPSIZE·32000··+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·\··-nocdaudio··-nojoy·)"},
      {ctf,
       R"(C:\GAMES\QUAKE2\quake2.exe·+set·game·CTF··+Connect·192.168.1.10···+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·MY-CTF.CFG··-nojoy·)"},
      {third,
       R"(C:\GAMES\QUAKE2\quake2.exe·+set·game·C·····+set·cddir·D:\install\data·+set·basedir·C:\GAMES\QUAKE2··+·exec·c.cfg··-nojoy·)"},
      {inputs("", "", true, true), R"(\quake2.exe·····+set·cddir·:\install\data·+set·basedir···+·exec·\·)"},
      // Empty subdirectory, server address and config: every piece keeps its own blanks.
      {emptyCustom,
       R"(\quake2.exe·+set·game···+Connect····+set·cddir·:\install\data·+set·basedir···+·exec···-nocdaudio·)"},
      {raw,
       R"(C:\Program Files\Quake2\\quake2.exe···+set·a·"b·c"·$(x)··+set·cddir·D:\install\data·+set·basedir·C:\Program Files\Quake2\··+·exec·\··-nocdaudio·)"},
  };
  for (const auto& [in, expected] : cases) EXPECT_EQ(composeGameCommandLine(in), blanks(expected));
}

}  // namespace
}  // namespace fendral::launch
