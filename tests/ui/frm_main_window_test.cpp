#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <climits>

#include "main_window_fixture.h"

class MainWindowStart : public MainWindowTest {};

TEST_F(MainWindowStart, OpensInTheLaunchViewWithTheDesignedSelections) {
  open();
  for (const char* name : {"cmdSetup", "frmGameChoice", "frmGameType", "cmdExampleBatch"})
    EXPECT_TRUE(shown(name));
  for (const char* name :
       {"cmdCancel", "cmdSave", "tabSetup", "txtServerIP", "lblBatchFile", "txtBatchFileLocation",
        "cmdBatchEdit", "txtCDaudio", "txtBatchFileStatus", "txtJoystick"})
    EXPECT_FALSE(shown(name)) << name;
  for (const char* name :
       {"optStandard", "optSinglePlayer", "optCDaudioNo", "optJoystickNo", "optBatchFileNo"})
    EXPECT_TRUE(selected(name)) << name;

  // With no settings file the load still replaces the initial captions.
  EXPECT_EQ(button("optG1")->text(), "Game 1 ");
  EXPECT_EQ(button("optG2")->text(), "Game 2 ");
  EXPECT_EQ(button("optG3")->text(), "Game 3 ");
  EXPECT_EQ(text("txtDebugProgram"), "Debug Command Line");
  EXPECT_EQ(text("txtDebugBatch"), "Debug Batch File Call");

  auto* panel = find<QTabWidget>("tabSetup");
  EXPECT_EQ(panel->tabText(panel->currentIndex()), "Game Settings");
  EXPECT_EQ(window->iniPath(), folder.path().toStdString() + "\\fendral.ini");
  EXPECT_EQ(window->windowTitle(), "Fendral");
  for (QWidget* widget : window->findChildren<QWidget*>()) EXPECT_TRUE(widget->isEnabled());
}

TEST_F(MainWindowStart, LaunchHoldsTheFocusOnceShown) {
  open().show();
  EXPECT_EQ(window->focusWidget(), find("cmdLaunch"));
}

TEST_F(MainWindowStart, WindowLevelControlsSitAtTheirDesignedPlaces) {
  open();
  EXPECT_EQ(window->size(), QSize(361, 336));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  const struct {
    const char* name;
    QRect place;
  } places[] = {
      {"cmdSetup", {0, 0, 41, 41}},           {"cmdCancel", {0, 0, 41, 41}},
      {"lblTitle", {64, 8, 241, 33}},         {"cmdQuit", {320, 0, 43, 41}},
      {"frmGameChoice", {8, 48, 345, 121}},   {"frmGameType", {8, 176, 345, 113}},
      {"tabSetup", {8, 48, 353, 241}},        {"cmdHelp", {0, 296, 41, 41}},
      {"cmdSave", {160, 296, 43, 41}},        {"cmdLaunch", {320, 296, 41, 41}},
      {"txtDebugProgram", {8, 384, 353, 25}}, {"txtDebugBatch", {8, 416, 353, 25}},
      {"cmdDebug", {280, 448, 81, 25}},
  };
  for (const auto& [name, place] : places) EXPECT_EQ(find(name)->geometry(), place) << name;
}

