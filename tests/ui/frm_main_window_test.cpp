#include <QGroupBox>

#include "main_window_fixture.h"

class MainWindowStart : public MainWindowTest {};

TEST_F(MainWindowStart, OpensInTheLaunchViewAsDesigned) {
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

  const QString longText(40000, 'x');  // beyond a line edit's default limit
  field("txtOptions")->setText(longText);
  EXPECT_EQ(text("txtOptions"), longText);

  window->show();
  EXPECT_EQ(window->focusWidget(), find("cmdLaunch"));

  // Spelled here apart from the window's own constants, so a slipped blank or quote shows.
  const struct {
    const char *name, *caption, *tip;
  } texts[] = {
      {"lblTitle", "Fendral", ""},
      {"cmdSetup", "", "Setup"},
      {"cmdLaunch", "", "Launch"},
      {"optStandard", "Standard  Quake 2", ""},
      {"txtDebugProgram", "Debug Command Line", ""},
      {"txtDebugBatch", "Debug Batch File Call", ""},
      {"txtCDpath", "", "Type in the drive letter of your cdrom.  ie. \"D\""},
      {"txtQ2path", "", "Type in the path to your Quake2 folder.  ie. \"C:\\GAMES\\QUAKE2"},
      {"frmConfigFile", "Your standard config file (if any)", ""},
      {"txtConfig", "", "Add the name of your special config file for STANDARD games. eg. \"TAMRO.CFG\""},
      {"cmdSampleConfig", "Example (3DFX)", "Create or edit a config file. "},
      {"lblBatchFile", "Name of your batch file: (must be located in your Q2 directory)", ""},
      {"txtBatchFileLocation", "", "A special batch file goes here.  I use \"3DFX.BAT\"."},
      {"txtG1D", "", "Add a \"friendly\" name for your game setting.  eg. \"Capture the Flag\""},
      {"txtG3C", "", "Enter the mod's subdirectory.  eg. \"CTF\""},
      {"txtG2Config", "",
       "Add the name of your special config file for CUSTOM games. eg. \"MY-CTF.CFG\".   Must be in above "
       "directory."},
  };
  for (const auto& [name, caption, tip] : texts) {
    QWidget* widget = find(name);
    EXPECT_EQ(widget->property(qobject_cast<QGroupBox*>(widget) ? "title" : "text").toString(), caption)
        << name;
    EXPECT_EQ(widget->toolTip(), tip) << name;
  }

  EXPECT_EQ(window->size(), QSize(361, 336));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  const std::pair<const char*, QRect> places[] = {
      {"cmdSetup", {0, 0, 41, 41}},           {"cmdCancel", {0, 0, 41, 41}},
      {"lblTitle", {64, 8, 241, 33}},         {"cmdQuit", {320, 0, 43, 41}},
      {"frmGameChoice", {8, 48, 345, 121}},   {"frmGameType", {8, 176, 345, 113}},
      {"tabSetup", {8, 48, 353, 241}},        {"cmdHelp", {0, 296, 41, 41}},
      {"cmdSave", {160, 296, 43, 41}},        {"cmdLaunch", {320, 296, 41, 41}},
      {"txtDebugBatch", {8, 416, 353, 25}},   {"cmdDebug", {280, 448, 81, 25}},
      {"txtDebugProgram", {8, 384, 353, 25}},
  };
  for (const auto& [name, place] : places) EXPECT_EQ(find(name)->geometry(), place) << name;
}
