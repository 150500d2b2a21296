#pragma once

#include <string>
#include <vector>

namespace fendral::find {

// Where this player's files are: every place the search looks at is made from these, so tests can
// point them all at a scratch folder.
struct Places {
  std::string home;                                                   // the home folder
  std::string dataHome;                                               // $XDG_DATA_HOME, or ~/.local/share
  std::vector<std::string> systemFolders{"/usr/share/games/quake2"};  // the distribution's data
};

// The places of the player running this program: HOME (or the password database), XDG_DATA_HOME
// when it is an absolute path.
Places placesOfThisPlayer();

struct Installation {
  std::string folder;
  std::string whence;              // where it was found, for a person: "Steam library /mnt/games"
  std::vector<std::string> games;  // its game folders (see gameFolders); only when all are asked for
};

// A record file that could not be used, and why.
struct Skipped {
  std::string file;
  std::string reason;
};

struct Search {
  std::vector<Installation> found;  // in the order of the places; no folder twice
  std::vector<Skipped> skipped;
  std::vector<std::string> looked;  // the folders and record files looked at, in order
};

enum class Extent { First, All };

// The Quake 2 installations in the known places, in this order: Steam's libraries, GOG (Heroic's
// records, then its usual folders), the distribution's data, the engines' homes. A folder counts when
// its baseq2/pak0.pak is a regular file starting with "PACK". Never walks a folder; record files are
// read only when regular, never blockingly, and up to 1 MiB. With Extent::First it stops at the first.
Search findInstallations(const Places& places, Extent extent);

// True when `folder`/baseq2/pak0.pak is a regular file that starts with "PACK".
bool holdsGameData(const std::string& folder);

// The names of the folders right inside `folder` that hold a game (a pak0.pak, game.so or
// gamex86.dll), sorted; hidden folders left out.
std::vector<std::string> gameFolders(const std::string& folder);

}  // namespace fendral::find
