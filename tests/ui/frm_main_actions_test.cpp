#include "launch/command_line.h"
#include "main_window_fixture.h"

class Toggles : public MainWindowTest {};

TEST_F(Toggles, ShowAndHideTheirControlsAndKeepTheText) {
  writeIni("[Main]\nServerIP=10.0.0.7\n");
  open();
  button("optMultiplayer")->click();
  EXPECT_TRUE(shown("txtServerIP"));
  button("optSinglePlayer")->click();
  EXPECT_FALSE(shown("txtServerIP"));
  EXPECT_EQ(text("txtServerIP"), "10.0.0.7");

  button("cmdSetup")->click();
  const char* batchControls[] = {"lblBatchFile", "txtBatchFileLocation", "cmdBatchEdit", "cmdExampleBatch"};
  button("optBatchFileYes")->click();
  for (const char* name : batchControls) EXPECT_TRUE(shown(name)) << name;
  field("txtBatchFileLocation")->setText("3DFX.BAT");
  button("optBatchFileNo")->click();
  for (const char* name : batchControls) EXPECT_FALSE(shown(name)) << name;
  EXPECT_EQ(text("txtBatchFileLocation"), "3DFX.BAT");
  EXPECT_EQ(text("txtBatchFileStatus"), "");  // only Save sets the stored switch
}

class Launch : public MainWindowTest {
 protected:
  void fillSetup(bool batchUse) {
    open();
    field("txtQ2path")->setText("C:\\Q2");
    field("txtBatchFileLocation")->setText("3DFX.BAT");
    if (batchUse) button("optBatchFileYes")->click();
  }
};

TEST_F(Launch, TestsStartsBatchThenGameThenEnds) {
  gameInstalledAt("C:\\Q2");
  platform.existing.insert("C:\\Q2\\3DFX.BAT");
  fillSetup(true);
  button("cmdLaunch")->click();
  const std::string game = text("txtDebugProgram").toStdString();
  EXPECT_TRUE(game.starts_with("C:\\Q2\\quake2.exe")) << game;
  EXPECT_EQ(text("txtDebugBatch"), "C:\\Q2\\3DFX.BAT");
  EXPECT_EQ(platform.calls, (std::vector<std::string>{"test C:\\Q2\\quake2.exe ", "test C:\\Q2\\3DFX.BAT",
                                                      "start C:\\Q2\\3DFX.BAT", "start " + game, "end"}));
}

TEST_F(Launch, AFailureStopsAtItsStepWithOneMessage) {
  const struct {
    const char* what;
    bool gameThere, batchUse, batchThere, startWorks, boxesChanged;
    std::vector<std::string> started;
  } cases[] = {
      {"no quake2.exe", false, true, true, true, false, {}},
      {"no batch file", true, true, false, true, false, {}},
      {"batch file does not start", true, true, true, false, false, {"C:\\Q2\\3DFX.BAT"}},
      {"game does not start", true, false, false, false, true, {}},
  };
  for (const auto& c : cases) {
    platform = RecordingPlatform(folder.path().toStdString());
    if (c.gameThere) gameInstalledAt("C:\\Q2");
    if (c.batchThere) platform.existing.insert("C:\\Q2\\3DFX.BAT");
    platform.startSucceeds = c.startWorks;
    fillSetup(c.batchUse);
    button("cmdLaunch")->click();

    EXPECT_EQ(platform.messages, std::vector<std::string>{"Either quake2.exe or 3DFX.BAT was not found!"})
        << c.what;
    EXPECT_EQ(platform.ends, 0) << c.what;
    EXPECT_EQ(text("txtDebugBatch") != "Debug Batch File Call", c.boxesChanged) << c.what;
    EXPECT_EQ(text("txtDebugProgram") != "Debug Command Line", c.boxesChanged) << c.what;
    auto expected = c.started;
    if (c.boxesChanged) expected.push_back(text("txtDebugProgram").toStdString());  // the game's attempt
    EXPECT_EQ(platform.started, expected) << c.what;
  }
}

