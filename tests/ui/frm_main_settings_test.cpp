#include "main_window_fixture.h"

class SettingsLoad : public MainWindowTest {};

TEST_F(SettingsLoad, OnlyAnExactTrueSelectsYes) {
  writeIni(
      "[Main]\r\nQ2Location=C:\\QUAKE2\r\nG1D=Capture the Flag\r\nJOYSTICK=True\r\nCDaudio=true\r\n"
      "BatchFileStatus=True\r\n");
  open();
  EXPECT_EQ(text("txtQ2path"), "C:\\QUAKE2");
  EXPECT_TRUE(selected("optJoystickYes"));
  EXPECT_TRUE(selected("optCDaudioNo"));
  EXPECT_TRUE(selected("optBatchFileYes"));
  for (const char* name : {"lblBatchFile", "txtBatchFileLocation", "cmdBatchEdit", "cmdExampleBatch"})
    EXPECT_TRUE(shown(name)) << name;
  EXPECT_EQ(button("optG1")->text(), "Game 1 Capture the Flag");
  EXPECT_EQ(button("optG2")->text(), "Game 2 ");
}

TEST_F(SettingsLoad, CancelReadsTheFileAsItIsNow) {
  writeIni("[Main]\nQ2Location=C:\\QUAKE2\nG2D=Old\n");
  open();
  button("cmdSetup")->click();
  field("txtQ2path")->setText("D:\\EDITED");
  field("txtServerIP")->setText("typed, not saved");
  writeIni("[Main]\nQ2Location=E:\\GAMES\\Q2\nG2D=New\n");

  button("cmdCancel")->click();
  EXPECT_EQ(text("txtQ2path"), "E:\\GAMES\\Q2");
  EXPECT_EQ(text("txtServerIP"), "");
  EXPECT_EQ(button("optG2")->text(), "Game 2 New");
  EXPECT_TRUE(shown("frmGameChoice"));
  EXPECT_FALSE(shown("tabSetup"));
  EXPECT_EQ(readIni(), "[Main]\nQ2Location=E:\\GAMES\\Q2\nG2D=New\n");
}

// The reload selects Yes on a stored "True" and never selects No.
TEST_F(SettingsLoad, CancelKeepsAnUnsavedYesAndRestoresAStoredOne) {
  writeIni("[Main]\nBatchFileStatus=False\nJoystick=True\n");
  open();
  button("cmdSetup")->click();
  button("optBatchFileYes")->click();
  button("optJoystickNo")->click();
  button("cmdCancel")->click();
  EXPECT_TRUE(selected("optBatchFileYes"));
  EXPECT_TRUE(shown("cmdBatchEdit"));
  EXPECT_EQ(text("txtBatchFileStatus"), "False");
  EXPECT_TRUE(selected("optJoystickYes"));
}

class SettingsSave : public MainWindowTest {};

TEST_F(SettingsSave, AFailedFileTestChangesNothing) {
  const struct {
    bool gameThere, batchUse;
    const char *batchName, *prompt;
  } cases[] = {
      {false, false, "", "Either quake2.exe or  was not found!"},
      {true, true, "3DFX.BAT", "Either quake2.exe or 3DFX.BAT was not found!"},
  };
  for (const auto& c : cases) {
    platform = RecordingPlatform(folder.path().toStdString());
    if (c.gameThere) gameInstalledAt("C:\\Q2");
    open();
    button("cmdSetup")->click();
    field("txtQ2path")->setText("C:\\Q2");
    field("txtBatchFileLocation")->setText(c.batchName);
    if (c.batchUse) button("optBatchFileYes")->click();

    button("cmdSave")->click();
    EXPECT_EQ(platform.messages, std::vector<std::string>{c.prompt});
    EXPECT_FALSE(QFile::exists(iniFile()));
    EXPECT_TRUE(shown("tabSetup"));
    EXPECT_EQ(text("txtBatchFileStatus"), "");
  }
}

TEST_F(SettingsSave, WritesAllEighteenKeysAndKeepsForeignLines) {
  writeIni("; kept\n[Other]\nKey=1\n[Main]\nExtra=kept too\nQ2Location=old\n");
  gameInstalledAt("C:\\QUAKE2");
  open();
  button("cmdSetup")->click();
  field("txtQ2path")->setText("C:\\QUAKE2");
  field("txtG1D")->setText("Capture the Flag");
  field("txtBatchFileLocation")->setText("missing.bat");  // not tested: batch use is off
  button("optJoystickYes")->click();

  button("cmdSave")->click();
  EXPECT_EQ(platform.calls, std::vector<std::string>{"test C:\\QUAKE2\\quake2.exe "});
  EXPECT_FALSE(shown("tabSetup"));
  EXPECT_EQ(button("optG1")->text(), "Game 1 Capture the Flag");
  EXPECT_EQ(button("optG2")->text(), "Game 2 ");

  const QByteArray saved = readIni();
  EXPECT_TRUE(saved.startsWith("; kept\n[Other]\nKey=1\n[Main]\nExtra=kept too\nQ2Location=C:\\QUAKE2\n"));
  for (const char* line : {"G1D=Capture the Flag\n", "G2D=\n", "Joystick=True\n", "CDaudio=False\n",
                           "BatchFileStatus=False\n", "BatchFileLocation=missing.bat\n"})
    EXPECT_TRUE(saved.contains(line)) << line;
  EXPECT_EQ(saved.count('\n'), 6 + 17);  // the six old lines, Q2Location replaced in place, 17 added

  // A new start asks for "JoyStick" and finds what was written as "Joystick".
  fendral::ui::frmMain again(platform);
  EXPECT_TRUE(again.findChild<QAbstractButton*>("optJoystickYes")->isChecked());
}
