#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "launch/launch_sequence.h"
#include "platform/platform.h"
#include "settings/settings_location.h"
#include "settings/settings_table.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace fendral::ui {

class frmHelp;
class frmSampleBatch;
class frmSampleConfig;

// The launcher's one window: the launch view, the setup panel and every handler.
class frmMain : public QWidget {
  Q_OBJECT

 public:
  // `settingsFile` is the host path of fendral.ini wherever it was found to live; `saveFile` the one
  // Save writes, when that is another (the player's own, beside a shared file).
  frmMain(platform::Platform& platform, std::string settingsFile, std::string saveFile = {});
  ~frmMain() override;

  // Game and game type as given on the command line; the window starts with the standard game, single
  // player.
  void selectLaunchChoices(launch::GameChoice gameChoice, launch::GameType gameType);

  // The settings file the last reload settled on.
  const std::string& iniPath() const { return Ini_path; }

 public slots:
  void Form_Load();
  void Reload_setup_fields();
  void Show_setup_view();
  void Show_launch_view();

  void cmdSetup_Click();
  void cmdCancel_Click();
  void optBatchFileYes_Click();
  void optBatchFileNo_Click();
  void optMultiplayer_Click();
  void optSinglePlayer_Click();
  void cmdQuit_Click();

  void cmdSave_Click();
  void cmdLaunch_Click();
  void cmdDebug_Click();

  void cmdConfigEdit_Click();
  void cmdBatchEdit_Click();
  void cmdG1ConfigEdit_Click();
  void cmdG2ConfigEdit_Click();
  void cmdG3ConfigEdit_Click();

  void cmdHelp_Click();
  void cmdExampleBatch_Click();
  void cmdSampleConfig_Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildWindow();
  void buildLaunchView();
  void buildSetupPanel();
  // Built on the first switch to setup mode, which many starts never make: the window shows sooner.
  void ensureSetupPages();
  bool setupPagesBuilt() const;
  void buildSetupPages();
  QWidget* buildLocationsPage();
  QWidget* buildGameSettingsPage();
  QWidget* buildCustomGamesPage();
  void setFocusOrder();
  void connectHandlers();
  void connectSetupHandlers();
  void whenSelected(QRadioButton* button, void (frmMain::*handler)());
  void findSettingFields();
  void fillSetupPages();

  void setCustomGameCaptions();
  launch::LaunchRequest launchRequest() const;
  // What the window holds for the 18 settings, in the order of the settings table.
  settings::SettingValues settingValuesInWindow() const;
  void showLaunchTexts(const launch::LaunchTexts& texts);
  void editCustomConfig(std::size_t game);  // 0, 1 or 2

  platform::Platform& platform_;
  settings::SettingsFiles settingsFiles_;
  std::string Ini_path;
  bool shownOnce_ = false;

  // Window level.
  QLabel* lblTitle = nullptr;
  QPushButton* cmdSetup = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdQuit = nullptr;
  QPushButton* cmdHelp = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdLaunch = nullptr;
  QLineEdit* txtDebugProgram = nullptr;
  QLineEdit* txtDebugBatch = nullptr;
  QPushButton* cmdDebug = nullptr;

  // Launch view.
  QGroupBox* frmGameChoice = nullptr;
  QRadioButton* optStandard = nullptr;
  QRadioButton* optG1 = nullptr;
  QRadioButton* optG2 = nullptr;
  QRadioButton* optG3 = nullptr;
  QGroupBox* frmGameType = nullptr;
  QRadioButton* optSinglePlayer = nullptr;
  QRadioButton* optMultiplayer = nullptr;
  QLineEdit* txtServerIP = nullptr;

  // Setup panel; the controls on its pages stay null until the pages are built.
  QTabWidget* tabSetup = nullptr;
  QLineEdit* txtCDpath = nullptr;
  QLineEdit* txtQ2path = nullptr;
  QLineEdit* txtOptions = nullptr;
  QLineEdit* txtConfig = nullptr;
  QPushButton* cmdConfigEdit = nullptr;
  QPushButton* cmdSampleConfig = nullptr;
  QRadioButton* optCDaudioYes = nullptr;
  QRadioButton* optCDaudioNo = nullptr;
  QRadioButton* optJoystickYes = nullptr;
  QRadioButton* optJoystickNo = nullptr;
  QRadioButton* optBatchFileYes = nullptr;
  QRadioButton* optBatchFileNo = nullptr;
  QLabel* lblBatchFile = nullptr;
  QLineEdit* txtBatchFileLocation = nullptr;
  QPushButton* cmdBatchEdit = nullptr;
  QPushButton* cmdExampleBatch = nullptr;
  QLineEdit* txtCDaudio = nullptr;
  QLineEdit* txtBatchFileStatus = nullptr;
  QLineEdit* txtJoystick = nullptr;
  std::array<QLineEdit*, 3> txtGD{};
  std::array<QLineEdit*, 3> txtGC{};
  std::array<QLineEdit*, 3> txtGConfig{};
  std::array<QPushButton*, 3> cmdGConfigEdit{};

  // The 18 setting fields in the order of the settings table; all but the server address wait for the
  // setup pages.
  std::array<QLineEdit*, 18> settingFields_{};
  // The settings as the last reload read them, for the fields of setup pages built later and as what
  // Save tells the player's changes by.
  settings::SettingValues loaded_;
  bool saveFileWasLink_ = false;
  // A Quake 2 installation found because the file names no folder; empty otherwise.
  std::string foundQ2Folder_;

  // Made on first use, as children, so the desktop keeps them over this window.
  frmHelp* help_ = nullptr;
  frmSampleBatch* sampleBatch_ = nullptr;
  frmSampleConfig* sampleConfig_ = nullptr;
};

}  // namespace fendral::ui
