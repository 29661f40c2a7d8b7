// The kept tickets against the stored draws as lines of text: those that won something in the
// draws a run of the update brought, and every ticket's latest figures.
#pragma once

#include "domain/Games.h"
#include "results/DrawHistory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace karvo {

// How many of the last draws the figures of a ticket show one by one.
inline constexpr int kTicketRecentDraws = 10;
// Pools tickets worth telling about after an update: from this many right signs.
inline constexpr int kPropoHitsWorthTelling = 10;

// The tickets of game kept in folder (ending in "/") checked against the stored draws dated after
// before: where the history ended before the update (a date of 0 for every draw). A line (Windows-1253) a
// ticket and draw with a useful count: "LOTTO «Σπίτι»: 4 επιτυχίες στην κλήρωση της 12-03-2026".
// A ticket file that cannot be read gives its message as the one line; a results file that
// cannot be read throws KarvoError.
std::vector<std::string> TicketWinsAfter(const std::string& folder, GameCode game, const HistoryEnd& before);

// A game that stored new draws in an update, and the date of its last draw stored before it.
struct NewDraws
{
    GameCode game = GameCode::Lotto;
    HistoryEnd before;
};

// The lines of TicketWinsAfter for each game, in the order given. A ticket file that cannot be
// read gives its message once, as the one line.
std::vector<std::string> TicketWinsOfUpdate(const std::string& folder, const std::vector<NewDraws>& games);

// A line a kept ticket, of one game or of all in the games' order: its hits in the latest draw, in
// the last kTicketRecentDraws and its best ever.
std::vector<std::string> TicketLatestLines(const std::string& folder, std::optional<GameCode> game);

// yyyymmdd as "dd-mm-yyyy"; a pools draw (day 0) as "yyyy-n", its number in the year.
std::string DrawDateText(std::int32_t date);

} // namespace karvo
