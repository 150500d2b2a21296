#include "ui/frm_main.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <utility>

#include "launch/editor_command.h"
#include "launch/saved_request.h"
#include "settings/settings_save.h"
#include "settings/settings_table.h"
#include "ui/folder_completion.h"
#include "ui/frm_help.h"
#include "ui/frm_sample_batch.h"
#include "ui/frm_sample_config.h"
#include "ui/main_texts.h"
#include "ui/text_conversion.h"

namespace fendral::ui {

namespace {

constexpr std::size_t kQ2Location = settings::settingIndex("Q2location");
constexpr std::size_t kServerIP = settings::settingIndex("ServerIP");
constexpr std::size_t kFirstDescription = settings::settingIndex("G1D");
constexpr std::size_t kBatchFileStatus = settings::settingIndex("BatchFileStatus");
constexpr std::size_t kCDaudio = settings::settingIndex("CDaudio");
constexpr std::size_t kJoystick = settings::settingIndex("Joystick");

}  // namespace

frmMain::frmMain(platform::Platform& platform, std::string settingsFile, std::string saveFile)
    : platform_(platform),
      settingsFiles_{settingsFile, saveFile.empty() ? settingsFile : std::move(saveFile)} {
  buildWindow();
  findSettingFields();
  connectHandlers();
  Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::findSettingFields() {
  for (std::size_t i = 0; i < settings::kSettings.size(); ++i) {
    const auto& control = settings::kSettings[i].control;
    settingFields_[i] = findChild<QLineEdit*>(QString::fromLatin1(control.data(), control.size()));
  }
}

void frmMain::ensureSetupPages() {
  if (setupPagesBuilt()) return;
  buildSetupPages();
  findSettingFields();
  connectSetupHandlers();
  fillSetupPages();
}

bool frmMain::setupPagesBuilt() const {
  return tabSetup->count() > 0;
}

void frmMain::connectHandlers() {
  connect(cmdSetup, &QPushButton::clicked, this, &frmMain::cmdSetup_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);
  connect(cmdQuit, &QPushButton::clicked, this, &frmMain::cmdQuit_Click);
  connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
  connect(cmdLaunch, &QPushButton::clicked, this, &frmMain::cmdLaunch_Click);
  connect(cmdDebug, &QPushButton::clicked, this, &frmMain::cmdDebug_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
  whenSelected(optMultiplayer, &frmMain::optMultiplayer_Click);
  whenSelected(optSinglePlayer, &frmMain::optSinglePlayer_Click);
}

void frmMain::connectSetupHandlers() {
  connect(cmdConfigEdit, &QPushButton::clicked, this, &frmMain::cmdConfigEdit_Click);
  connect(cmdBatchEdit, &QPushButton::clicked, this, &frmMain::cmdBatchEdit_Click);
  connect(cmdGConfigEdit[0], &QPushButton::clicked, this, &frmMain::cmdG1ConfigEdit_Click);
  connect(cmdGConfigEdit[1], &QPushButton::clicked, this, &frmMain::cmdG2ConfigEdit_Click);
  connect(cmdGConfigEdit[2], &QPushButton::clicked, this, &frmMain::cmdG3ConfigEdit_Click);
  connect(cmdExampleBatch, &QPushButton::clicked, this, &frmMain::cmdExampleBatch_Click);
  connect(cmdSampleConfig, &QPushButton::clicked, this, &frmMain::cmdSampleConfig_Click);

  whenSelected(optBatchFileYes, &frmMain::optBatchFileYes_Click);
  whenSelected(optBatchFileNo, &frmMain::optBatchFileNo_Click);

  completeFolders(*txtQ2path);
  for (QLineEdit* subdirectory : txtGC) completeGameFolders(*subdirectory, *txtQ2path);
}

// A selection made by program must run the toggle just as a click does, so follow the state, not the
// click.
void frmMain::whenSelected(QRadioButton* button, void (frmMain::*handler)()) {
  connect(button, &QRadioButton::toggled, this, [this, handler](bool selected) {
    if (selected) (this->*handler)();
  });
}

void frmMain::Form_Load() {
  Reload_setup_fields();
}

void frmMain::Reload_setup_fields() {
  Ini_path = settingsFiles_.read;
  loaded_ = settings::readSettings(Ini_path);
  saveFileWasLink_ = settings::isSymbolicLink(settingsFiles_.write);
  // Kept apart from the file's values: the player saves it or not, and a saved folder always wins.
  foundQ2Folder_ = loaded_[kQ2Location].empty() ? platform_.findQuake2Folder() : std::string();
  setCoreText(*txtServerIP, loaded_[kServerIP]);
  if (setupPagesBuilt()) fillSetupPages();
  setCustomGameCaptions();
}

void frmMain::fillSetupPages() {
  for (std::size_t i = 0; i < settings::kSettings.size(); ++i) {
    if (tabSetup->isAncestorOf(settingFields_[i])) setCoreText(*settingFields_[i], loaded_[i]);
  }
  if (!foundQ2Folder_.empty()) setCoreText(*txtQ2path, foundQ2Folder_);
  // Only a stored "True" selects; a No is never selected here, so an unsaved Yes survives.
  if (settings::switchIsOn(toCore(*txtBatchFileStatus))) {
    optBatchFileYes->setChecked(true);
    lblBatchFile->show();
    txtBatchFileLocation->show();
  }
  if (settings::switchIsOn(toCore(*txtJoystick))) optJoystickYes->setChecked(true);
  if (settings::switchIsOn(toCore(*txtCDaudio))) optCDaudioYes->setChecked(true);
}

void frmMain::setCustomGameCaptions() {
  const auto description = [this](std::size_t n) {
    return txtGD[n] ? txtGD[n]->text() : fromCore(loaded_[kFirstDescription + n]);
  };
  optG1->setText(texts::kGame1Prefix + description(0));
  optG2->setText(texts::kGame2Prefix + description(1));
  optG3->setText(texts::kGame3Prefix + description(2));
}

void frmMain::Show_setup_view() {
  ensureSetupPages();
  cmdSave->show();
  cmdCancel->show();
  tabSetup->show();
  frmGameType->hide();
  frmGameChoice->hide();
  cmdSetup->hide();
}

void frmMain::Show_launch_view() {
  cmdSave->hide();
  cmdCancel->hide();
  tabSetup->hide();
  frmGameType->show();
  frmGameChoice->show();
  cmdSetup->show();
}

void frmMain::cmdSetup_Click() {
  Show_setup_view();
}

void frmMain::cmdCancel_Click() {
  Reload_setup_fields();
  Show_launch_view();
}

void frmMain::optBatchFileYes_Click() {
  lblBatchFile->show();
  txtBatchFileLocation->show();
  cmdBatchEdit->show();
  cmdExampleBatch->show();
}

void frmMain::optBatchFileNo_Click() {
  lblBatchFile->hide();
  txtBatchFileLocation->hide();
  cmdBatchEdit->hide();
  cmdExampleBatch->hide();
}

void frmMain::optMultiplayer_Click() {
  txtServerIP->show();
}

void frmMain::optSinglePlayer_Click() {
  txtServerIP->hide();
}

void frmMain::cmdQuit_Click() {
  platform_.endProgram();
}

void frmMain::cmdSave_Click() {
  ensureSetupPages();
  const std::string batchFileName = toCore(*txtBatchFileLocation);
  if (!launch::gameFilesFound(toCore(*txtQ2path), batchFileName, optBatchFileYes->isChecked(), platform_)) {
    platform_.message(launch::failurePrompt(batchFileName));
    return;
  }
  txtBatchFileStatus->setText(fromCore(settings::switchWord(optBatchFileYes->isChecked())));
  txtCDaudio->setText(fromCore(settings::switchWord(optCDaudioYes->isChecked())));
  txtJoystick->setText(fromCore(settings::switchWord(optJoystickYes->isChecked())));
  const platform::FileOutcome saved =
      settings::saveChangedSettings(settingsFiles_, {loaded_, saveFileWasLink_}, settingValuesInWindow());
  if (!saved) {
    // The edits stay in the fields, for a second Save once the cause is fixed.
    platform_.message(settings::saveFailurePrompt(settingsFiles_.write, saved));
    return;
  }
  // From now on the file written is the one read; the reload shows what others saved meanwhile.
  settingsFiles_.read = settingsFiles_.write;
  Reload_setup_fields();
  Show_launch_view();
}

void frmMain::selectLaunchChoices(launch::GameChoice gameChoice, launch::GameType gameType) {
  const std::array<QRadioButton*, 4> games{optStandard, optG1, optG2, optG3};
  games[static_cast<std::size_t>(gameChoice)]->setChecked(true);
  (gameType == launch::GameType::SinglePlayer ? optSinglePlayer : optMultiplayer)->setChecked(true);
}

launch::LaunchRequest frmMain::launchRequest() const {
  launch::GameChoice gameChoice = launch::GameChoice::Standard;
  if (optG1->isChecked()) {
    gameChoice = launch::GameChoice::Custom1;
  } else if (optG2->isChecked()) {
    gameChoice = launch::GameChoice::Custom2;
  } else if (optG3->isChecked()) {
    gameChoice = launch::GameChoice::Custom3;
  }
  const launch::GameType gameType =
      optSinglePlayer->isChecked() ? launch::GameType::SinglePlayer : launch::GameType::MultiplayerClient;
  return launch::savedLaunchRequest(settingValuesInWindow(), gameChoice, gameType);
}

// The setup pages' fields once they exist; before that the file's values, which they would hold, and
// the Quake 2 folder found for a file that names none. A switch is on unless its No is selected.
settings::SettingValues frmMain::settingValuesInWindow() const {
  settings::SettingValues values = loaded_;
  if (setupPagesBuilt()) {
    for (std::size_t i = 0; i < settings::kSettings.size(); ++i) values[i] = toCore(*settingFields_[i]);
    values[kBatchFileStatus] = settings::switchWord(optBatchFileYes->isChecked());
    values[kCDaudio] = settings::switchWord(!optCDaudioNo->isChecked());
    values[kJoystick] = settings::switchWord(!optJoystickNo->isChecked());
  } else if (!foundQ2Folder_.empty()) {
    values[kQ2Location] = foundQ2Folder_;
  }
  values[kServerIP] = toCore(*txtServerIP);
  return values;
}

void frmMain::showLaunchTexts(const launch::LaunchTexts& texts) {
  txtDebugBatch->setText(fromCore(texts.batchPath));
  txtDebugProgram->setText(fromCore(texts.commandLine));
}

void frmMain::cmdLaunch_Click() {
  launch::runLaunch(launchRequest(), platform_,
                    [this](const launch::LaunchTexts& texts) { showLaunchTexts(texts); });
}

void frmMain::cmdDebug_Click() {
  launch::previewLaunch(launchRequest(), platform_,
                        [this](const launch::LaunchTexts& texts) { showLaunchTexts(texts); });
}

void frmMain::cmdConfigEdit_Click() {
  launch::editFile(launch::standardConfigPath(toCore(*txtQ2path), toCore(*txtConfig)), platform_);
}

void frmMain::cmdBatchEdit_Click() {
  launch::editFile(launch::batchEditPath(toCore(*txtQ2path), toCore(*txtBatchFileLocation)), platform_);
}

void frmMain::cmdG1ConfigEdit_Click() {
  editCustomConfig(0);
}

void frmMain::cmdG2ConfigEdit_Click() {
  editCustomConfig(1);
}

void frmMain::cmdG3ConfigEdit_Click() {
  editCustomConfig(2);
}

void frmMain::editCustomConfig(std::size_t game) {
  launch::editFile(
      launch::customConfigPath(toCore(*txtQ2path), toCore(*txtGC[game]), toCore(*txtGConfig[game])),
      platform_);
}

void frmMain::cmdHelp_Click() {
  if (!help_) help_ = new frmHelp(this);
  help_->exec();
}

void frmMain::cmdExampleBatch_Click() {
  if (!sampleBatch_) sampleBatch_ = new frmSampleBatch(this);
  sampleBatch_->exec();
}

void frmMain::cmdSampleConfig_Click() {
  if (!sampleConfig_) sampleConfig_ = new frmSampleConfig(this);
  sampleConfig_->exec();
}

void frmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The Launch button holds the focus when the window first opens, whatever show() chose.
  if (!shownOnce_) {
    shownOnce_ = true;
    cmdLaunch->setFocus();
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Closing from the title bar ends the launcher like Exit: at once, nothing saved, nothing asked.
  platform_.endProgram();
  event->accept();
}

}  // namespace fendral::ui
