#include <array>
#include <set>
#include <vector>

#include "find/search_steps.h"
#include "find/vdf_scan.h"

namespace fendral::find {

namespace {

// Quake II's app; its mission packs (2330, 2340) are installed into the same folder.
constexpr const char* kManifest = "/steamapps/appmanifest_2320.acf";

bool isNumber(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The library folders a root's libraryfolders.vdf names, in the file's order: the numbered blocks'
// "path" today, or numbered values in the older form.
std::vector<std::string> libraryPaths(const VdfNode& root) {
  std::vector<std::string> paths;
  const VdfNode* folders = root.child("libraryfolders");
  if (folders == nullptr || !folders->block) return paths;
  for (const VdfNode& entry : folders->children) {
    if (!isNumber(entry.key)) continue;
    if (!entry.block) {
      paths.push_back(entry.value);
    } else if (const VdfNode* path = entry.child("path"); path != nullptr && !path->block) {
      paths.push_back(path->value);
    }
  }
  return paths;
}

// The game's folder in `library`, when its manifest names one.
std::optional<std::string> gameFolder(const std::string& library, Collector& collector) {
  const std::string manifest = library + kManifest;
  const std::optional<std::string> bytes = collector.readRecord(manifest);
  if (!bytes) return std::nullopt;
  const VdfScan scan = scanVdf(*bytes);
  if (!scan.error.empty()) {
    collector.skip(manifest, scan.error);
    return std::nullopt;
  }
  const VdfNode* state = scan.root.child("AppState");
  const VdfNode* installdir = state != nullptr ? state->child("installdir") : nullptr;
  if (installdir == nullptr || installdir->block || installdir->value.empty()) {
    collector.skip(manifest, "it names no installdir");
    return std::nullopt;
  }
  const std::string& name = installdir->value;
  if (name.find_first_of("/\n") != std::string::npos || name == "." || name == "..") {
    collector.skip(manifest, "its installdir is not a folder name");
    return std::nullopt;
  }
  return library + "/steamapps/common/" + name;
}

}  // namespace

void searchSteam(const Places& places, Collector& collector) {
  const std::string& home = places.home;
  const std::array<std::string, 6> roots{
      home + "/.steam/steam",
      home + "/.steam/root",
      home + "/.local/share/Steam",
      home + "/.steam/debian-installation",
      home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam",
      home + "/snap/steam/common/.local/share/Steam",
  };
  std::set<std::string> seenRoots, seenLibraries;
  for (const std::string& root : roots) {
    collector.look(root);
    std::string why;
    const std::optional<std::string> realRoot = realPath(root, why);
    if (!realRoot) {
      if (!why.empty()) collector.skip(root, why);
      continue;
    }
    if (!seenRoots.insert(*realRoot).second) continue;

    // The root is a library of its own, whatever the file says.
    std::vector<std::string> libraries{root};
    const std::string list = root + "/steamapps/libraryfolders.vdf";
    if (const std::optional<std::string> bytes = collector.readRecord(list)) {
      const VdfScan scan = scanVdf(*bytes);
      if (scan.error.empty()) {
        for (std::string& path : libraryPaths(scan.root)) libraries.push_back(std::move(path));
      } else {
        collector.skip(list, scan.error);
      }
    }
    for (const std::string& library : libraries) {
      if (library.empty() || library.front() != '/') {
        collector.skip(list, "it names a library that is not an absolute path");
        continue;
      }
      if (library.find('\n') != std::string::npos) {
        collector.skip(list, "it names a library with a line break");
        continue;
      }
      const std::optional<std::string> realLibrary = realPath(library, why);
      if (!realLibrary) {
        // A library on a drive that is not plugged in is missing, not broken.
        if (!why.empty()) collector.skip(library, why);
        continue;
      }
      if (!seenLibraries.insert(*realLibrary).second) continue;
      if (const std::optional<std::string> folder = gameFolder(library, collector)) {
        if (collector.offer(*folder, "Steam library " + library)) return;
      }
    }
  }
}

}  // namespace fendral::find
