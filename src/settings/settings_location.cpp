#include "settings/settings_location.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/host_environment.h"
#include "settings/settings_table.h"

namespace fendral::settings {

namespace {

std::string joined(std::string folder, std::string_view name) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (!folder.ends_with('/')) folder += '/';
  return folder.append(name);
}

bool underUsr(const std::string& folder) {
  return folder == "/usr" || folder.starts_with("/usr/");
}

// A file someone else owns, or one whose owner write bit is off, is not this player's to write.
bool mayWrite(const std::string& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
         (info.st_mode & S_IWUSR) != 0 && ::access(file.c_str(), W_OK) == 0;
}

}  // namespace

std::string ownSettingsFile(const std::string& xdgConfigHome, const std::string& home) {
  std::string configHome = xdgConfigHome;
  if (!configHome.starts_with('/')) {
    if (!home.starts_with('/')) return {};
    configHome = joined(home, ".config");
  }
  return joined(joined(configHome, "fendral"), kFileName);
}

SettingsFiles chooseSettingsFiles(const SettingsPlaceFacts& facts) {
  const std::string beside = joined(facts.programFolder, kFileName);
  const std::string own = ownSettingsFile(facts.xdgConfigHome, facts.home);
  // Without a home there is no better place than the program's folder.
  if (own.empty()) return {beside, beside};
  if (facts.ownExists) return {own, own};
  if (facts.besideWritable && !underUsr(facts.programFolder)) return {beside, beside};
  return {facts.besideExists ? beside : own, own};
}

SettingsFiles settingsFilesFor(const std::string& programFolder) {
  SettingsPlaceFacts facts;
  facts.programFolder = programFolder;
  facts.xdgConfigHome = platform::environmentValue("XDG_CONFIG_HOME");
  if (!facts.xdgConfigHome.starts_with('/')) facts.home = platform::homeFolder();
  struct stat info {};
  const std::string own = ownSettingsFile(facts.xdgConfigHome, facts.home);
  facts.ownExists = !own.empty() && ::lstat(own.c_str(), &info) == 0;
  const std::string beside = joined(programFolder, kFileName);
  facts.besideExists = ::lstat(beside.c_str(), &info) == 0;
  facts.besideWritable =
      facts.besideExists ? mayWrite(beside) : ::access(programFolder.c_str(), W_OK | X_OK) == 0;
  return chooseSettingsFiles(facts);
}

platform::FileOutcome makeSettingsFolder(const std::string& settingsFile) {
  const std::size_t last = settingsFile.rfind('/');
  if (last == std::string::npos || last == 0) return {};
  const std::string folder = settingsFile.substr(0, last);
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return {};
    return {platform::FileError::Other, ENOTDIR};
  }
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return {platform::FileError::Other, errno};
    if (slash == std::string::npos) return {};
  }
}

}  // namespace fendral::settings
