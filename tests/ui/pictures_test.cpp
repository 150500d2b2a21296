#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <ostream>
#include <vector>

#include "ui/desktop_platform.h"
#include "ui/frm_help.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/two_row_tab_panel.h"
#include "ui_harness.h"

namespace {

using Pictures = std::vector<std::pair<QString, QImage>>;

// Where the pictures go, for looking at; a second run of this program may be sent elsewhere.
QString picturesFolder() {
  return qEnvironmentVariable("FENDRAL_TEST_PICTURES", QStringLiteral(FENDRAL_PICTURES_DIR));
}

}  // namespace

class EveryView : public MainWindowTest {
 protected:
  // What a person sees of every view of every window, each window made afresh.
  Pictures render() {
    QApplication::setCursorFlashTime(0);  // a blinking cursor would make two pictures differ
    writeIni(
        "[Main]\nQ2Location=C:\\GAMES\\QUAKE2\nCDLocation=D\nG1D=Capture the Flag\nG1C=CTF\n"
        "G1Config=MY-CTF.CFG\nConfig=TAMRO.CFG\nBatchFileStatus=True\nBatchFileLocation=3DFX.BAT\n");
    Pictures pictures;
    fendral::ui::frmMain& main = open();
    main.show();
    pictures.emplace_back("launch_view", main.grab().toImage());
    click("cmdSetup");
    auto* panel = find<QTabWidget>("tabSetup");
    for (int tab = 0; tab < panel->count(); ++tab) {
      panel->setCurrentIndex(tab);
      pictures.emplace_back(QString("setup_%1").arg(tab + 1), main.grab().toImage());
    }

    fendral::ui::frmHelp help(&main);
    help.show();
    auto* tabs = help.findChild<fendral::ui::TwoRowTabPanel*>("tabHelp");
    help.activateWindow();
    tabs->setFocus();  // the pages' pictures show the focus mark on the selected tab
    QApplication::processEvents();
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      pictures.emplace_back(QString("frmHelp_%1").arg(i + 1), help.grab().toImage());
    }
    help.hide();

    fendral::ui::frmSampleBatch batch(&main);
    fendral::ui::frmSampleConfig config(&main);
    for (QDialog* sample : {static_cast<QDialog*>(&batch), static_cast<QDialog*>(&config)}) {
      sample->show();
      pictures.emplace_back(sample->objectName(), sample->grab().toImage());
      sample->hide();
    }

    whileModal([] { fendral::ui::DesktopPlatform().message("Either quake2.exe or 3DFX.BAT was not found!"); },
               [&](QWidget* box) {
                 pictures.emplace_back("message", box->grab().toImage());
                 box->close();
               });
    return pictures;
  }
};

TEST_F(EveryView, IsSavedAsAPicture) {
  QDir().mkpath(picturesFolder());
  for (const auto& [name, picture] : render())
    EXPECT_TRUE(picture.save(picturesFolder() + "/" + name + ".png")) << name.toStdString();
}

// A desktop as a player may set it up, given to a run of this program of its own: a font DPI, or
// qt6ct's settings (its default, a larger bold font, a dark scheme). High-DPI scaling is off, so any
// change in a picture comes from the setting alone.
struct Desktop {
  const char* name;
  const char* fontDpi = nullptr;
  const char* qt6ct = nullptr;  // its qt6ct.conf, for a run under that platform theme
};

void PrintTo(const Desktop& desktop, std::ostream* out) {
  *out << desktop.name;
}

class OnAnyDesktop : public EveryView, public ::testing::WithParamInterface<Desktop> {};

TEST_P(OnAnyDesktop, EveryViewLooksAsDesigned) {
  const Desktop& desktop = GetParam();
  if (desktop.qt6ct &&
      !QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platformthemes/libqt6ct.so"))
    GTEST_SKIP() << "qt6ct is not installed";
  const Pictures designed = render();
  QTemporaryDir into;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (desktop.fontDpi) env.insert("QT_FONT_DPI", desktop.fontDpi);
  if (desktop.qt6ct) {
    QDir(into.path()).mkpath("config/qt6ct");
    QFile conf(into.filePath("config/qt6ct/qt6ct.conf"));
    EXPECT_TRUE(conf.open(QIODevice::WriteOnly) && conf.write(desktop.qt6ct) >= 0);
    conf.close();
    env.insert("XDG_CONFIG_HOME", into.filePath("config"));
    env.insert("QT_QPA_PLATFORMTHEME", "qt6ct");
  }
  env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
  env.insert("FENDRAL_TEST_PICTURES", into.path());
  QProcess run;
  run.setProcessEnvironment(env);
  run.start(QApplication::applicationFilePath(), {"--gtest_filter=EveryView.IsSavedAsAPicture"});
  ASSERT_TRUE(run.waitForFinished(60000) && run.exitCode() == 0) << run.readAll().toStdString();
  for (const auto& [name, picture] : designed) {
    const QImage seen(into.filePath(name + ".png"));
    if (seen.convertToFormat(QImage::Format_RGB32) == picture.convertToFormat(QImage::Format_RGB32)) continue;
    ADD_FAILURE() << name.toStdString() << " differs; see the picture " << desktop.name << "_"
                  << name.toStdString() << ".png";
    seen.save(QString("%1/%2_%3.png").arg(picturesFolder(), desktop.name, name));
  }
}

INSTANTIATE_TEST_SUITE_P(
    , OnAnyDesktop,
    ::testing::Values(
        Desktop{"font_dpi_144", "144"}, Desktop{"qt6ct_default", nullptr, ""},
        Desktop{"qt6ct_font_14pt", nullptr, "[Fonts]\ngeneral=\"Serif,14,-1,5,700,0,0,0,0,0,0,0,0,0,0,1\"\n"},
        Desktop{
            "qt6ct_dark", nullptr,
            "[Appearance]\ncustom_palette=true\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"}),
    [](const auto& info) { return std::string(info.param.name); });
