#include "settings/settings_save.h"

#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "platform/file_lock.h"
#include "settings/private_profile.h"

namespace fendral::settings {

namespace {

// Long enough for any Save to finish, short enough that a stopped launcher holding the lock is
// reported rather than waited for.
constexpr int kLockWaitMs = 5000;

std::string lockFileFor(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  return file.substr(0, name) + "." + file.substr(name) + ".lock";
}

}  // namespace

bool isSymbolicLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

platform::FileOutcome saveChangedSettings(const SettingsFiles& files, const LoadedSettings& loaded,
                                          const SettingValues& edited) {
  if (platform::FileOutcome made = makeSettingsFolder(files.write); !made) return made;
  const platform::FileLock lock = platform::FileLock::acquire(lockFileFor(files.write), kLockWaitMs);
  if (lock.state() == platform::FileLock::State::Busy) return {platform::FileError::Other, EWOULDBLOCK};
  if (!loaded.writeFileWasLink && isSymbolicLink(files.write)) return {platform::FileError::NotRegular, 0};
  std::vector<ProfileEntry> entries;
  entries.reserve(kSettings.size());
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    entries.push_back({kSettings[i].saveKey, edited[i], edited[i] == loaded.values[i]});
  }
  return writeProfileStrings(kSection, entries, files.write, files.read == files.write ? "" : files.read);
}

std::string saveFailurePrompt(const std::string& file, const platform::FileOutcome& outcome) {
  const std::string reason =
      outcome.code == EWOULDBLOCK ? "another Fendral kept it locked" : platform::describe(outcome);
  return "The settings could not be saved in " + file + ": " + reason + ".";
}

}  // namespace fendral::settings
