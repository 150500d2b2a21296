#pragma once

#include <string>

#include "cli/command_options.h"
#include "platform/host_platform.h"
#include "settings/settings_location.h"

namespace fendral::cli {

// The host without a window: the message goes to stderr.
class ConsolePlatform : public platform::HostPlatform {
 public:
  void message(const std::string& prompt) override;
};

// Both give one line on stderr naming a settings file that exists but cannot be read, and why, and 1.

// --preview: the settings file (and the one Save would write, when another), the two texts Debug shows,
// then each program Launch would start, one word a line; or the usual message on stderr. 0 or 1.
int printPreview(const Options& options, const settings::SettingsFiles& settingsFiles);

// --engines: the settings file, every engine this system has, then the one Launch would start, or the
// usual message on stderr. 0 or 1.
int printEngines(const Options& options, const std::string& settingsFile);

// --launch: Launch with the saved settings. A started game ends the program with 0; a failure gives
// the usual message on stderr and, when a display answers, in the message box; then 1.
int launchWithoutWindow(const Options& options, const std::string& settingsFile, const char* programName);

}  // namespace fendral::cli
