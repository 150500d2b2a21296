#pragma once

// Every caption and tooltip of the main window, spelled once. Doubled and trailing blanks are
// deliberate, and the Quake 2 folder tooltip really lacks its closing quote.
namespace fendral::ui::texts {

inline constexpr char kWindowTitle[] = "Fendral";
inline constexpr char kTitle[] = "Fendral";

// Picture buttons: the tooltip is their only label.
inline constexpr char kSetupTip[] = "Setup";
inline constexpr char kCancelTip[] = "Cancel";
inline constexpr char kExitTip[] = "Exit";
inline constexpr char kHelpTip[] = "Help";
inline constexpr char kSaveTip[] = "Save";
inline constexpr char kLaunchTip[] = "Launch";

inline constexpr char kDebugProgram[] = "Debug Command Line";
inline constexpr char kDebugBatch[] = "Debug Batch File Call";
inline constexpr char kDebug[] = "Debug";

// Launch view.
inline constexpr char kGameChoice[] = "Game Choice";
inline constexpr char kGameType[] = "Game Type";
inline constexpr char kStandard[] = "Standard  Quake 2";
inline constexpr char kGame1Initial[] = "Game 1     ";
inline constexpr char kGame2Initial[] = "Game 2     ";
inline constexpr char kGame3Initial[] = "Game 3     ";
inline constexpr char kSinglePlayer[] = "Single Player";
inline constexpr char kMultiplayer[] = "Multiplayer Client";
// Names for screen readers only: never shown.
inline constexpr char kServerAddress[] = "Server address";
inline constexpr char kCustomGameField[] = "Game %1 %2";  // the column's number, the label
// What precedes a custom game's description on its option.
inline constexpr char kGame1Prefix[] = "Game 1 ";
inline constexpr char kGame2Prefix[] = "Game 2 ";
inline constexpr char kGame3Prefix[] = "Game 3 ";

// Setup panel.
inline constexpr char kTabLocations[] = "Program Locations";
inline constexpr char kTabGameSettings[] = "Game Settings";
inline constexpr char kTabCustomGames[] = "Custom Games";

inline constexpr char kCDlocation[] = "CD Drive Letter:";
inline constexpr char kCDpathTip[] = "Type in the drive letter of your cdrom.  ie. \"D\"";
inline constexpr char kQ2location[] = "Path to your Quake2 folder:";
inline constexpr char kQ2pathTip[] = "Type in the path to your Quake2 folder.  ie. \"C:\\GAMES\\QUAKE2";
inline constexpr char kOptions[] = "Any extra command line options:";
inline constexpr char kOptionsTip[] = "Add special commands here.  ie. \"-HEAPSIZE 32000\"";

inline constexpr char kConfigFile[] = "Your standard config file (if any)";
inline constexpr char kConfigTip[] =
    "Add the name of your special config file for STANDARD games. eg. \"TAMRO.CFG\"";
inline constexpr char kEditOrCreate[] = "Edit or Create";
inline constexpr char kConfigEditTip[] = "Create or edit a config file. ";
inline constexpr char kExample[] = "Example (3DFX)";
inline constexpr char kCDaudio[] = "Use CD Audio";
inline constexpr char kJoystick[] = "Use Joystick";
inline constexpr char kYes[] = "Yes";
inline constexpr char kNo[] = "No";
inline constexpr char kBatchFiles[] = "Special Batch Files";
inline constexpr char kBatchFile[] = "Name of your batch file: (must be located in your Q2 directory)";
inline constexpr char kBatchFileTip[] = "A special batch file goes here.  I use \"3DFX.BAT\".";
inline constexpr char kBatchEditTip[] = "Create or edit a batch file. ";

inline constexpr char kDescription[] = "Description";
inline constexpr char kDescriptionTip[] =
    "Add a \"friendly\" name for your game setting.  eg. \"Capture the Flag\"";
inline constexpr char kSubdirectory[] = "Subdirectory";
inline constexpr char kSubdirectoryTip[] = "Enter the mod's subdirectory.  eg. \"CTF\"";
inline constexpr char kCustomConfig[] = "Custom Config (if any)";
inline constexpr char kCustomConfigTip[] =
    "Add the name of your special config file for CUSTOM games. eg. \"MY-CTF.CFG\".   Must be in above "
    "directory.";

}  // namespace fendral::ui::texts
