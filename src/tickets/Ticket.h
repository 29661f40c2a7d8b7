// A player's column of a game: read from typed text, with its refusals, and written back for
// typing and for reading.
#pragma once

#include "domain/Games.h"

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

} // namespace karvo
