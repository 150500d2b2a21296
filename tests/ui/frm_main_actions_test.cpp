#include "launch/command_line.h"
#include "main_window_fixture.h"
#include "platform/host_path.h"

class Toggles : public MainWindowTest {};

TEST_F(Toggles, ShowAndHideTheirControlsAndKeepTheText) {
  writeIni("[Main]\nServerIP=10.0.0.7\n");
  open();
  click("optMultiplayer");
  EXPECT_TRUE(shown("txtServerIP"));
  click("optSinglePlayer");
  EXPECT_FALSE(shown("txtServerIP"));
  EXPECT_EQ(text("txtServerIP"), "10.0.0.7");
  // The choices given on the command line select as clicks do.
  window->selectLaunchChoices(fendral::launch::GameChoice::Custom3,
                              fendral::launch::GameType::MultiplayerClient);
  EXPECT_TRUE(selected("optG3") && selected("optMultiplayer") && shown("txtServerIP"));
  window->selectLaunchChoices(fendral::launch::GameChoice::Standard, fendral::launch::GameType::SinglePlayer);
  EXPECT_TRUE(selected("optStandard") && selected("optSinglePlayer") && !shown("txtServerIP"));

  click("cmdSetup");
  const char* batchControls[] = {"lblBatchFile", "txtBatchFileLocation", "cmdBatchEdit", "cmdExampleBatch"};
  click("optBatchFileYes");
  for (const char* name : batchControls) EXPECT_TRUE(shown(name)) << name;
  field("txtBatchFileLocation")->setText("3DFX.BAT");
  click("optBatchFileNo");
  for (const char* name : batchControls) EXPECT_FALSE(shown(name)) << name;
  EXPECT_EQ(text("txtBatchFileLocation"), "3DFX.BAT");
  EXPECT_EQ(text("txtBatchFileStatus"), "");  // only Save sets the stored switch
}

// The launch sequence itself is tested at the core; the window adds reading every field and
// option into it, and showing its texts, which a failure leaves as they were.
class Launch : public MainWindowTest {};

TEST_F(Launch, DebugAndLaunchReadTheWholeWindow) {
  platform.existing = {"C:\\Q2\\quake2.exe ", "C:\\Q2\\3DFX.BAT"};
  open();
  fill("txtQ2path", "C:\\Q2", "txtCDpath", "E", "txtOptions", "-HEAPSIZE 32000", "txtServerIP", "1.2.3.4",
       "txtConfig", "STD.CFG", "txtG1C", "ONE", "txtG2C", "CTF", "txtG3C", "THREE", "txtG1Config", "1.CFG",
       "txtG2Config", "2.CFG", "txtG3Config", "3.CFG", "txtBatchFileLocation", "3DFX.BAT");
  click("optG2", "optMultiplayer", "optCDaudioYes", "optJoystickYes", "optBatchFileYes");
  using namespace fendral::launch;
  const std::array<std::string, 3> mods{"ONE", "CTF", "THREE"}, configs{"1.CFG", "2.CFG", "3.CFG"};
  const std::string game =
      composeGameCommandLine({"C:\\Q2", "E", "-HEAPSIZE 32000", "1.2.3.4", "STD.CFG", mods, configs,
                              GameType::MultiplayerClient, GameChoice::Custom2, true, true});

  click("cmdDebug");
  const auto boxes = [&] {
    return text("txtDebugProgram").toStdString() + " | " + text("txtDebugBatch").toStdString();
  };
  EXPECT_EQ(boxes(), game + " | C:\\Q2\\3DFX.BAT");
  field("txtQ2path")->setText("C:\\ELSEWHERE");
  click("cmdDebug", "cmdLaunch");
  EXPECT_EQ(platform.messages, std::vector<std::string>(2, "Either quake2.exe or 3DFX.BAT was not found!"));
  EXPECT_EQ(boxes(), game + " | C:\\Q2\\3DFX.BAT");
  EXPECT_TRUE(platform.started.empty());
  EXPECT_EQ(platform.calls.back(), "message Either quake2.exe or 3DFX.BAT was not found!");

  fill("txtQ2path", "C:\\Q2", "txtDebugProgram", "", "txtDebugBatch", "");
  click("cmdLaunch");
  EXPECT_EQ(boxes(), game + " | C:\\Q2\\3DFX.BAT");
  EXPECT_EQ(platform.started,
            (std::vector<std::string>{fendral::platform::absoluteHostPath("C:\\Q2\\3DFX.BAT"),
                                      "C:\\Q2\\quake2.exe"}));
  EXPECT_EQ(platform.gameSubdirectories.back(), "CTF");
  EXPECT_EQ(platform.calls.back(), "end");
}

class OtherButtons : public MainWindowTest {};

TEST_F(OtherButtons, EditorsOpenTheFileAsTyped) {
  open();
  fill("txtQ2path", "C:\\QUAKE2", "txtConfig", "TAMRO.CFG", "txtBatchFileLocation", "3DFX.BAT", "txtG1C",
       "CTF", "txtG1Config", "MY-CTF.CFG", "txtG2C", "MY MOD", "txtG3Config", "3.CFG");
  click("cmdConfigEdit", "cmdBatchEdit", "cmdG1ConfigEdit", "cmdG2ConfigEdit", "cmdG3ConfigEdit");
  std::vector<std::string> files;
  for (const auto& start : platform.starts) files.push_back(start.arguments.at(0));
  EXPECT_EQ(files,
            (std::vector<std::string>{"C:/QUAKE2/baseq2/TAMRO.CFG", "C:/QUAKE2/3DFX.BAT",
                                      "C:/QUAKE2/CTF/MY-CTF.CFG", "C:/QUAKE2/MY MOD/", "C:/QUAKE2//3.CFG"}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OtherButtons, ExitAndClosingEndAtOnceWithoutSaving) {
  open().show();
  click("cmdSetup");
  field("txtQ2path")->setText("unsaved");
  click("cmdQuit");
  window->close();
  EXPECT_EQ(platform.calls, std::vector<std::string>(2, "end"));
  EXPECT_FALSE(QFile::exists(iniFile()));
}
