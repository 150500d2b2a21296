#pragma once

namespace fendral::cli {

// --find: each Quake 2 installation found, one a line: its folder, where it was found and its games,
// separated by tabs, the one a first run takes first. Record files skipped go to stderr with the
// reason; when nothing is found, where it looked. 0, or 1 when nothing is found.
int printInstallations();

}  // namespace fendral::cli
