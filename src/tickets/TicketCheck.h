// Checking a player's columns against the stored draws of a game: how many numbers (or digits in
// place, or signs) each draw matched, the draws with a useful number of hits, a count per hit count.
#pragma once

#include "results/DrawHistory.h"
#include "tickets/Ticket.h"

#include <cstdint>
#include <vector>

namespace karvo {

struct TicketHit
{
    std::int64_t draw = -1; // index into the history; -1 for none
    int hits = 0;
    bool bonusHit = false;
};

struct TicketReport
{
    std::int64_t draws = 0;
    int threshold = 0;
    std::vector<TicketHit> hits;         // draws with threshold hits or more, oldest first
    std::vector<std::int64_t> hitCounts; // [k]: draws with exactly k hits, k = 0..the ticket's size
    std::int64_t bonusHits = 0;          // draws whose joker matched
    TicketHit best;                      // the first draw with the most hits
    std::vector<int> recent;             // hits of the last draws asked for, oldest first
};

struct TicketCheckOptions
{
    std::int64_t firstDraw = 0; // the draws before it are left out of every figure
    int threshold = 0;          // the fewest hits listed; 0: the game's useful count
    bool listHits = true;       // false lists none, for the figures alone
    int recentDraws = 0;        // how many of the last draws keep their hits in recent
};

// A report a ticket, in the tickets' order. Every count of hits in the program comes from here.
std::vector<TicketReport> CheckTickets(const DrawHistory& history, GameCode game, const std::vector<Ticket>& tickets,
                                       const TicketCheckOptions& options = {});
TicketReport CheckTicket(const DrawHistory& history, GameCode game, const Ticket& ticket,
                         const TicketCheckOptions& options = {});

} // namespace karvo
