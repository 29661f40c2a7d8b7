// The items that follow a draw game's own command menu, after a separator: the number statistics,
// the column check and the kept tickets.
#pragma once

#include "domain/CommandCodes.h"
#include "domain/Games.h"

#include <string>
#include <vector>

namespace karvo {

struct StatsMenuItem
{
    std::string caption; // Windows-1253
    Command command;
};

// Empty for every game without draws.
std::vector<StatsMenuItem> StatsMenuItems(GameCode game);

} // namespace karvo
