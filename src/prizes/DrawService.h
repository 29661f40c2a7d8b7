// The operator's public draw service: JSON over HTTPS, for what no workbook has yet. For KINO,
// SUPER3, ΠΡΟΤΟ, LOTTO, JOKER and EXTRA it answers "/draws/v3.0/{game}/last-result-and-active"
// with the last draw and the one now open for play, and "/draws/v3.0/{game}/{draw}" with one draw.
// Fields it adds are ignored; a field it leaves out is not known, never zero.
#pragma once

#include "prizes/PrizeTable.h"

#include <QDateTime>
#include <QTimeZone>
#include <optional>
#include <string>
#include <vector>

namespace karvo {

// The games the service answers for, by the operator's number of each (GameInfo::operatorId).
bool HasDrawService(GameCode game);

// KARVO_DRAWS_URL, else "https://api.opap.gr"; no trailing "/".
std::string DrawServiceBase();
// One draw of game; drawId 0: the last draw and the active one.
std::string DrawServiceUrl(const std::string& base, GameCode game, int drawId = 0);

struct ServiceDraw
{
    int drawId = 0;
    QDateTime drawTime; // UTC; invalid when not known
    std::string status; // the service's word for it ("active", "results"...)
    std::vector<int> numbers;
    std::vector<int> bonus;
    std::optional<std::int64_t> jackpotCents;   // carried so far in the top category
    std::optional<std::int64_t> announcedCents; // the least the top category will pay out
    DrawPrizes prizes;                          // the categories, named by their id; none when not drawn yet
};

struct NextDraw
{
    std::optional<ServiceDraw> last;
    std::optional<ServiceDraw> active;
};

// The answers read. An answer that is not JSON, is for another game, or lacks a draw's number
// or time throws KarvoError (UTF-8) naming the game and the cause.
ServiceDraw ServiceDrawFromJson(GameCode game, const std::string& body);
NextDraw NextDrawFromJson(GameCode game, const std::string& body);

// "Επόμενη κλήρωση: Πέμπτη 11/12 22:00 · Τζακπότ 2.300.000 €" (Windows-1253): the draw's day and
// time in zone (where the user is), and the announced jackpot, else the one carried, where one is known.
std::string NextDrawLine(const ServiceDraw& active, const NumberFormat& format = UserNumberFormat(),
                         const QTimeZone& zone = QTimeZone::systemTimeZone());

} // namespace karvo
