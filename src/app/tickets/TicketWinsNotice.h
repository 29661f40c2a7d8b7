// The box that tells, after an update, what the new draws won for the kept tickets.
#pragma once

#include "domain/Games.h"
#include "results/DrawHistory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace karvo {

// Shows lines (Windows-1253, a ticket and draw each) in an information box over parent and waits
// for it to close; nothing when there are none. A long list shows its first lines, all of them
// under the box's details.
void ShowTicketWins(QWidget* parent, const std::vector<std::string>& lines);

// The date of game's last stored draw in folder, taken before its update; none when its results
// cannot be read, so that the update runs as ever and the tickets are not checked after it.
std::optional<HistoryEnd> LastDrawBeforeUpdate(const std::string& folder, GameCode game);

// After the update of game: the tickets against the draws stored after before, told over
// parent, when the update stored any.
void TellTicketWins(QWidget* parent, const std::string& folder, GameCode game, const std::optional<HistoryEnd>& before);

} // namespace karvo
