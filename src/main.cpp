#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "cli/installation_list.h"
#include "cli/toolkit_start.h"
#include "cli/without_window.h"
#include "settings/settings_location.h"

namespace {

using fendral::cli::Action;

std::vector<std::string> argumentList(int argc, char** argv) {
  return {argv, argv + argc};
}

void print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

int main(int argc, char** argv) {
  const fendral::cli::Options options = fendral::cli::parseOptions(argumentList(argc, argv));
  switch (options.action) {
    case Action::Help:
    case Action::Mistake: {
      // Only for the program's name in the usage line.
      const char* slash = argc > 0 ? std::strrchr(argv[0], '/') : nullptr;
      fendral::cli::ToolkitArguments name(slash != nullptr ? slash + 1 : argc > 0 ? argv[0] : nullptr, "");
      QCoreApplication names(name.count(), name.values());
      if (options.action == Action::Help) {
        print(stdout, fendral::cli::helpText());
        return 0;
      }
      print(stderr, "fendral: " + options.mistake + "\n" + fendral::cli::helpText());
      return 2;
    }
    case Action::Version:
      std::printf("Fendral %s\n", FENDRAL_VERSION);
      return 0;
    case Action::Find:
      return fendral::cli::printInstallations();
    default:
      break;
  }

  fendral::cli::ConsolePlatform host;
  const fendral::settings::SettingsFiles settingsFiles =
      options.settingsFile.empty()
          ? fendral::settings::settingsFilesFor(host.programFolder())
          : fendral::settings::SettingsFiles{options.settingsFile, options.settingsFile};
  if (options.action == Action::Preview) return fendral::cli::printPreview(options, settingsFiles);
  if (options.action == Action::Engines) return fendral::cli::printEngines(options, settingsFiles.read);
  if (options.action == Action::Launch)
    return fendral::cli::launchWithoutWindow(options, settingsFiles.read, argv[0]);
  return fendral::cli::openMainWindow(options, settingsFiles, argv[0]);
}
