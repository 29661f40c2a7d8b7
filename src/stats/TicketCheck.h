// Checking a player's column against every stored draw of a game: how many numbers (or digits in
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
};

// Reads typed text: numbers apart by blanks or commas, digits and signs also written together
// ("1234567", "1X2..."). False with a Windows-1253 message naming the fault when the count is
// wrong or a value is out of range or repeated.
bool ParseTicket(GameCode game, const std::string& text, Ticket& ticket, std::string& message);

// The question that asks for a column of the game, naming its count and range (Windows-1253).
std::string TicketPrompt(GameCode game);

struct TicketHit
{
    std::int64_t draw = 0; // index into the history
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
};

TicketReport CheckTicket(const DrawHistory& history, GameCode game, const Ticket& ticket);

} // namespace karvo
