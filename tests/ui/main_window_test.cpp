#include <QCompleter>
#include <QThread>
#include <algorithm>
#include <filesystem>

#include "launch/command_line.h"
#include "launch/editor_command.h"
#include "platform/host_path.h"
#include "ui_harness.h"

using MainWindow = MainWindowTest;
using Words = std::vector<std::string>;

// Which controls show, which choices are made and where the focus is at start is what the Tab order
// proves.
TEST_F(MainWindow, OpensInTheLaunchViewAsDesigned) {
  open().show();
  // A fixed size, with the debug row out of sight below its bottom edge.
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_GE(find("txtDebugProgram")->y(), window->height());

  // The setup panel as its first opening shows it.
  click("cmdSetup");
  for (const char* name : {"lblBatchFile", "txtBatchFileLocation", "cmdBatchEdit", "txtCDaudio",
                           "txtBatchFileStatus", "txtJoystick"})
    EXPECT_FALSE(shown(name)) << name;
  const QString longText(40000, 'x');  // beyond a line edit's default limit
  field("txtOptions")->setText(longText);
  EXPECT_EQ(text("txtOptions"), longText);
}

TEST_F(MainWindow, TogglesShowAndHideTheirControlsAndKeepTheText) {
  writeIni("[Main]\nServerIP=10.0.0.7\n");
  open("optMultiplayer");
  EXPECT_TRUE(shown("txtServerIP"));
  click("optSinglePlayer");
  EXPECT_FALSE(shown("txtServerIP"));
  EXPECT_EQ(text("txtServerIP"), "10.0.0.7");
  // The choices given on the command line select as clicks do.
  using namespace fendral::launch;
  window->selectLaunchChoices(GameChoice::Custom3, GameType::MultiplayerClient);
  EXPECT_TRUE(selected("optG3") && selected("optMultiplayer") && shown("txtServerIP"));
  window->selectLaunchChoices(GameChoice::Standard, GameType::SinglePlayer);
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
// option into it (the two switches set apart), and showing its texts, which a failure leaves as they
// were. Until the setup panel is first opened, the file's values stand in for its fields.
TEST_F(MainWindow, DebugAndLaunchReadTheWholeWindow) {
  platform.existing = {"C:\\Q2\\quake2.exe ", "C:\\Q2\\3DFX.BAT"};
  writeIni(
      "[Main]\nQ2Location=C:\\Q2\nCDLocation=E\nOptions=-HEAPSIZE 32000\nServerIP=9.9.9.9\nConfig=STD.CFG\n"
      "G1C=ONE\nG2C=CTF\nG3C=THREE\nG1Config=1.CFG\nG2Config=2.CFG\nG3Config=3.CFG\nCDaudio=True\n"
      "JoyStick=False\nBatchFileStatus=True\nBatchFileLocation=3DFX.BAT\n");
  open("optG2", "optMultiplayer");
  fill("txtServerIP", "1.2.3.4");
  using namespace fendral::launch;
  const std::array<std::string, 3> mods{"ONE", "CTF", "THREE"}, configs{"1.CFG", "2.CFG", "3.CFG"};
  const std::string shownTexts =
      composeGameCommandLine({"C:\\Q2", "E", "-HEAPSIZE 32000", "1.2.3.4", "STD.CFG", mods, configs,
                              GameType::MultiplayerClient, GameChoice::Custom2, true, false}) +
      " | C:\\Q2\\3DFX.BAT";
  const auto boxes = [&] {
    return text("txtDebugProgram").toStdString() + " | " + text("txtDebugBatch").toStdString();
  };
  click("cmdDebug");
  EXPECT_EQ(boxes(), shownTexts);
  click("cmdSetup");
  fill("txtQ2path", "C:\\ELSEWHERE");
  click("cmdDebug", "cmdLaunch");
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(boxes(), shownTexts);
  EXPECT_TRUE(platform.started.empty());

  fill("txtQ2path", "C:\\Q2", "txtDebugProgram", "", "txtDebugBatch", "");
  click("cmdLaunch");
  EXPECT_EQ(boxes(), shownTexts);
  EXPECT_EQ(platform.started,
            (Words{fendral::platform::absoluteHostPath("C:\\Q2\\3DFX.BAT"), "C:\\Q2\\quake2.exe"}));
  EXPECT_EQ(platform.gameSubdirectories.back(), "CTF");
  EXPECT_EQ(platform.calls.back(), "end");
}

TEST_F(MainWindow, EditorsOpenTheFileAsTyped) {
  open("cmdSetup");
  fill("txtQ2path", "C:\\QUAKE2", "txtConfig", "TAMRO.CFG", "txtBatchFileLocation", "3DFX.BAT", "txtG1C",
       "CTF", "txtG1Config", "MY-CTF.CFG", "txtG2C", "MY MOD", "txtG3Config", "3.CFG");
  click("cmdConfigEdit", "cmdBatchEdit", "cmdG1ConfigEdit", "cmdG2ConfigEdit", "cmdG3ConfigEdit");
  Words files;
  for (const auto& start : platform.starts) files.push_back(start.arguments.at(0));
  EXPECT_EQ(files, (Words{"C:/QUAKE2/baseq2/TAMRO.CFG", "C:/QUAKE2/3DFX.BAT", "C:/QUAKE2/CTF/MY-CTF.CFG",
                          "C:/QUAKE2/MY MOD/", "C:/QUAKE2//3.CFG"}));
  // The editor beside the launcher; one that cannot start is said.
  const std::string editor = scratch.at("fendral-notepad");
  EXPECT_EQ(platform.starts.front().program, editor);
  EXPECT_TRUE(platform.messages.empty());
  platform.unstartable.insert(editor);
  click("cmdConfigEdit");
  EXPECT_EQ(platform.messages, Words{fendral::launch::editorFailurePrompt(scratch.path().string())});
}

TEST_F(MainWindow, ExitAndClosingEndAtOnceWithoutSaving) {
  open("cmdSetup").show();
  fill("txtQ2path", "unsaved");
  click("cmdQuit");
  window->close();
  EXPECT_EQ(platform.calls, Words(2, "end"));
  EXPECT_TRUE(scratch.names().empty());
}

// Only an exact "True" selects Yes, and no load selects No: Cancel keeps a Yes the file no longer
// holds, restores one it does, and reads the file as it is now.
TEST_F(MainWindow, SettingsLoadAtStartAndOnCancel) {
  writeIni(
      "[Main]\r\nQ2Location=C:\\QUAKE2\r\nG1D=Capture the Flag\r\nJOYSTICK=True\r\nCDaudio=true\r\n"
      "BatchFileStatus=True\r\n");
  open();
  EXPECT_EQ(button("optG1")->text(), "Game 1 Capture the Flag");
  click("cmdSetup");
  EXPECT_EQ(text("txtQ2path"), "C:\\QUAKE2");
  EXPECT_TRUE(selected("optJoystickYes") && selected("optCDaudioNo") && selected("optBatchFileYes"));
  EXPECT_TRUE(shown("txtBatchFileLocation"));

  fill("txtQ2path", "D:\\EDITED", "txtServerIP", "typed, not saved");
  const std::string changedElsewhere =
      "[Main]\nQ2Location=E:\\Q2\nG2D=New\nG3D=Third\nBatchFileStatus=False\nCDaudio=True\n";
  writeIni(changedElsewhere);
  click("cmdCancel");
  EXPECT_EQ(text("txtQ2path"), "E:\\Q2");
  EXPECT_EQ(text("txtServerIP"), "");
  EXPECT_EQ(button("optG2")->text(), "Game 2 New");
  EXPECT_EQ(button("optG3")->text(), "Game 3 Third");
  EXPECT_TRUE(!shown("tabSetup") && shown("frmGameChoice") && shown("frmGameType"));
  EXPECT_TRUE(selected("optBatchFileYes") && shown("cmdBatchEdit"));
  EXPECT_EQ(text("txtBatchFileStatus"), "False");
  EXPECT_TRUE(selected("optJoystickYes") && selected("optCDaudioYes"));
  EXPECT_EQ(readIni(), changedElsewhere);
}

// With no folder saved, the one found stands in for it, before the setup view too; only Save writes
// it, Cancel finds again, and a saved folder is never replaced, even one that is gone.
TEST_F(MainWindow, FirstRunTakesTheFoundFolderUntilOneIsSaved) {
  platform.foundQ2Folder = "/games/Quake 2";
  platform.existing.insert("/games/Quake 2\\quake2.exe ");
  open();
  click("cmdLaunch");
  EXPECT_EQ(platform.started, Words{"/games/Quake 2\\quake2.exe"});
  EXPECT_TRUE(scratch.names().empty());
  click("cmdSetup");
  EXPECT_EQ(text("txtQ2path"), "/games/Quake 2");
  click("cmdSave");
  EXPECT_TRUE(readIni().starts_with("[Main]\r\nQ2Location=/games/Quake 2\r\n")) << readIni();

  writeIni("[Main]\nQ2Location=/gone\n");
  click("cmdSetup", "cmdCancel", "cmdSetup");
  EXPECT_EQ(text("txtQ2path"), "/gone");
  EXPECT_EQ(platform.finds, 1);
  writeIni("[Main]\nQ2Location=\n");
  platform.foundQ2Folder = "/elsewhere";
  click("cmdCancel", "cmdSetup");
  EXPECT_EQ(text("txtQ2path"), "/elsewhere");
}

// Nothing completes before the first key; then the Quake 2 folder completes folders, and a custom
// game the folders in it that hold a game, made again for another Quake 2 folder.
TEST_F(MainWindow, FoldersCompleteFromTheFirstKey) {
  for (const char* file : {"q2/baseq2/pak0.pak", "q2/xatrix/game.so", "q2/ctf/gamex86.dll", "q2/xdocs/a.txt",
                           "q2/xa.pak", "other/xz/game.so"})
    scratch.put(file, "");
  open("cmdSetup");
  fill("txtQ2path", scratch.at("q").c_str());
  EXPECT_EQ(field("txtQ2path")->completer(), nullptr);
  EXPECT_EQ(field("txtG2C")->completer(), nullptr);
  pressKey(field("txtQ2path"), Qt::Key_2, Qt::NoModifier, "2");
  QCompleter* folders = field("txtQ2path")->completer();
  ASSERT_NE(folders, nullptr);
  for (int wait = 0; wait < 200 && folders->completionCount() == 0; ++wait) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  EXPECT_EQ(folders->currentCompletion(), QString::fromStdString(scratch.at("q2")));

  pressKey(field("txtG2C"), Qt::Key_X, Qt::NoModifier, "x");
  const auto offered = [&] {
    QStringList names;
    QCompleter* games = field("txtG2C")->completer();
    for (int row = 0; games->setCurrentRow(row); ++row) names << games->currentCompletion();
    return names;
  };
  EXPECT_EQ(offered(), QStringList{"xatrix"});
  fill("txtQ2path", scratch.at("other").c_str());
  pressKey(field("txtG2C"), Qt::Key_Backspace);
  EXPECT_EQ(offered(), QStringList{"xz"});
}

// A failed file test writes nothing and keeps the setup view; the prompt names the batch file as typed.
TEST_F(MainWindow, SaveTestsTheFilesThenWritesAllEighteenKeysAndKeepsForeignLines) {
  const std::string before = "; kept\n[Other]\nKey=1\n[Main]\nExtra=kept too\nQ2Location=old\n";
  writeIni(before);
  open("cmdSetup");
  fill("txtQ2path", "C:\\QUAKE2", "txtG1D", "Capture the Flag");
  click("optJoystickYes", "cmdSave");
  platform.existing.insert("C:\\QUAKE2\\quake2.exe ");  // as the window spells it
  fill("txtBatchFileLocation", "3DFX.BAT");
  click("optBatchFileYes", "cmdSave");
  EXPECT_EQ(platform.messages,
            (Words{"Either quake2.exe or  was not found!", "Either quake2.exe or 3DFX.BAT was not found!"}));
  EXPECT_EQ(readIni(), before);
  EXPECT_TRUE(shown("tabSetup"));
  EXPECT_EQ(text("txtJoystick"), "");

  fill("txtBatchFileLocation", "missing.bat");  // not tested: batch use is off
  platform.calls.clear();
  click("optBatchFileNo", "cmdSave");
  EXPECT_EQ(platform.calls, Words{"test C:\\QUAKE2\\quake2.exe "});
  EXPECT_TRUE(!shown("tabSetup") && shown("frmGameChoice") && shown("frmGameType"));
  EXPECT_EQ(button("optG2")->text(), "Game 2 ");
  const std::string saved = readIni();
  EXPECT_TRUE(saved.starts_with("; kept\n[Other]\nKey=1\n[Main]\nExtra=kept too\nQ2Location=C:\\QUAKE2\n"));
  for (const char* line : {"G1D=Capture the Flag\n", "G2D=\n", "Joystick=True\n", "CDaudio=False\n",
                           "BatchFileStatus=False\n", "BatchFileLocation=missing.bat\n"})
    EXPECT_NE(saved.find(line), std::string::npos) << line;
  EXPECT_EQ(std::ranges::count(saved, '\n'), 6 + 17);  // the six old lines, Q2Location replaced, 17 added
}

// UTF-8 shows as UTF-8, anything else as Windows-1252; unedited values go back byte for byte, edited
// ones in the encoding they came in, and the Quake 2 folder reaches the system as it was stored.
TEST_F(MainWindow, SavedValuesKeepTheirBytesAndTheirEncoding) {
  writeIni(
      "[Main]\r\nQ2Location=C:\\Caf\xE9\r\nOptions=\xEF\xBB\xBF+set a\r\nG1D=Caf\xC3\xA9\r\nG2D=\xE9t\xE9\r\n"
      "G3D=\x81\x8D\r\nG1C=\xE9\r\nG2C=\xE9\r\n");
  open("cmdSetup");
  EXPECT_EQ(text("txtQ2path"), QString::fromUtf8("C:\\Café"));
  EXPECT_EQ(text("txtOptions"), QString::fromUtf8("\uFEFF+set a"));
  EXPECT_EQ(text("txtG1D"), QString::fromUtf8("Café"));
  EXPECT_EQ(text("txtG2D"), QString::fromUtf8("été"));
  fill("txtG2D", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "txtG1C", "\xC4\x80", "txtG2C", "");
  platform.existing.insert("C:\\Caf\xE9\\quake2.exe ");
  click("cmdSave");
  EXPECT_TRUE(
      readIni().starts_with("[Main]\r\nQ2Location=C:\\Caf\xE9\r\nOptions=\xEF\xBB\xBF+set "
                            "a\r\nG1D=Caf\xC3\xA9\r\nG2D=\xE9t\xE9 \x80\r\n"
                            "G3D=\x81\x8D\r\nG1C=\xC4\x80\r\nG2C=\r\n"))
      << readIni();

  click("cmdLaunch");
  ASSERT_FALSE(platform.started.empty());
  EXPECT_NE(platform.started.back().find("C:\\Caf\xE9"), std::string::npos);
}

// Launcher A, open since before B saved a new Quake 2 folder, saves an options change: B's folder
// stays, and so does the engine no field holds; A shows B's folder from then on.
TEST_F(MainWindow, SaveKeepsWhatAnotherLauncherSavedMeanwhile) {
  writeIni("[Main]\nQ2Location=C:\\OLD\nEngine=q2pro\n");
  platform.existing = {"C:\\OLD\\quake2.exe ", "C:\\NEW\\quake2.exe "};
  fendral::ui::frmMain b(platform, ini());
  open();
  b.Show_setup_view();
  b.findChild<QLineEdit*>("txtQ2path")->setText("C:\\NEW");
  b.cmdSave_Click();
  click("cmdSetup");
  fill("txtOptions", "+set mine 1");
  click("cmdSave");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(readIni().starts_with("[Main]\nQ2Location=C:\\NEW\nEngine=q2pro\n")) << readIni();
  EXPECT_NE(readIni().find("Options=+set mine 1"), std::string::npos);
  EXPECT_EQ(text("txtQ2path"), "C:\\NEW");
}

// Read from a shared file, saved into the player's own with the shared file's other lines: from then
// on the window reads its own. A Save that cannot write says which file and why, and keeps the setup
// view with the edits, so a second Save once the cause is gone still has them.
TEST_F(MainWindow, TheFirstSaveIntoTheOwnFileIsReadFromThen) {
  const std::string shared = "; for everyone\n[Main]\nQ2Location=C:\\Q2\n[Keep]\nk=v\n";
  scratch.put("shared.ini", shared);
  std::filesystem::create_directory(ini());
  platform.existing.insert("C:\\Q2\\quake2.exe ");
  window = std::make_unique<fendral::ui::frmMain>(platform, scratch.at("shared.ini"), ini());
  click("cmdSetup");
  fill("txtOptions", "+set mine 1");
  click("cmdSave");
  EXPECT_EQ(platform.messages,
            Words{"The settings could not be saved in " + ini() + ": it is not a regular file."});
  EXPECT_TRUE(shown("tabSetup"));
  std::filesystem::remove(ini());
  click("cmdSave", "cmdSetup");
  EXPECT_EQ(text("txtOptions"), "+set mine 1");
  EXPECT_EQ(scratch.get("shared.ini"), shared);
  EXPECT_EQ(window->iniPath(), ini());
  EXPECT_TRUE(readIni().starts_with("; for everyone\n[Main]\nQ2Location=C:\\Q2\n")) << readIni();
  EXPECT_NE(readIni().find("[Keep]\nk=v\n"), std::string::npos);
}
