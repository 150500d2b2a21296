#include "cli/installation_list.h"

#include <cstdio>
#include <string>

#include "find/installations.h"

namespace fendral::cli {

int printInstallations() {
  const find::Search search = find::findInstallations(find::placesOfThisPlayer(), find::Extent::All);
  for (const find::Installation& found : search.found) {
    std::string games;
    for (const std::string& game : found.games) games += (games.empty() ? "" : " ") + game;
    std::printf("%s\t%s\t%s\n", found.folder.c_str(), found.whence.c_str(), games.c_str());
  }
  std::fflush(stdout);
  for (const find::Skipped& skipped : search.skipped)
    std::fprintf(stderr, "fendral: skipped %s: %s\n", skipped.file.c_str(), skipped.reason.c_str());
  if (!search.found.empty()) return 0;
  std::fprintf(stderr, "fendral: no Quake 2 installation found. Looked in:\n");
  for (const std::string& place : search.looked) std::fprintf(stderr, "  %s\n", place.c_str());
  return 1;
}

}  // namespace fendral::cli
