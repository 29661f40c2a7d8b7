// KINO's number statistics straight from the month files: each month is read into one reused
// buffer and counted there, so ten years of draws are never held in memory at once.
#pragma once

#include "stats/NumberStats.h"

#include <string>

namespace karvo {

// The same figures as ComputeStats over LoadHistory(folder, GameCode::Kino), for any period. A
// month file that cannot be read throws KarvoError.
GameStats ComputeKinoStats(const std::string& folder, const StatsPeriod& period);

} // namespace karvo
