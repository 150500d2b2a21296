#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include "main_window_fixture.h"
#include "ui/frm_help.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/two_row_tab_panel.h"

// Saves what a person would see of `widget` as <build>/pictures/<name>.png, for looking at.
static bool savePicture(QWidget& widget, const QString& name) {
  QDir().mkpath(QStringLiteral(FENDRAL_PICTURES_DIR));
  return widget.grab().save(QStringLiteral(FENDRAL_PICTURES_DIR "/") + name + ".png");
}

// Not checks but pictures to look at: every view of every window.
class Pictures : public MainWindowTest {};

TEST_F(Pictures, EveryViewOfEveryWindow) {
  writeIni(
      "[Main]\nQ2Location=C:\\GAMES\\QUAKE2\nCDLocation=D\nG1D=Capture the Flag\nG1C=CTF\n"
      "G1Config=MY-CTF.CFG\nConfig=TAMRO.CFG\nBatchFileStatus=True\nBatchFileLocation=3DFX.BAT\n");
  fendral::ui::frmMain& main = open();
  main.show();
  EXPECT_TRUE(savePicture(main, "launch_view"));
  click("cmdSetup");
  auto* panel = find<QTabWidget>("tabSetup");
  for (int tab = 0; tab < panel->count(); ++tab) {
    panel->setCurrentIndex(tab);
    EXPECT_TRUE(savePicture(main, QString("setup_%1").arg(tab + 1)));
  }

  fendral::ui::frmHelp help;
  help.show();
  auto* tabs = help.findChild<fendral::ui::TwoRowTabPanel*>("tabHelp");
  help.activateWindow();
  tabs->setFocus();  // the pages' pictures show the focus mark on the selected tab
  QApplication::processEvents();
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    EXPECT_TRUE(savePicture(help, QString("frmHelp_%1").arg(i + 1)));
  }

  fendral::ui::frmSampleBatch batch;
  fendral::ui::frmSampleConfig config;
  for (QDialog* sample : {static_cast<QDialog*>(&batch), static_cast<QDialog*>(&config)}) {
    sample->show();
    EXPECT_TRUE(savePicture(*sample, sample->objectName()));
  }
}
