#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace fendral::platform {

// What the engine choice may look at besides the Quake 2 folder. The system's own folders hang off
// `systemRoot`, so a test can lay out an install in a scratch folder.
struct EngineSearch {
  std::string path;          // the PATH value
  std::string systemRoot;    // in front of /usr/lib/... and /var/lib/flatpak; empty on a real system
  std::string userFlatpak;   // the player's own Flatpak installation
  std::string home;          // whose .var/app/ID is each Flatpak app's own data folder
  std::string playerChoice;  // a program or a Flatpak app ID; empty for the automatic choice
};

// This process's search: PATH, $XDG_DATA_HOME (else ~/.local/share), $HOME, and FENDRAL_SYSTEM_ROOT,
// which only tests set.
EngineSearch hostEngineSearch(std::string playerChoice);

// How an engine of the table is found.
enum class EngineSource {
  WindowsOnlyMod,   // quake2.exe through wine, for a custom game that only brings Windows code
  InFolder,         // `file` in the Quake 2 folder
  SystemFile,       // `file`, an absolute path under the system root
  OnPath,           // `file` on the PATH
  Flatpak,          // the app `file` installed for the player or system-wide, run as `command` inside it
  WindowsInFolder,  // quake2.exe in the Quake 2 folder, through wine when it is a Windows program
};

struct EngineEntry {
  std::string_view name;
  Dialect dialect;
  EngineSource source;
  std::string_view file;
  std::string_view command = {};
};

// The engines Fendral knows, in the order the automatic choice tries them. The system's engines and
// the Flatpak apps only count for a folder that holds baseq2/ or quake2.exe.
inline constexpr std::array<EngineEntry, 12> kEngineTable{{
    {"quake2.exe through Wine", Dialect::Windows, EngineSource::WindowsOnlyMod, "quake2.exe"},
    {"Yamagi Quake II", Dialect::Yamagi, EngineSource::InFolder, "quake2"},
    {"Q2PRO", Dialect::Q2pro, EngineSource::InFolder, "q2pro"},
    // Debian and Ubuntu: the PATH's quake2 there is a wrapper that adds a data folder of its own.
    {"Yamagi Quake II", Dialect::Yamagi, EngineSource::SystemFile, "/usr/lib/yamagi-quake2/quake2"},
    {"Yamagi Quake II", Dialect::Yamagi, EngineSource::SystemFile, "/usr/lib/yquake2/yquake2"},
    {"Yamagi Quake II", Dialect::Yamagi, EngineSource::OnPath, "yamagi-quake2"},
    {"Yamagi Quake II", Dialect::Yamagi, EngineSource::OnPath, "yquake2"},
    {"Yamagi Quake II", Dialect::Yamagi, EngineSource::OnPath, "quake2"},
    {"Q2PRO", Dialect::Q2pro, EngineSource::OnPath, "q2pro"},
    {"Yamagi Quake II", Dialect::Yamagi, EngineSource::Flatpak, "org.yamagi.YamagiQ2", "quake2"},
    {"Q2PRO", Dialect::Q2pro, EngineSource::Flatpak, "com.github.skullernet.q2pro", "q2pro"},
    {"quake2.exe", Dialect::Windows, EngineSource::WindowsInFolder, "quake2.exe"},
}};

// The engine behind "quake2.exe" in `q2Folder` (Windows syntax) for the custom game in
// `gameSubdirectory`: the player's choice when there is one, and nothing else when it names nothing
// runnable; otherwise the first entry of the table that is there. Only looks at files.
std::optional<GameEngine> chooseGameEngine(std::string_view q2Folder, std::string_view gameSubdirectory,
                                           const EngineSearch& search);

// Every engine of the table that is there, wherever the data is, for a list of what this system has.
std::vector<GameEngine> foundEngines(std::string_view q2Folder, const EngineSearch& search);

// How a Flatpak app is given the host folder `folder`: the --filesystem word (empty when the folder is
// inside `appData`, the app's own) and the folder's name inside the sandbox. Nothing when it cannot
// be said in flatpak's option syntax.
struct FlatpakGrant {
  std::string option;
  std::string sandboxFolder;

  bool operator==(const FlatpakGrant&) const = default;
};
std::optional<FlatpakGrant> flatpakGrant(const std::string& folder, const std::string& appData);

}  // namespace fendral::platform