// Every field and choice reaches the command line: compare with one composed by hand.
TEST_F(Launch, DebugShowsTheLineALaunchWouldRunAndStartsNothing) {
  gameInstalledAt("C:\\Q2");
  open();
  const std::pair<const char*, const char*> values[] = {
      {"txtQ2path", "C:\\Q2"},    {"txtCDpath", "E"},       {"txtOptions", "-HEAPSIZE 32000"},
      {"txtServerIP", "1.2.3.4"}, {"txtConfig", "STD.CFG"}, {"txtG1C", "ONE"},
      {"txtG2C", "CTF"},          {"txtG3C", "THREE"},      {"txtG1Config", "1.CFG"},
      {"txtG2Config", "2.CFG"},   {"txtG3Config", "3.CFG"}, {"txtBatchFileLocation", "missing.bat"}};
  for (const auto& [name, value] : values) field(name)->setText(value);
  button("optG2")->click();
  button("optMultiplayer")->click();
  button("optCDaudioYes")->click();
  fendral::launch::CommandLineInputs inputs{"C:\\Q2",
                                            "E",
                                            "-HEAPSIZE 32000",
                                            "1.2.3.4",
                                            "STD.CFG",
                                            {"ONE", "CTF", "THREE"},
                                            {"1.CFG", "2.CFG", "3.CFG"},
                                            fendral::launch::GameType::MultiplayerClient,
                                            fendral::launch::GameChoice::Custom2,
                                            true,
                                            false};

  button("cmdDebug")->click();
  EXPECT_EQ(text("txtDebugProgram").toStdString(), fendral::launch::composeGameCommandLine(inputs));
  EXPECT_EQ(text("txtDebugBatch"), "C:\\Q2\\missing.bat");

  field("txtQ2path")->setText("C:\\ELSEWHERE");
  button("cmdDebug")->click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{"Either quake2.exe or missing.bat was not found!"});
  EXPECT_EQ(text("txtDebugBatch"), "C:\\Q2\\missing.bat");
  EXPECT_TRUE(platform.started.empty());
  EXPECT_EQ(platform.ends, 0);
}

class OtherButtons : public MainWindowTest {};

TEST_F(OtherButtons, EditorsStartNotepadWithThePathAsTyped) {
  open();
  for (const auto& [name, value] : {std::pair{"txtQ2path", "C:\\QUAKE2"},
                                    {"txtConfig", "TAMRO.CFG"},
                                    {"txtBatchFileLocation", "3DFX.BAT"},
                                    {"txtG1C", "CTF"},
                                    {"txtG1Config", "MY-CTF.CFG"},
                                    {"txtG2C", "MY MOD"},
                                    {"txtG3Config", "3.CFG"}})
    field(name)->setText(value);
  platform.startSucceeds = false;  // ignored: no message
  for (const char* name :
       {"cmdConfigEdit", "cmdBatchEdit", "cmdG1ConfigEdit", "cmdG2ConfigEdit", "cmdG3ConfigEdit"})
    button(name)->click();
  EXPECT_EQ(
      platform.started,
      (std::vector<std::string>{"notepad.exe C:\\QUAKE2\\baseq2\\TAMRO.CFG",
                                "notepad.exe C:\\QUAKE2\\3DFX.BAT", "notepad.exe C:\\QUAKE2\\CTF\\MY-CTF.CFG",
                                "notepad.exe C:\\QUAKE2\\MY MOD\\", "notepad.exe C:\\QUAKE2\\\\3.CFG"}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OtherButtons, ExitAndClosingEndAtOnceWithoutSaving) {
  open().show();
  button("cmdSetup")->click();
  field("txtQ2path")->setText("unsaved");
  button("cmdQuit")->click();
  EXPECT_EQ(platform.calls, std::vector<std::string>{"end"});
  window->close();
  EXPECT_EQ(platform.ends, 2);
  EXPECT_FALSE(QFile::exists(iniFile()));
}
