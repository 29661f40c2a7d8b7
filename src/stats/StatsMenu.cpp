#include "stats/StatsMenu.h"

#include "util/Cp1253.h"

namespace karvo {

std::vector<StatsMenuItem> StatsMenuItems(GameCode game)
{
    if (IsDrawGame(game)) {
        return {{Utf8ToCp1253("Στατιστικά αριθμών"), Command::NumberStats},
                {Utf8ToCp1253("Έλεγχος στήλης"), Command::TicketCheck},
                {Utf8ToCp1253("Τα δελτία μου"), Command::KeptTickets}};
    }
    return {};
}

} // namespace karvo
