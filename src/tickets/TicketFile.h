// The player's kept tickets: one file in the working folder for every game, JSON with a format
// version. A file that cannot be read as such is left exactly as it is and the list is read-only.
#pragma once

#include "tickets/Ticket.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karvo {

inline constexpr std::string_view kTicketFileName = "tickets.json";
inline constexpr int kTicketFileVersion = 1;
// Far more than any player keeps; a larger file is not ours.
inline constexpr std::int64_t kTicketFileMost = 1 << 20;
inline constexpr int kTicketNameMost = 40;

struct KeptTicket
{
    std::string name; // Windows-1253
    GameCode game = GameCode::Lotto;
    Ticket ticket;
};

struct TicketList
{
    std::vector<KeptTicket> tickets;
    // Windows-1253: why the file could not be read, naming it; empty when it was read or is missing.
    std::string problem;

    bool readOnly() const { return !problem.empty(); }
};

// A ticket from the form: name and choice as typed, KINO's numbers a column (0: all of them).
// False with a Windows-1253 message when the name is empty or too long, the game has no draws,
// the choice is refused by ParseTicket or the numbers a column are more than the numbers.
bool MakeKeptTicket(GameCode game, const std::string& name, const std::string& choice, int played, KeptTicket& kept,
                    std::string& message);

// The tickets of folder (ending in "/"); no file gives an empty list that can be saved.
TicketList LoadTickets(const std::string& folder);

// The file's bytes for tickets, in their order.
std::string TicketFileBytes(const std::vector<KeptTicket>& tickets);

// Replaces the file atomically. A list read-only, or a file on disk that no longer reads as one,
// throws KarvoError and writes nothing; so does a failed write.
void SaveTickets(const std::string& folder, const TicketList& list);

} // namespace karvo
