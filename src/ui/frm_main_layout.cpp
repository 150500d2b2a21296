// Builds the controls of the main window in their initial state.

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <limits>
#include <utility>
#include <vector>

#include "settings/settings_table.h"
#include "ui/enter_presses_button.h"
#include "ui/frm_main.h"
#include "ui/main_texts.h"
#include "ui/picture_button.h"
#include "ui/screen_reader_names.h"
#include "ui/svg_icon.h"
#include "ui/window_look.h"

namespace fendral::ui {

namespace {

const QColor kPage(236, 236, 232);
constexpr int kTwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

QLineEdit* lineEdit(QWidget* parent, const QString& name, const QRect& place, const QString& tip = {}) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  // Setting values have no length limit; the default of 32767 would cut them.
  edit->setMaxLength(std::numeric_limits<int>::max());
  edit->setGeometry(place);
  if (!tip.isEmpty()) edit->setToolTip(tip);
  return edit;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& place,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* lbl = new QLabel(text, parent);
  lbl->setObjectName(name);
  lbl->setGeometry(place);
  lbl->setAlignment(align);
  return lbl;
}

QRadioButton* option(QWidget* parent, QButtonGroup* group, const QString& name, const QString& text,
                     const QRect& place) {
  auto* button = new QRadioButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  group->addButton(button);
  return button;
}

QPushButton* textButton(QWidget* parent, const QString& name, const QString& text, const QRect& place,
                        const QString& tip = {}) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  if (!tip.isEmpty()) button->setToolTip(tip);
  return button;
}

QPushButton* pictureButton(QWidget* parent, const QString& name, const QString& tip, const QString& picture,
                           const QRect& place) {
  auto* button = new PictureButton(parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setIcon(svgIcon(picture));
  button->setIconSize(QSize(32, 32));
  button->setToolTip(tip);
  nameForScreenReaders(button, tip);
  return button;
}

// The style pads a tab by 12 pixels a side, and then the three captions need more than the panel's
// width and the tabs scroll; 8 a side fits them in one row in the same font as the rest.
// It wraps a fresh copy of the desktop's own style, not the proxy a platform theme (qt6ct) puts around
// it: the style inside such a proxy asks that proxy, not this one, for the padding when it places a
// caption, and would clip it.
class SnugTabs : public QProxyStyle {
 public:
  SnugTabs() : QProxyStyle(QStyleFactory::create(innermostStyleName())) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    return metric == PM_TabBarTabHSpace ? 16 : QProxyStyle::pixelMetric(metric, option, widget);
  }

 private:
  static QString innermostStyleName() {
    const QStyle* style = QApplication::style();
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style)) style = proxy->baseStyle();
    return style->name();
  }
};

// Tab enters an option group on its selected option, as elsewhere on the desktop; Qt alone would
// stop on the group's first option until the group had been visited.
void tabToSelectedOption(QButtonGroup* group) {
  const auto follow = [group] {
    for (QAbstractButton* b : group->buttons())
      b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  };
  QObject::connect(group, &QButtonGroup::buttonToggled, group, follow);
  follow();
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& title, const QRect& place) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  box->setGeometry(place);
  return box;
}

}  // namespace

