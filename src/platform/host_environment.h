#pragma once

#include <string>

namespace fendral::platform {

// The variable's value in this process's environment; empty when it is not set.
std::string environmentValue(const char* name);

// The player's home folder: $HOME when it is an absolute path, else the password database's entry;
// empty when neither says.
std::string homeFolder();

// $XDG_DATA_HOME when it is an absolute path, else `home`/.local/share; empty without either.
std::string dataHomeFolder(const std::string& home);

// The folder the system's own folders (/usr/..., /var/lib/...) are looked for under: empty on a real
// system; FENDRAL_SYSTEM_ROOT, which only tests set, lays out an install in a scratch folder.
std::string systemRoot();

}  // namespace fendral::platform
