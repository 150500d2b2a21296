#include "cli/command_options.h"

#include <QCommandLineParser>
#include <string_view>

namespace fendral::cli {

namespace {

struct Parser {
  QCommandLineParser parser;
  QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
  QCommandLineOption version{{"v", "version"}, "Show the version and exit."};
  QCommandLineOption settings{"settings",
                              "Read and save the settings in FILE. Without it they are read from "
                              "~/.config/fendral/fendral.ini ($XDG_CONFIG_HOME/fendral) when it exists, "
                              "else from fendral.ini beside the program, which Save writes only where "
                              "this player may and the program is not under /usr.",
                              "FILE"};
  QCommandLineOption preview{"preview",
                             "Print what Launch would run with the saved settings and start nothing."};
  QCommandLineOption launch{"launch", "Run Launch with the saved settings, without the window."};
  QCommandLineOption find{"find",
                          "Print the Quake 2 installations found (Steam, GOG, the distribution's data, the "
                          "engines' homes), the one a first run takes first."};
  QCommandLineOption game{"game", "The game to start: standard (the default), or custom game 1, 2 or 3.",
                          "standard|1|2|3"};
  QCommandLineOption multiplayer{"multiplayer",
                                 "Join the saved server as a multiplayer client instead of playing "
                                 "single player."};
  QCommandLineOption engine{"engine",
                            "Start the game with PROGRAM (a path, a name on the PATH, or a Flatpak app ID) "
                            "instead of the saved Engine= for this run.",
                            "PROGRAM"};
  QCommandLineOption engines{"engines",
                             "List the Quake 2 engines found on this system and the one the saved settings "
                             "would use."};

  Parser() {
    parser.setApplicationDescription(
        "Starts Quake 2: opens the launcher's window, or with --preview or --launch works without it.");
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version, settings, preview, launch, game, multiplayer, engine, engines, find});
  }
};

// The last value of the option `-NAME` as the bytes it was given: a QString cannot carry a file name that
// is not valid in the locale's encoding, and such a name must still name that very file.
std::string valueBytes(const std::vector<std::string>& arguments, std::string_view option) {
  const std::string assigned = std::string(option) + "=";
  std::string value;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    std::string_view word = arguments[i];
    if (word == "--") break;
    if (word.starts_with("--")) word.remove_prefix(1);
    if (word == option && i + 1 < arguments.size()) {
      value = arguments[++i];
    } else if (word.starts_with(assigned)) {
      value = word.substr(assigned.size());
    }
  }
  return value;
}

Options mistake(const QString& line) {
  Options options;
  options.action = Action::Mistake;
  options.mistake = line;
  return options;
}

}  // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
  QStringList words;
  for (const std::string& word : arguments) words << QString::fromLocal8Bit(word);
  Parser p;
  if (!p.parser.parse(words)) return mistake(p.parser.errorText());
  if (!p.parser.positionalArguments().isEmpty()) {
    return mistake(QString("Unexpected argument '%1'.").arg(p.parser.positionalArguments().first()));
  }
  Options options;
  if (p.parser.isSet(p.help)) {
    options.action = Action::Help;
    return options;
  }
  if (p.parser.isSet(p.version)) {
    options.action = Action::Version;
    return options;
  }
  if (p.parser.isSet(p.preview) + p.parser.isSet(p.launch) + p.parser.isSet(p.engines) +
          p.parser.isSet(p.find) >
      1) {
    return mistake("--preview, --launch, --engines and --find do not go together.");
  }
  if (p.parser.isSet(p.settings)) {
    options.settingsFile = valueBytes(arguments, "-settings");
    if (options.settingsFile.empty()) return mistake("--settings needs a file name.");
  }
  if (p.parser.isSet(p.game)) {
    const QString game = p.parser.value(p.game);
    if (game.compare("standard", Qt::CaseInsensitive) == 0) {
      options.gameChoice = launch::GameChoice::Standard;
    } else if (game == "1") {
      options.gameChoice = launch::GameChoice::Custom1;
    } else if (game == "2") {
      options.gameChoice = launch::GameChoice::Custom2;
    } else if (game == "3") {
      options.gameChoice = launch::GameChoice::Custom3;
    } else {
      return mistake(QString("Unknown game '%1': --game takes standard, 1, 2 or 3.").arg(game));
    }
  }
  if (p.parser.isSet(p.engine)) options.engine = valueBytes(arguments, "-engine");
  if (p.parser.isSet(p.multiplayer)) options.gameType = launch::GameType::MultiplayerClient;
  if (p.parser.isSet(p.preview)) options.action = Action::Preview;
  if (p.parser.isSet(p.launch)) options.action = Action::Launch;
  if (p.parser.isSet(p.engines)) options.action = Action::Engines;
  if (p.parser.isSet(p.find)) options.action = Action::Find;
  return options;
}

QString helpText() {
  return Parser().parser.helpText();
}

}  // namespace fendral::cli
