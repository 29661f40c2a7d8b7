// The folder the program works in: the user's data folder or one named on the command line, made
// when missing and entered, so that the working folder is the program's folder from then on.
#pragma once

#include <QString>

namespace karvo {

// KARVO_DATA_DIR when set, else the desktop's data location + "/karvo" (~/.local/share/karvo).
QString UserDataFolder();

// Makes folder when missing and makes it the current folder; false when it cannot be made or
// entered (a path under a regular file, a folder without search permission).
bool EnterFolder(const QString& folder);

} // namespace karvo