void frmMain::buildWindow() {
  setObjectName("frmMain");
  setWindowTitle(texts::kWindowTitle);
  setFixedSize(361, 336);

  setPalette(tealPalette());
  setFont(controlFont());
  setAutoFillBackground(true);

  cmdSetup = pictureButton(this, "cmdSetup", texts::kSetupTip, "setup", twips(0, 0, 615, 615));
  cmdCancel = pictureButton(this, "cmdCancel", texts::kCancelTip, "cancel", twips(0, 0, 615, 615));
  lblTitle = label(this, "lblTitle", texts::kTitle, twips(960, 120, 3615, 495), Qt::AlignCenter);
  lblTitle->setFont(titleFont(18));
  cmdQuit = pictureButton(this, "cmdQuit", texts::kExitTip, "exit", twips(4800, 0, 645, 615));

  buildLaunchView();
  buildSetupPanel();

  cmdHelp = pictureButton(this, "cmdHelp", texts::kHelpTip, "help", twips(0, 4440, 615, 615));
  cmdSave = pictureButton(this, "cmdSave", texts::kSaveTip, "save", twips(2400, 4440, 645, 615));
  cmdLaunch = pictureButton(this, "cmdLaunch", texts::kLaunchTip, "launch", twips(4800, 4440, 615, 615));

  // The debug row lies below the client area: it exists and keeps its focus place, unseen.
  txtDebugProgram = lineEdit(this, "txtDebugProgram", twips(120, 5760, 5295, 375));
  txtDebugProgram->setText(texts::kDebugProgram);
  txtDebugBatch = lineEdit(this, "txtDebugBatch", twips(120, 6240, 5295, 375));
  txtDebugBatch->setText(texts::kDebugBatch);
  cmdDebug = textButton(this, "cmdDebug", texts::kDebug, twips(4200, 6720, 1215, 375));
  // Out of sight, so Tab passes the two boxes by; the Debug button keeps its stop.
  for (QLineEdit* box : {txtDebugProgram, txtDebugBatch}) {
    box->setFocusPolicy(Qt::ClickFocus);
    nameForScreenReaders(box, box->text());
  }

  cmdCancel->hide();
  cmdSave->hide();

  setFocusOrder();
  for (QButtonGroup* group : findChildren<QButtonGroup*>()) tabToSelectedOption(group);
  pressFocusedButtonOnEnter(this);
  cmdLaunch->setFocus();
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
}

void frmMain::buildLaunchView() {
  frmGameChoice = frame(this, "frmGameChoice", texts::kGameChoice, twips(120, 720, 5175, 1815));
  auto* choice = new QButtonGroup(frmGameChoice);
  optStandard = option(frmGameChoice, choice, "optStandard", texts::kStandard, {16, 22, 320, 22});
  optG1 = option(frmGameChoice, choice, "optG1", texts::kGame1Initial, {16, 46, 320, 22});
  optG2 = option(frmGameChoice, choice, "optG2", texts::kGame2Initial, {16, 70, 320, 22});
  optG3 = option(frmGameChoice, choice, "optG3", texts::kGame3Initial, {16, 94, 320, 22});
  optStandard->setChecked(true);

  frmGameType = frame(this, "frmGameType", texts::kGameType, twips(120, 2640, 5175, 1695));
  auto* type = new QButtonGroup(frmGameType);
  optSinglePlayer = option(frmGameType, type, "optSinglePlayer", texts::kSinglePlayer, {16, 22, 320, 22});
  optMultiplayer = option(frmGameType, type, "optMultiplayer", texts::kMultiplayer, {16, 46, 320, 22});
  optSinglePlayer->setChecked(true);
  txtServerIP = lineEdit(frmGameType, "txtServerIP", {36, 74, 220, 24});
  // Without a label of its own it would be known by the frame's title.
  nameForScreenReaders(txtServerIP, texts::kServerAddress);
  txtServerIP->hide();
}

void frmMain::buildSetupPanel() {
  tabSetup = new QTabWidget(this);
  tabSetup->setObjectName("tabSetup");
  // Only its tab row takes the focus: a panel that did would be one more, meaningless, object for
  // screen readers to stop on. The panel hands its policy to the row, so the row gets its own back.
  tabSetup->setFocusPolicy(Qt::NoFocus);
  tabSetup->tabBar()->setFocusPolicy(Qt::TabFocus);
  nameForScreenReaders(tabSetup, texts::kSetupTip);
  tabSetup->setGeometry(twips(120, 720, 5295, 3615));
  // The pages are light with black text, so the fields stay readable on the teal window.
  tabSetup->setPalette(pagePalette(kPage));
  tabSetup->hide();
}

