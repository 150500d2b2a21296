#include <QApplication>
#include <QTabWidget>

#include "main_window_fixture.h"
#include "pictures.h"
#include "ui/frm_help.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/two_row_tab_panel.h"

// Not checks but pictures to look at: every view of every window.
class Pictures : public MainWindowTest {};

TEST_F(Pictures, EveryViewOfEveryWindow) {
  writeIni(
      "[Main]\nQ2Location=C:\\GAMES\\QUAKE2\nCDLocation=D\nG1D=Capture the Flag\nG1C=CTF\n"
      "G1Config=MY-CTF.CFG\nConfig=TAMRO.CFG\nBatchFileStatus=True\nBatchFileLocation=3DFX.BAT\n");
  auto& w = open();
  w.show();
  EXPECT_TRUE(savePicture(w, "launch_view"));
  click("cmdSetup");
  auto* panel = find<QTabWidget>("tabSetup");
  const char* names[] = {"setup_program_locations", "setup_game_settings", "setup_custom_games"};
  for (int tab = 0; tab < 3; ++tab) {
    panel->setCurrentIndex(tab);
    EXPECT_TRUE(savePicture(w, names[tab]));
  }

  fendral::ui::frmHelp help;
  help.show();
  EXPECT_TRUE(savePicture(help, "frmHelp"));
  auto* tabs = help.findChild<fendral::ui::TwoRowTabPanel*>("tabHelp");
  help.activateWindow();
  tabs->setFocus();  // the pages' pictures show the focus mark on the selected tab
  QApplication::processEvents();
  const QStringList pages = {"basics", "launching", "about", "locations", "settings", "custom"};
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    EXPECT_TRUE(savePicture(help, "frmHelp_" + pages[i]));
  }

  fendral::ui::frmSampleBatch batch;
  batch.show();
  EXPECT_TRUE(savePicture(batch, "frmSampleBatch"));
  fendral::ui::frmSampleConfig config;
  config.show();
  EXPECT_TRUE(savePicture(config, "frmSampleConfig"));
}
