#pragma once

class QLineEdit;

namespace fendral::ui {

// From the player's first key in `field` on, completes folder names from the file system with Qt's
// completer. Until then nothing is made: the window starts and looks as without it.
void completeFolders(QLineEdit& field);

// From the player's first key in `field` on, completes the names of the folders inside the folder
// `q2Folder` names that hold a game (a pak0.pak, game.so or gamex86.dll). The list is made again when
// the Quake 2 folder has changed since.
void completeGameFolders(QLineEdit& field, const QLineEdit& q2Folder);

}  // namespace fendral::ui
