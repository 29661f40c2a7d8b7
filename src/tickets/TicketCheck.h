// Checking a player's columns against the stored draws of a game: how many numbers (or digits in
// place, or signs) each draw matched, the draws with a useful number of hits, a count per hit count.
#pragma once

#include "results/DrawHistory.h"

#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

// The player's column: numbers of the main group (KINO 1 to 12 of them), digits by position, or
// signs by match (0 X, 1 "1", 2 "2"); bonus is JOKER's joker, -1 when not given.
struct Ticket
{
    std::vector<int> values;
    int bonus = -1;
    // KINO: the numbers of a column when fewer than values, every such column of them being
    // played; 0 plays them all as one column.
    int played = 0;
    // Pools played as a system: for each match the signs played, bit 1 << sign, values holding the
    // first of them. Empty when every match has one sign.
    std::vector<std::uint8_t> signs;
};

// The most hits a draw can give the ticket: KINO's numbers a column, otherwise its values.
int MostHits(const Ticket& ticket);

// Reads typed text: numbers apart by blanks or commas, digits and signs also written together
// ("1234567", "1X2..."). Pools played as a system: 13 or 14 groups apart, one or more signs each
// ("1 X2 1X2 ..."). False with a Windows-1253 message naming the fault when the count is
// wrong or a value is out of range or repeated.
bool ParseTicket(GameCode game, const std::string& text, Ticket& ticket, std::string& message);

// The question that asks for a column of the game, naming its count and range (Windows-1253).
std::string TicketPrompt(GameCode game);

// The ticket as ParseTicket reads it back: numbers apart, the joker last; digits and signs
// together, a pools system's groups apart.
std::string TicketEntryText(GameCode game, const Ticket& ticket);
// The same for reading: the joker named, KINO's numbers a column when fewer than its numbers.
std::string TicketDisplayText(GameCode game, const Ticket& ticket);

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