void frmMain::buildSetupPages() {
  auto* snug = new SnugTabs;
  snug->setParent(tabSetup);  // deleted after the tab bar, which the panel made first
  tabSetup->tabBar()->setStyle(snug);

  tabSetup->addTab(buildLocationsPage(), texts::kTabLocations);
  tabSetup->addTab(buildGameSettingsPage(), texts::kTabGameSettings);
  tabSetup->addTab(buildCustomGamesPage(), texts::kTabCustomGames);
  tabSetup->setCurrentIndex(1);
  setFocusOrder();
  for (QButtonGroup* group : tabSetup->findChildren<QButtonGroup*>()) tabToSelectedOption(group);
}

QWidget* frmMain::buildLocationsPage() {
  auto* page = new QWidget;
  page->setAutoFillBackground(true);
  auto* cdLabel = label(page, "lblCDlocation", texts::kCDlocation, {12, 14, 110, 22});
  txtCDpath = lineEdit(page, "txtCDpath", {124, 14, 22, 22}, texts::kCDpathTip);
  // A label's buddy is named by its text for screen readers; nothing visible changes.
  cdLabel->setBuddy(txtCDpath);
  auto* q2Label = label(page, "lblQ2location", texts::kQ2location, {12, 50, 320, 20});
  txtQ2path = lineEdit(page, "txtQ2path", {12, 70, 320, 22}, texts::kQ2pathTip);
  q2Label->setBuddy(txtQ2path);
  auto* optionsLabel = label(page, "lblOptions", texts::kOptions, {12, 106, 320, 20});
  txtOptions = lineEdit(page, "txtOptions", {12, 126, 320, 22}, texts::kOptionsTip);
  optionsLabel->setBuddy(txtOptions);
  return page;
}

QWidget* frmMain::buildGameSettingsPage() {
  auto* page = new QWidget;
  page->setAutoFillBackground(true);

  auto* config = frame(page, "frmConfigFile", texts::kConfigFile, {6, 4, 216, 84});
  txtConfig = lineEdit(config, "txtConfig", {8, 22, 200, 22}, texts::kConfigTip);
  cmdConfigEdit =
      textButton(config, "cmdConfigEdit", texts::kEditOrCreate, {8, 52, 98, 24}, texts::kConfigEditTip);
  cmdSampleConfig =
      textButton(config, "cmdSampleConfig", texts::kExample, {110, 52, 98, 24}, texts::kConfigEditTip);

  auto* cdAudio = frame(page, "frmCDaudio", texts::kCDaudio, {228, 4, 112, 42});
  auto* cdGroup = new QButtonGroup(cdAudio);
  optCDaudioYes = option(cdAudio, cdGroup, "optCDaudioYes", texts::kYes, {8, 18, 48, 20});
  optCDaudioNo = option(cdAudio, cdGroup, "optCDaudioNo", texts::kNo, {60, 18, 48, 20});
  optCDaudioNo->setChecked(true);

  auto* joystick = frame(page, "frmJoystick", texts::kJoystick, {228, 46, 112, 42});
  auto* joyGroup = new QButtonGroup(joystick);
  optJoystickYes = option(joystick, joyGroup, "optJoystickYes", texts::kYes, {8, 18, 48, 20});
  optJoystickNo = option(joystick, joyGroup, "optJoystickNo", texts::kNo, {60, 18, 48, 20});
  optJoystickNo->setChecked(true);

  auto* batch = frame(page, "ConfigEdit", texts::kBatchFiles, {6, 94, 334, 106});
  auto* batchGroup = new QButtonGroup(batch);
  optBatchFileNo = option(batch, batchGroup, "optBatchFileNo", texts::kNo, {8, 30, 46, 20});
  optBatchFileYes = option(batch, batchGroup, "optBatchFileYes", texts::kYes, {8, 70, 46, 20});
  optBatchFileNo->setChecked(true);
  lblBatchFile = label(batch, "lblBatchFile", texts::kBatchFile, {56, 20, 168, 40});
  lblBatchFile->setWordWrap(true);
  txtBatchFileLocation = lineEdit(batch, "txtBatchFileLocation", {56, 68, 168, 22}, texts::kBatchFileTip);
  lblBatchFile->setBuddy(txtBatchFileLocation);
  cmdBatchEdit =
      textButton(batch, "cmdBatchEdit", texts::kEditOrCreate, {230, 26, 98, 24}, texts::kBatchEditTip);
  cmdExampleBatch =
      textButton(batch, "cmdExampleBatch", texts::kExample, {230, 66, 98, 24}, texts::kConfigEditTip);
  lblBatchFile->hide();
  txtBatchFileLocation->hide();
  cmdBatchEdit->hide();

  // The switch fields carry "True"/"False" between the file and the option pairs; never seen.
  txtCDaudio = lineEdit(page, "txtCDaudio", {0, 0, 40, 20});
  txtBatchFileStatus = lineEdit(page, "txtBatchFileStatus", {0, 0, 40, 20});
  txtJoystick = lineEdit(page, "txtJoystick", {0, 0, 40, 20});
  txtCDaudio->hide();
  txtBatchFileStatus->hide();
  txtJoystick->hide();
  return page;
}

