// The items that follow a draw game's own command menu, after a separator: the number statistics,
// the column check and the kept tickets.
#pragma once

#include "domain/Games.h"

#include <string>
#include <vector>

namespace karvo {

enum class StatsCommand { NumberStats = 31, TicketCheck = 32, PriceHistory = 33, KeptTickets = 34 };

struct StatsMenuItem
{
    std::string caption; // Windows-1253
    StatsCommand command;
};

// Empty for every game without draws.
std::vector<StatsMenuItem> StatsMenuItems(GameCode game);

} // namespace karvo
