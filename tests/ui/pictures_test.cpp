#include <QTabWidget>

#include "main_window_fixture.h"
#include "pictures.h"

// Not checks but pictures to look at: the launch view and each page of the setup panel.
class MainWindowPictures : public MainWindowTest {};

TEST_F(MainWindowPictures, BothViews) {
  writeIni(
      "[Main]\nQ2Location=C:\\GAMES\\QUAKE2\nCDLocation=D\nG1D=Capture the Flag\nG1C=CTF\n"
      "G1Config=MY-CTF.CFG\nConfig=TAMRO.CFG\nBatchFileStatus=True\nBatchFileLocation=3DFX.BAT\n");
  auto& w = open();
  w.show();
  EXPECT_TRUE(savePicture(w, "launch_view"));

  button("cmdSetup")->click();
  auto* panel = find<QTabWidget>("tabSetup");
  const char* names[] = {"setup_program_locations", "setup_game_settings", "setup_custom_games"};
  for (int tab = 0; tab < 3; ++tab) {
    panel->setCurrentIndex(tab);
    EXPECT_TRUE(savePicture(w, names[tab]));
  }
}
