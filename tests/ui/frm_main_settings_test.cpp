#include "main_window_fixture.h"

class SettingsLoad : public MainWindowTest {};
class SettingsSave : public MainWindowTest {};

// Only an exact "True" selects Yes, and no load selects No: Cancel keeps a Yes the file no longer
// holds, restores one it does, and reads the file as it is now.
TEST_F(SettingsLoad, AtStartAndOnCancel) {
  writeIni(
      "[Main]\r\nQ2Location=C:\\QUAKE2\r\nG1D=Capture the Flag\r\nJOYSTICK=True\r\nCDaudio=true\r\n"
      "BatchFileStatus=True\r\n");
  open();
  EXPECT_EQ(text("txtQ2path"), "C:\\QUAKE2");
  EXPECT_TRUE(selected("optJoystickYes"));
  EXPECT_TRUE(selected("optCDaudioNo"));
  EXPECT_TRUE(selected("optBatchFileYes"));
  EXPECT_TRUE(shown("txtBatchFileLocation"));
  EXPECT_EQ(button("optG1")->text(), "Game 1 Capture the Flag");

  click("cmdSetup");
  field("txtQ2path")->setText("D:\\EDITED");
  field("txtServerIP")->setText("typed, not saved");
  const QByteArray changedElsewhere =
      "[Main]\nQ2Location=E:\\Q2\nG2D=New\nBatchFileStatus=False\nCDaudio=True\n";
  writeIni(changedElsewhere);
  click("cmdCancel");
  EXPECT_EQ(text("txtQ2path"), "E:\\Q2");
  EXPECT_EQ(text("txtServerIP"), "");
  EXPECT_EQ(button("optG2")->text(), "Game 2 New");
  EXPECT_FALSE(shown("tabSetup"));
  EXPECT_TRUE(selected("optBatchFileYes"));
  EXPECT_TRUE(shown("cmdBatchEdit"));
  EXPECT_EQ(text("txtBatchFileStatus"), "False");
  EXPECT_TRUE(selected("optJoystickYes"));
  EXPECT_TRUE(selected("optCDaudioYes"));
  EXPECT_EQ(readIni(), changedElsewhere);
}

// A failed file test writes nothing and keeps the setup view; the prompt names the batch file as typed.
TEST_F(SettingsSave, TestsTheFilesThenWritesAllEighteenKeysAndKeepsForeignLines) {
  const QByteArray before = "; kept\n[Other]\nKey=1\n[Main]\nExtra=kept too\nQ2Location=old\n";
  writeIni(before);
  open();
  click("cmdSetup");
  fill("txtQ2path", "C:\\QUAKE2", "txtG1D", "Capture the Flag");
  click("optJoystickYes", "cmdSave");
  platform.existing.insert("C:\\QUAKE2\\quake2.exe ");  // as the window spells it
  fill("txtBatchFileLocation", "3DFX.BAT");
  click("optBatchFileYes", "cmdSave");
  EXPECT_EQ(platform.messages, (std::vector<std::string>{"Either quake2.exe or  was not found!",
                                                         "Either quake2.exe or 3DFX.BAT was not found!"}));
  EXPECT_EQ(readIni(), before);
  EXPECT_TRUE(shown("tabSetup"));
  EXPECT_EQ(text("txtJoystick"), "");

  fill("txtBatchFileLocation", "missing.bat");  // not tested: batch use is off
  platform.calls.clear();
  click("optBatchFileNo", "cmdSave");
  EXPECT_EQ(platform.calls, std::vector<std::string>{"test C:\\QUAKE2\\quake2.exe "});
  EXPECT_FALSE(shown("tabSetup"));
  EXPECT_EQ(button("optG2")->text(), "Game 2 ");
  const QByteArray saved = readIni();
  EXPECT_TRUE(saved.startsWith("; kept\n[Other]\nKey=1\n[Main]\nExtra=kept too\nQ2Location=C:\\QUAKE2\n"));
  for (const char* line : {"G1D=Capture the Flag\n", "G2D=\n", "Joystick=True\n", "CDaudio=False\n",
                           "BatchFileStatus=False\n", "BatchFileLocation=missing.bat\n"})
    EXPECT_TRUE(saved.contains(line)) << line;
  EXPECT_EQ(saved.count('\n'), 6 + 17);  // the six old lines, Q2Location replaced in place, 17 added

  // A new start asks for "JoyStick" and finds what was written as "Joystick".
  fendral::ui::frmMain again(platform, iniFile().toStdString());
  EXPECT_TRUE(again.findChild<QAbstractButton*>("optJoystickYes")->isChecked());
}

// UTF-8 shows as UTF-8, anything else as Windows-1252; unedited values go back byte for byte, edited
// ones in the encoding they came in, and the Quake 2 folder reaches the system as it was stored.
TEST_F(SettingsSave, ValuesKeepTheirBytesAndTheirEncoding) {
  const QByteArray before =
      "[Main]\r\nQ2Location=C:\\Caf\xE9\r\nOptions=\xEF\xBB\xBF+set a\r\nG1D=Caf\xC3\xA9\r\nG2D=\xE9t\xE9\r\n"
      "G3D=\x81\x8D\r\nG1C=\xE9\r\nG2C=\xE9\r\n";
  writeIni(before);
  open();
  EXPECT_EQ(text("txtQ2path"), QString::fromUtf8("C:\\Café"));
  EXPECT_EQ(text("txtOptions"), QString::fromUtf8("\uFEFF+set a"));
  EXPECT_EQ(text("txtG1D"), QString::fromUtf8("Café"));
  EXPECT_EQ(text("txtG2D"), QString::fromUtf8("été"));
  click("cmdSetup");
  fill("txtG2D", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "txtG1C", "\xC4\x80", "txtG2C", "");
  platform.existing.insert("C:\\Caf\xE9\\quake2.exe ");
  click("cmdSave");
  const QByteArray saved = readIni();
  EXPECT_TRUE(
      saved.startsWith("[Main]\r\nQ2Location=C:\\Caf\xE9\r\nOptions=\xEF\xBB\xBF+set "
                       "a\r\nG1D=Caf\xC3\xA9\r\nG2D=\xE9t\xE9 \x80\r\n"
                       "G3D=\x81\x8D\r\nG1C=\xC4\x80\r\nG2C=\r\n"))
      << saved.toStdString();

  click("cmdLaunch");
  ASSERT_FALSE(platform.started.empty());
  EXPECT_NE(platform.started.back().find("C:\\Caf\xE9"), std::string::npos);
}
