#include "platform/engine_table.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/ascii_case.h"
#include "platform/host_environment.h"
#include "platform/host_path.h"
#include "platform/host_platform.h"

namespace fendral::platform {

namespace {

std::string inFolder(std::string_view q2Folder, std::string_view name) {
  std::string path(q2Folder);
  path += '\\';
  path += name;
  return absoluteHostPath(path);
}

bool exists(const std::string& hostFile, mode_t type) {
  struct stat info {};
  return ::stat(hostFile.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

std::string_view lastName(std::string_view path) {
  return path.substr(path.rfind('/') + 1);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && equalsIgnoringCase(text.substr(0, head.size()), head);
}

// A program the player names speaks Q2PRO's words when its name says it is Q2PRO or Q2RTX.
Dialect dialectOfName(std::string_view name) {
  return startsWithIgnoringCase(name, "q2pro") || startsWithIgnoringCase(name, "q2rtx") ? Dialect::Q2pro
                                                                                        : Dialect::Yamagi;
}

// Reverse-DNS, as Flatpak names apps: at least three names of letters, digits, "_" and "-".
bool isAppId(std::string_view id) {
  const bool wordsOnly = std::all_of(id.begin(), id.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
  });
  return wordsOnly && std::count(id.begin(), id.end(), '.') >= 2 && !id.starts_with('.') &&
         !id.ends_with('.') && id.find("..") == std::string_view::npos;
}

std::string described(std::string_view name, std::string_view why) {
  std::string text(name);
  text.append(", ").append(why);
  return text;
}

// One look at the Quake 2 folder, shared by every entry.
class Lookup {
 public:
  Lookup(std::string_view q2Folder, std::string_view gameSubdirectory, const EngineSearch& search)
      : q2Folder_(q2Folder),
        gameSubdirectory_(gameSubdirectory),
        search_(search),
        folder_(absoluteHostPath(q2Folder)),
        windowsEngine_(inFolder(q2Folder, "quake2.exe")) {}

  // The engine of `entry` when it is there; `anyFolder` also takes the system's engines for a folder
  // without game data.
  std::optional<GameEngine> find(const EngineEntry& entry, bool anyFolder) {
    switch (entry.source) {
      case EngineSource::WindowsOnlyMod:
        return windowsOnlyMod() ? underWine(entry.name, "for a custom game with only Windows code")
                                : std::nullopt;
      case EngineSource::InFolder:
        return native(entry, inFolder(q2Folder_, entry.file), "in the Quake 2 folder", true);
      case EngineSource::SystemFile:
        if (!anyFolder && !hasGameData()) return std::nullopt;
        return native(entry, search_.systemRoot + std::string(entry.file), "installed by the system", false);
      case EngineSource::OnPath:
        if (!anyFolder && !hasGameData()) return std::nullopt;
        if (std::optional<std::string> program = findOnPath(entry.file, search_.path)) {
          return native(entry, *program, "found on the PATH", false);
        }
        return std::nullopt;
      case EngineSource::Flatpak:
        if (!anyFolder && !hasGameData()) return std::nullopt;
        return flatpak(entry.file, entry.command, entry.name, entry.dialect);
      case EngineSource::WindowsInFolder:
        return underWine(entry.name, "in the Quake 2 folder");
    }
    return std::nullopt;
  }

  // The program or Flatpak app the player named, or nothing.
  std::optional<GameEngine> playerChoice() {
    const std::string& choice = search_.playerChoice;
    const bool bareName = choice.find('/') == std::string::npos;
    if (isAppId(choice)) {
      for (const EngineEntry& entry : kEngineTable) {
        if (entry.source == EngineSource::Flatpak && entry.file == choice)
          return flatpak(choice, entry.command, entry.name, entry.dialect);
      }
      const std::string_view app = std::string_view(choice).substr(choice.rfind('.') + 1);
      if (std::optional<GameEngine> own = flatpak(choice, {}, app, dialectOfName(app))) return own;
    }
    std::optional<std::string> program;
    if (choice.starts_with('/')) {
      program = choice;
    } else if (bareName && !choice.empty()) {
      program = findOnPath(choice, search_.path);
    }
    if (!program) return std::nullopt;
    const std::string_view name = lastName(*program);
    if (endsWithIgnoringCase(name, ".exe")) {
      std::optional<Command> command = runCommand(*program, search_.path);
      if (!command) return std::nullopt;
      return GameEngine{Dialect::Windows,
                        std::move(*command),
                        {},
                        described("Windows program through Wine", "your choice: " + *program)};
    }
    const Dialect dialect = dialectOfName(name);
    const EngineEntry entry{dialect == Dialect::Q2pro ? "Q2PRO" : "Yamagi Quake II", dialect,
                            EngineSource::OnPath, name};
    std::string_view folder = folder_;
    while (folder.size() > 1 && folder.ends_with('/')) folder.remove_suffix(1);
    return native(entry, *program, "your choice", program->substr(0, program->rfind('/')) == folder);
  }

 private:
  bool hasGameData() {
    if (!hasGameData_) {
      hasGameData_ = exists(inFolder(q2Folder_, "baseq2"), S_IFDIR) || exists(windowsEngine_, S_IFREG);
    }
    return *hasGameData_;
  }

  bool windowsOnlyMod() const {
    if (gameSubdirectory_.empty()) return false;
    std::string mod(q2Folder_);
    mod.append("\\").append(gameSubdirectory_);
    return exists(inFolder(mod, "gamex86.dll"), S_IFREG) && !exists(inFolder(mod, "game.so"), S_IFREG) &&
           findOnPath("wine", search_.path);
  }

  std::optional<GameEngine> underWine(std::string_view name, std::string_view why) const {
    if (std::optional<Command> command = runCommand(windowsEngine_, search_.path)) {
      return GameEngine{Dialect::Windows, std::move(*command), {}, described(name, why)};
    }
    return std::nullopt;
  }

  // Yamagi finds the data beside itself. Q2PRO is always told: a packaged one looks in a folder of its
  // own, and +set is the only way it takes another.
  std::optional<GameEngine> native(const EngineEntry& entry, std::string program, std::string_view why,
                                   bool inQ2Folder) {
    if (!isNativeExecutable(program)) return std::nullopt;
    const bool besideData = entry.dialect == Dialect::Yamagi && inQ2Folder;
    std::string description = described(entry.name, why);
    description.append(": ").append(program);
    return GameEngine{
        entry.dialect, {std::move(program)}, besideData ? std::string() : folder_, std::move(description)};
  }

  // An installed app runs its engine itself, `command`, not the app's wrapper script; the folder is
  // granted read-only.
  std::optional<GameEngine> flatpak(std::string_view app, std::string_view command, std::string_view name,
                                    Dialect dialect) {
    const std::string active = "/app/" + std::string(app) + "/current/active";
    const std::array<std::string, 2> roots{search_.userFlatpak, search_.systemRoot + "/var/lib/flatpak"};
    // A dangling or unreadable link is no install.
    const bool installed = std::any_of(roots.begin(), roots.end(), [&](const std::string& root) {
      return !root.empty() && exists(root + active, S_IFDIR) &&
             ::access((root + active).c_str(), R_OK | X_OK) == 0;
    });
    if (!installed) return std::nullopt;
    std::optional<std::string> program = findOnPath("flatpak", search_.path);
    if (!program) return std::nullopt;
    std::optional<FlatpakGrant> grant = flatpakGrant(folder_, search_.home + "/.var/app/" + std::string(app));
    if (!grant) return std::nullopt;
    GameEngine engine{dialect,
                      {std::move(*program), "run"},
                      std::move(grant->sandboxFolder),
                      described(name, "the Flatpak app " + std::string(app))};
    if (!command.empty()) engine.command.push_back("--command=" + std::string(command));
    if (!grant->option.empty()) engine.command.push_back(std::move(grant->option));
    engine.command.emplace_back(app);
    return engine;
  }

  std::string_view q2Folder_, gameSubdirectory_;
  const EngineSearch& search_;
  std::string folder_, windowsEngine_;
  std::optional<bool> hasGameData_;
};

}  // namespace

EngineSearch hostEngineSearch(std::string playerChoice) {
  const std::string home = homeFolder();
  std::string userFlatpak = dataHomeFolder(home);
  if (!userFlatpak.empty()) userFlatpak += "/flatpak";
  return {searchPath(), systemRoot(), std::move(userFlatpak), home, std::move(playerChoice)};
}

std::optional<GameEngine> chooseGameEngine(std::string_view q2Folder, std::string_view gameSubdirectory,
                                           const EngineSearch& search) {
  Lookup lookup(q2Folder, gameSubdirectory, search);
  // Never another engine in place of the one the player named.
  if (!search.playerChoice.empty()) return lookup.playerChoice();
  for (const EngineEntry& entry : kEngineTable) {
    if (std::optional<GameEngine> engine = lookup.find(entry, false)) return engine;
  }
  return std::nullopt;
}

std::vector<GameEngine> foundEngines(std::string_view q2Folder, const EngineSearch& search) {
  Lookup lookup(q2Folder, {}, search);
  std::vector<GameEngine> found;
  for (const EngineEntry& entry : kEngineTable) {
    if (std::optional<GameEngine> engine = lookup.find(entry, true)) found.push_back(std::move(*engine));
  }
  return found;
}

std::optional<FlatpakGrant> flatpakGrant(const std::string& folder, const std::string& appData) {
  if (folder == appData || folder.starts_with(appData + "/")) return FlatpakGrant{{}, folder};
  // The option ends the path at the first ":" and documents no escape for one.
  if (folder.find(':') != std::string::npos) return std::nullopt;
  // The sandbox has its own /usr; the host's is only granted whole, under /run/host.
  if (folder == "/usr" || folder.starts_with("/usr/"))
    return FlatpakGrant{"--filesystem=host-os:ro", "/run/host" + folder};
  return FlatpakGrant{"--filesystem=" + folder + ":ro", folder};
}

}  // namespace fendral::platform
