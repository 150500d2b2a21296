#include "settings/settings_location.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "settings/settings_table.h"

namespace fendral::settings {

namespace {

std::string joined(std::string folder, std::string_view name) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (!folder.ends_with('/')) folder += '/';
  return folder.append(name);
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string homeFolder() {
  std::string home = environment("HOME");
  if (home.starts_with('/')) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

}  // namespace

std::string chooseSettingsFile(const SettingsPlaceFacts& facts) {
  const std::string beside = joined(facts.programFolder, kFileName);
  if (facts.fileBesideProgram || facts.folderWritable) return beside;
  std::string configHome = facts.xdgConfigHome;
  if (!configHome.starts_with('/')) {
    // Without a home there is no better place than the program's folder, read-only as it is.
    if (!facts.home.starts_with('/')) return beside;
    configHome = joined(facts.home, ".config");
  }
  return joined(joined(configHome, "fendral"), kFileName);
}

std::string settingsFileFor(const std::string& programFolder) {
  SettingsPlaceFacts facts;
  facts.programFolder = programFolder;
  struct stat info {};
  facts.fileBesideProgram = ::lstat(joined(programFolder, kFileName).c_str(), &info) == 0;
  facts.folderWritable = !facts.fileBesideProgram && ::access(programFolder.c_str(), W_OK | X_OK) == 0;
  if (!facts.fileBesideProgram && !facts.folderWritable) {
    facts.xdgConfigHome = environment("XDG_CONFIG_HOME");
    if (!facts.xdgConfigHome.starts_with('/')) facts.home = homeFolder();
  }
  return chooseSettingsFile(facts);
}

bool makeSettingsFolder(const std::string& settingsFile) {
  const std::size_t last = settingsFile.rfind('/');
  if (last == std::string::npos || last == 0) return true;
  const std::string folder = settingsFile.substr(0, last);
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

}  // namespace fendral::settings
