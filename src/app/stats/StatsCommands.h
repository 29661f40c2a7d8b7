// The statistics items of the command menu, and the stock's price history: added after the game's
// own items, behind a separator, and run here so that the main window's dispatcher stays as it is.
#pragma once

#include "stats/StatsMenu.h"

class QMenu;

namespace karvo {

class MainWindow;

// Appends the current game's statistics or price-history items, if it has any, after a separator.
void AddStatsMenuItems(QMenu& menu, MainWindow& mainWindow);

// Opens the window of a statistics item for the current game. A failure below the program's code
// is shown in a box.
void RunStatsCommand(MainWindow& mainWindow, Command command);

} // namespace karvo