QWidget* frmMain::buildCustomGamesPage() {
  auto* page = new QWidget;
  page->setAutoFillBackground(true);
  for (int n = 0; n < 3; ++n) {
    const QString number = QString::number(n + 1);
    const auto name = [&](const char* pattern) { return QString(pattern).arg(number); };
    const int x = 6 + n * 113;
    const int width = 107;
    label(page, name("lblGame%1"), number, {x, 4, width, 18}, Qt::AlignCenter);
    auto* description =
        label(page, name("lblG%1D"), texts::kDescription, {x, 20, width, 18}, Qt::AlignCenter);
    txtGD[n] = lineEdit(page, name("txtG%1D"), {x, 38, width, 22}, texts::kDescriptionTip);
    auto* subdirectory =
        label(page, name("lblG%1C"), texts::kSubdirectory, {x, 64, width, 18}, Qt::AlignCenter);
    txtGC[n] = lineEdit(page, name("txtG%1C"), {x, 82, width, 22}, texts::kSubdirectoryTip);
    // Too long for a narrow column in most fonts: two lines.
    auto* config = label(page, name("lblG%1Config"), texts::kCustomConfig, {x, 108, width, 32});
    config->setWordWrap(true);
    txtGConfig[n] = lineEdit(page, name("txtG%1Config"), {x, 140, width, 22}, texts::kCustomConfigTip);
    // The three columns share their labels, so each name says whose column it is.
    const std::pair<QLabel*, QLineEdit*> fields[] = {
        {description, txtGD[n]}, {subdirectory, txtGC[n]}, {config, txtGConfig[n]}};
    for (const auto& [lbl, field] : fields) {
      lbl->setBuddy(field);
      nameForScreenReaders(field, QString(texts::kCustomGameField).arg(number, lbl->text()));
    }
    cmdGConfigEdit[n] = textButton(page, name("cmdG%1ConfigEdit"), texts::kEditOrCreate, {x, 170, width, 24},
                                   texts::kConfigEditTip);
  }
  return page;
}

// Tab follows the layout: the top band, the middle region (each setup page top to bottom, left
// to right, the custom games one column after the other), the bottom band, then Debug.
void frmMain::setFocusOrder() {
  std::vector<QWidget*> order = {
      cmdSetup,        cmdCancel,      cmdQuit,     optStandard,       optG1, optG2, optG3,
      optSinglePlayer, optMultiplayer, txtServerIP, tabSetup->tabBar()};
  if (setupPagesBuilt()) {
    order.insert(order.end(), {txtCDpath, txtQ2path, txtOptions, txtConfig, cmdConfigEdit, cmdSampleConfig,
                               optCDaudioYes, optCDaudioNo, optJoystickYes, optJoystickNo, optBatchFileNo,
                               cmdBatchEdit, optBatchFileYes, txtBatchFileLocation, cmdExampleBatch});
    for (std::size_t n = 0; n < 3; ++n)
      order.insert(order.end(), {txtGD[n], txtGC[n], txtGConfig[n], cmdGConfigEdit[n]});
  }
  order.insert(order.end(), {cmdHelp, cmdSave, cmdLaunch, cmdDebug});
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace fendral::ui
