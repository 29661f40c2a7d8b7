// The thirteen games behind the buttons of the main window: button name and colour, the caption
// from the game's name, and the caption of the update button while the game is shown.
#pragma once

#include "domain/Games.h"

#include <QColor>
#include <QString>
#include <array>

namespace karvo {

struct GameEntry
{
    GameCode code;
    const char* objectName; // the button's
    QColor colour;
};

// A game button's caption: the game's name, its blank (the pools' day) breaking it in two lines.
QString ButtonCaption(GameCode game);

const std::array<GameEntry, kGameCount>& GameCatalogue();
// The update button's caption for a game; empty for BET, which has no update.
QString UpdateCaption(GameCode game);

} // namespace karvo
