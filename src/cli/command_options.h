#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "launch/command_line.h"

namespace fendral::cli {

enum class Action { Window, Help, Version, Preview, Launch, Engines, Find, Mistake };

// What the command line asks for. Without options it is the window, as always.
struct Options {
  Action action = Action::Window;
  std::string settingsFile;  // empty: beside the program or in the configuration folder
  launch::GameChoice gameChoice = launch::GameChoice::Standard;
  launch::GameType gameType = launch::GameType::SinglePlayer;
  std::optional<std::string> engine;  // --engine: this run's engine instead of the saved one
  QString mistake;                    // one line naming what is wrong, for Action::Mistake
};

// `arguments` are argv's words as bytes, the program's name first.
Options parseOptions(const std::vector<std::string>& arguments);

// The usage and every option; the program's name is taken from the running application.
QString helpText();

}  // namespace fendral::cli
