#include "find/installations.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "find/search_steps.h"
#include "platform/file_content.h"
#include "platform/host_environment.h"
#include "platform/unique_fd.h"

namespace fendral::find {

namespace {

bool isRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::optional<std::string> realPath(const std::string& path, std::string& why) {
  std::array<char, PATH_MAX> resolved{};
  if (::realpath(path.c_str(), resolved.data()) == nullptr) {
    why = errno == ENOENT || errno == ENOTDIR ? ""
          : errno == ELOOP                    ? "its path loops through symbolic links"
                                              : std::strerror(errno);
    return std::nullopt;
  }
  return std::string(resolved.data());
}

bool Collector::offer(const std::string& folder, std::string whence) {
  if (done()) return true;
  search_.looked.push_back(folder);
  // One line of --find, one line of a text field.
  if (folder.find('\n') != std::string::npos || !holdsGameData(folder)) return false;
  std::string why;
  const std::optional<std::string> real = realPath(folder, why);
  if (!real || !taken_.insert(*real).second) return false;
  Installation& found = search_.found.emplace_back();
  found.folder = folder;
  found.whence = std::move(whence);
  if (extent_ == Extent::All) found.games = gameFolders(folder);
  return done();
}

std::optional<std::string> Collector::readRecord(const std::string& file) {
  search_.looked.push_back(file);
  platform::FileRead read = platform::readFileContent(file, kRecordLimit);
  if (read.outcome) return std::move(read.bytes);
  if (read.outcome.error != platform::FileError::NotFound) {
    skip(file, read.outcome.error == platform::FileError::TooLarge ? "it is larger than 1 MiB"
               : read.outcome.code == ELOOP                        ? "its path loops through symbolic links"
                                                                   : platform::describe(read.outcome));
  }
  return std::nullopt;
}

bool holdsGameData(const std::string& folder) {
  const std::string pak = folder + "/baseq2/pak0.pak";
  // Looked at before it is opened: opening a FIFO may wait.
  if (!isRegularFile(pak)) return false;
  platform::UniqueFd fd(::open(pak.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::array<char, 4> magic{};
  return ::pread(fd.get(), magic.data(), magic.size(), 0) == 4 && std::memcmp(magic.data(), "PACK", 4) == 0;
}

std::vector<std::string> gameFolders(const std::string& folder) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
  if (!listing) return names;
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name.starts_with('.')) continue;
    const std::string inside = folder + "/" + name + "/";
    if (isRegularFile(inside + "pak0.pak") || isRegularFile(inside + "game.so") ||
        isRegularFile(inside + "gamex86.dll"))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

Places placesOfThisPlayer() {
  Places places;
  places.home = platform::homeFolder();
  places.dataHome = platform::dataHomeFolder(places.home);
  // Under the same system root as the engine choice's, so tests find no data the machine happens to have.
  for (std::string& folder : places.systemFolders) folder.insert(0, platform::systemRoot());
  return places;
}

Search findInstallations(const Places& places, Extent extent) {
  Search search;
  Collector collector(search, extent);
  searchSteam(places, collector);
  searchGog(places, collector);
  for (const std::string& folder : places.systemFolders) {
    if (collector.offer(folder, "the distribution's data")) return search;
  }
  const std::string& home = places.home;
  const std::array<std::pair<std::string, const char*>, 5> engineHomes{{
      {home + "/.yq2", "Yamagi Quake II's home"},
      {places.dataHome + "/YamagiQ2", "Yamagi Quake II's home"},
      {home + "/.q2pro", "Q2PRO's home"},
      {home + "/.var/app/org.yamagi.YamagiQ2/.yq2", "Yamagi Quake II's Flatpak home"},
      {home + "/.var/app/com.github.skullernet.q2pro/data", "Q2PRO's Flatpak home"},
  }};
  for (const auto& [folder, whence] : engineHomes) {
    if (collector.offer(folder, whence)) return search;
  }
  return search;
}

}  // namespace fendral::find
