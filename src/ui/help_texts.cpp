#include "ui/help_texts.h"

namespace fendral::ui {

namespace {

// A no-break space and word joiners keep an option with its value and a drive with its path.
using K = HelpItem::Kind;

std::vector<HelpTab> makeTabs() {
  return {
      {"The Basics",
       {
           {K::Text,
            "Fendral makes starting Quake 2 simpler, above all on a home network, where you would "
            "otherwise keep a row of shortcuts, config files and batch files to set your 3DFX "
            "variables."},
           {K::Text,
            "The main window has a button to launch the game, one for this help, one to exit and one "
            "for the setup. Every setup option is explained on these tabs, and when you rest the "
            "mouse pointer on a control, a tooltip tells you what it does."},
           {K::Text,
            "To install Fendral, put it in any folder you like, together with the small "
            "fendral-notepad editor it uses to open config and batch files. Your setup is kept in "
            "fendral.ini beside Fendral when that file is there or you may write to the folder, and "
            "otherwise in ~/.config/fendral/fendral.ini. If there is no settings file yet, Fendral "
            "makes one the first time you save your setup."},
           {K::Text,
            "To see what goes into a config or batch file for a 3DFX card, press one of the "
            "\"Example (3DFX)\" buttons on the Game Settings tab of the setup."},
       }},
      {"Launching Games",
       {
           {K::Text,
            "First choose one of the four games. \"Standard Quake 2\" is the regular game, started "
            "with the config file you set up for it, if any. The other three are the custom games "
            "you set up on the Custom Games tab of the setup; their buttons show the descriptions "
            "you gave them there."},
           {K::Text,
            "Then choose Single Player or Multiplayer Client. For a multiplayer game a box appears "
            "in which you type the address of the server. Server options may follow in a later "
            "version."},
           {K::Text,
            "Launching is one click on the Launch button. If quake2.exe or your batch file cannot "
            "be found, an error message says so and nothing is started."},
           {K::Text, "This part should give you no trouble. Remember that Fendral is still a beta."},
       }},
      {"About...",
       {
           {K::Title, "Fendral v.95b"},
           {K::Text,
            "Fendral is our first program released for others to use. It is a beta: it has been "
            "tried on a handful of machines, old and new, so expect some rough edges."},
           {K::Text,
            "Many thanks to the players who tested it and helped along the way, and to the people "
            "whose published tuning advice gave us some of the sample commands."},
           {K::Text,
            "Please report problems and send suggestions through the project's issue tracker. "
            "Fendral is free: copy it and pass it on as you like, as long as you give credit. The "
            "source is open to anyone who wants to improve it."},
           {K::Signature, "The Fendral team"},
       }},
      {"Program Locations",
       {
           {K::Heading, "CD DRIVE LETTER:"},
           {K::Text,
            "Only the letter of the CD-ROM drive that holds your Quake 2 disc, such as D. Fendral "
            "uses it to tell the game where the CD is."},
           {K::Heading, " PATH TO YOUR QUAKE2 FOLDER:"},
           {K::Text,
            "The folder that holds quake2.exe, as in C:\u2060\\QUAKE2. Do not end it with a backslash: "
            "one at the end breaks every path Fendral builds from it."},
           {K::Heading, "ANY EXTRA COMAND LINE OPTIONS:"},
           {K::Text,
            "Options for the game's command line, for example -\u2060HEAPSIZE\u00a048000. Type them exactly "
            "as you would in a batch file; wrong options give unexpected results."},
           {K::Heading, "NOTE:"},
           {K::Text,
            "Fendral checks that QUAKE2.EXE is in that folder when you save and when you launch. "
            "Take care with your backslashes."},
       }},
      {"Game Settings",
       {
           {K::Heading, "STANDARD CONFIG FILE:"},
           {K::Text,
            "A config file for the regular game, not for add-ons (those belong on the Custom Games "
            "tab). It ends in .cfg and must be in your Quake2\\baseq2 folder. It is optional, and a "
            "good place for commands that make the game run faster. Give only the file name, such "
            "as TAMRO.CFG; Fendral adds the path. The buttons beside it create or edit the file, or "
            "show a sample."},
           {K::Heading, "USE CDAUDIO AND JOYSTICK:"},
           {K::Text, "Just what they say..."},
           {K::Heading, "BATCH FILE USE:"},
           {K::Text,
            "A batch file of your own that runs just before the game, for instance with SET "
            "commands for a 3DFX card. It must be in the same folder as QUAKE2.EXE. The sample "
            "button shows what such commands look like."},
       }},
      {"Custom Games",
       {
           {K::Heading, "FOR STARTERS:"},
           {K::Text,
            "There are three custom games. Each is an add-on that lives in a subdirectory of your "
            "Quake 2 folder and is normally started by typing quake2 +set game and the "
            "subdirectory's name. Fendral does that for you."},
           {K::Heading, "DESCRIPTION:"},
           {K::Text,
            "Any friendly name, such as TAMRO CTF GAME. It becomes the label of the game's button "
            "in the launch view."},
           {K::Heading, "SUBDIRECTORY:"},
           {K::Text,
            "The directory's name alone, without backslashes: CTF means C:\u2060\\GAMES\\QUAKE2\\CTF."},
           {K::Heading, "CUSTOM CONFIG:"},
           {K::Text,
            "Works like the standard config file, one for each custom game, and must be in that "
            "game's subdirectory."},
       }},
  };
}

}  // namespace

const std::vector<HelpTab>& helpTabs() {
  static const std::vector<HelpTab> tabs = makeTabs();
  return tabs;
}

}  // namespace fendral::ui
