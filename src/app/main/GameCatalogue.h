// The thirteen games behind the buttons of the main window: button name, caption and its colour,
// and the caption of the update button while the game is shown.
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
    const char* caption;    // UTF-8; "\n" breaks the caption into two lines
    QColor colour;
};

const std::array<GameEntry, kGameCount>& GameCatalogue();
// The update button's caption for a game; empty for BET, which has no update.
QString UpdateCaption(GameCode game);

} // namespace karvo
