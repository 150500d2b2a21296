#include "platform/host_environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace fendral::platform {

std::string environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string homeFolder() {
  std::string home = environmentValue("HOME");
  if (home.starts_with('/')) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

std::string dataHomeFolder(const std::string& home) {
  std::string data = environmentValue("XDG_DATA_HOME");
  if (data.starts_with('/')) return data;
  return home.empty() ? "" : home + "/.local/share";
}

std::string systemRoot() {
  return environmentValue("FENDRAL_SYSTEM_ROOT");
}

}  // namespace fendral::platform