// Spelled here independently of the window's own constants, so a slipped blank shows.
TEST_F(MainWindowStart, CaptionsAndTooltipsAreExact) {
  open();
  const char* configTip = "Create or edit a config file. ";
  const struct {
    const char* name;
    const char* caption;
    const char* tip;
  } texts[] = {
      {"lblTitle", "Fendral", ""},
      {"cmdSetup", "", "Setup"},
      {"cmdCancel", "", "Cancel"},
      {"cmdQuit", "", "Exit"},
      {"cmdHelp", "", "Help"},
      {"cmdSave", "", "Save"},
      {"cmdLaunch", "", "Launch"},
      {"cmdDebug", "Debug", ""},
      {"frmGameChoice", "Game Choice", ""},
      {"frmGameType", "Game Type", ""},
      {"optStandard", "Standard  Quake 2", ""},
      {"optSinglePlayer", "Single Player", ""},
      {"optMultiplayer", "Multiplayer Client", ""},
      {"lblCDlocation", "CD Drive Letter:", ""},
      {"txtCDpath", "", "Type in the drive letter of your cdrom.  ie. \"D\""},
      {"lblQ2location", "Path to your Quake2 folder:", ""},
      {"txtQ2path", "", "Type in the path to your Quake2 folder.  ie. \"C:\\GAMES\\QUAKE2"},
      {"lblOptions", "Any extra command line options:", ""},
      {"txtOptions", "", "Add special commands here.  ie. \"-HEAPSIZE 32000\""},
      {"frmConfigFile", "Your standard config file (if any)", ""},
      {"txtConfig", "", "Add the name of your special config file for STANDARD games. eg. \"TAMRO.CFG\""},
      {"cmdConfigEdit", "Edit or Create", configTip},
      {"cmdSampleConfig", "Example (3DFX)", configTip},
      {"frmCDaudio", "Use CD Audio", ""},
      {"frmJoystick", "Use Joystick", ""},
      {"optCDaudioYes", "Yes", ""},
      {"optJoystickNo", "No", ""},
      {"ConfigEdit", "Special Batch Files", ""},
      {"lblBatchFile", "Name of your batch file: (must be located in your Q2 directory)", ""},
      {"txtBatchFileLocation", "", "A special batch file goes here.  I use \"3DFX.BAT\"."},
      {"cmdBatchEdit", "Edit or Create", "Create or edit a batch file. "},
      {"cmdExampleBatch", "Example (3DFX)", configTip},
      {"lblGame2", "2", ""},
      {"lblG3D", "Description", ""},
      {"txtG1D", "", "Add a \"friendly\" name for your game setting.  eg. \"Capture the Flag\""},
      {"lblG2C", "Subdirectory", ""},
      {"txtG3C", "", "Enter the mod's subdirectory.  eg. \"CTF\""},
      {"lblG1Config", "Custom Config (if any)", ""},
      {"txtG2Config", "",
       "Add the name of your special config file for CUSTOM games. eg. \"MY-CTF.CFG\".   Must be in above "
       "directory."},
      {"cmdG3ConfigEdit", "Edit or Create", configTip},
  };
  for (const auto& [name, caption, tip] : texts) {
    QWidget* widget = find(name);
    const char* property = qobject_cast<QGroupBox*>(widget) ? "title" : "text";
    EXPECT_EQ(widget->property(property).toString(), caption) << name;
    EXPECT_EQ(widget->toolTip(), tip) << name;
  }
  auto* panel = find<QTabWidget>("tabSetup");
  EXPECT_EQ(panel->tabText(0), "Program Locations");
  EXPECT_EQ(panel->tabText(1), "Game Settings");
  EXPECT_EQ(panel->tabText(2), "Custom Games");
  EXPECT_EQ(button("cmdLaunch")->accessibleName(), "Launch");
}

TEST_F(MainWindowStart, OptionGroupsAreIndependent) {
  open();
  button("optG2")->click();
  button("optCDaudioYes")->click();
  EXPECT_TRUE(selected("optG2"));
  EXPECT_FALSE(selected("optStandard"));
  EXPECT_TRUE(selected("optSinglePlayer"));
  EXPECT_TRUE(selected("optCDaudioYes"));
  EXPECT_TRUE(selected("optJoystickNo"));
  EXPECT_TRUE(selected("optBatchFileNo"));
}

TEST_F(MainWindowStart, TextFieldsTakeLongTextWhole) {
  open();
  const QString longText(40000, 'x');
  field("txtOptions")->setText(longText);
  EXPECT_EQ(text("txtOptions"), longText);
  field("txtCDpath")->setText("DE");
  EXPECT_EQ(text("txtCDpath"), "DE");
}
