#include "tickets/TicketResults.h"

#include "domain/GameNames.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketFile.h"
#include "tickets/TicketWinnings.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <algorithm>
#include <iterator>

namespace karvo {

namespace {

std::string HitsText(int hits)
{
    return IntToText(hits) + Utf8ToCp1253(hits == 1 ? " επιτυχία" : " επιτυχίες");
}

// "LOTTO «Σπίτι»"
std::string TicketTitle(const KeptTicket& kept)
{
    return GameName(kept.game) + Utf8ToCp1253(" «") + kept.name + Utf8ToCp1253("»");
}

std::vector<Ticket> TicketsOf(const std::vector<KeptTicket>& kept, GameCode game, std::vector<const KeptTicket*>& of)
{
    std::vector<Ticket> tickets;
    for (const KeptTicket& k : kept) {
        if (k.game == game) {
            tickets.push_back(k.ticket);
            of.push_back(&k);
        }
    }
    return tickets;
}

// The draw's date, and for KINO, which draws every few minutes, its time too: "05-12-2026 21:40".
std::string DrawWhen(const DrawHistory& history, GameCode game, std::int64_t draw)
{
    std::string text = DrawDateText(history.dates[static_cast<std::size_t>(draw)]);
    if (game == GameCode::Kino && history.stride >= KinoRecordSize) {
        const std::uint8_t* record = history.draw(draw);
        text += " " + ZeroPad(record[21], 2) + ":" + ZeroPad(record[22], 2);
    }
    return text;
}

std::string LatestLine(const KeptTicket& kept, const DrawHistory& history, const TicketReport& report,
                       const PrizeBook& book)
{
    std::string line = TicketTitle(kept) + " " + TicketDisplayText(kept.game, kept.ticket) + ": ";
    if (report.recent.empty()) {
        return line + Utf8ToCp1253("καμία κλήρωση");
    }
    line +=
        HitsText(report.recent.back()) + Utf8ToCp1253(" στις ") + DrawWhen(history, kept.game, history.drawCount() - 1);
    line += Utf8ToCp1253(", τελευταίες ") + IntToText(static_cast<std::int64_t>(report.recent.size())) + ":";
    for (auto hits = report.recent.rbegin(); hits != report.recent.rend(); ++hits) {
        line += " " + IntToText(*hits);
    }
    if (report.best.draw >= 0) {
        line += Utf8ToCp1253(", καλύτερη ") + HitsText(report.best.hits) + Utf8ToCp1253(" στις ")
            + DrawWhen(history, kept.game, report.best.draw);
    }
    const TicketWinnings winnings = WinningsOf(book, history, kept.game, kept.ticket);
    if (winnings.drawsKnown > 0) {
        line += Utf8ToCp1253(" · κέρδη: ");
        if (winnings.latestCents) {
            line += Utf8ToCp1253("τελευταία ") + EuroText(*winnings.latestCents) + ", ";
        }
        line += Utf8ToCp1253("σύνολο ") + EuroText(winnings.totalCents) + Utf8ToCp1253(" σε ")
            + IntToText(winnings.drawsKnown) + Utf8ToCp1253(winnings.drawsKnown == 1 ? " κλήρωση" : " κληρώσεις");
    }
    return line;
}

} // namespace

std::string DrawDateText(std::int32_t date)
{
    const int day = date % 100;
    if (day == 0 || date / 100 % 100 == 0) {
        return IntToText(date / 10000) + "-" + IntToText(date % 10000);
    }
    return ZeroPad(day, 2) + "-" + ZeroPad(date / 100 % 100, 2) + "-" + IntToText(date / 10000);
}

std::vector<std::string> TicketWinsAfter(const std::string& folder, GameCode game, const HistoryEnd& before)
{
    const TicketList list = LoadTickets(folder);
    if (list.readOnly()) {
        return {list.problem};
    }
    std::vector<const KeptTicket*> of;
    const std::vector<Ticket> tickets = TicketsOf(list.tickets, game, of);
    if (tickets.empty()) {
        return {};
    }
    // Only the draws after before count: KINO need not read the years before it.
    const DrawHistory history = LoadHistory(folder, game, YearOf(before.date));
    TicketCheckOptions options;
    options.firstDraw = FirstDrawAfter(history, before);
    options.threshold = IsPropo(game) ? kPropoHitsWorthTelling : 0;
    // Where the draws' prizes are known, a category that pays for fewer hits is told too.
    const PrizeBook book = HasWinnings(game) ? LoadPrizeBook(folder, game) : PrizeBook{};
    const int worthTelling = options.threshold;
    if (!book.draws.empty() && options.threshold == 0) {
        options.threshold = std::min(FewestPaidHits(book), FewestWinningHits(game, GameInfoFor(game).draw.numbers));
    }
    const std::vector<TicketReport> reports = CheckTickets(history, game, tickets, options);
    std::vector<std::string> lines;
    for (std::size_t t = 0; t < reports.size(); ++t) {
        for (const TicketHit& hit : reports[t].hits) {
            const std::int32_t date = history.dates[static_cast<std::size_t>(hit.draw)];
            const DrawWinning won = WinningOf(book, date, hit.hits, hit.bonusHit);
            const int usual = worthTelling > 0 ? worthTelling : FewestWinningHits(game, MostHits(tickets[t]));
            if (hit.hits < usual && won.cents.value_or(0) == 0) {
                continue;
            }
            std::string line = TicketTitle(*of[t]) + ": ";
            if (won.category != nullptr) {
                line += won.category->name;
            } else {
                line += HitsText(hit.hits) + (hit.bonusHit ? Utf8ToCp1253(" και Τζόκερ") : "");
            }
            line += Utf8ToCp1253(" στην κλήρωση της ") + DrawWhen(history, game, hit.draw);
            if (const std::int64_t cents = won.cents.value_or(0); cents > 0) {
                line += Utf8ToCp1253(" · ") + EuroText(cents);
            }
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> TicketWinsOfUpdate(const std::string& folder, const std::vector<NewDraws>& games)
{
    const TicketList list = LoadTickets(folder);
    if (list.readOnly()) {
        return games.empty() ? std::vector<std::string>() : std::vector<std::string>{list.problem};
    }
    std::vector<std::string> lines;
    for (const NewDraws& news : games) {
        std::vector<std::string> wins = TicketWinsAfter(folder, news.game, news.before);
        lines.insert(lines.end(), std::make_move_iterator(wins.begin()), std::make_move_iterator(wins.end()));
    }
    return lines;
}

std::vector<std::string> TicketLatestLines(const std::string& folder, std::optional<GameCode> game)
{
    const TicketList list = LoadTickets(folder);
    if (list.readOnly()) {
        return {list.problem};
    }
    std::vector<std::string> lines;
    for (int code = 1; code <= kGameCount; ++code) {
        GameCode each = GameCode::Lotto;
        std::vector<const KeptTicket*> of;
        if (!GameCodeFromInt(code, each) || (game && *game != each)) {
            continue;
        }
        const std::vector<Ticket> tickets = TicketsOf(list.tickets, each, of);
        if (tickets.empty()) {
            continue;
        }
        const DrawHistory history = LoadHistory(folder, each);
        TicketCheckOptions options;
        options.listHits = false;
        options.recentDraws = kTicketRecentDraws;
        const std::vector<TicketReport> reports = CheckTickets(history, each, tickets, options);
        const PrizeBook book = HasWinnings(each) ? LoadPrizeBook(folder, each) : PrizeBook{};
        for (std::size_t t = 0; t < reports.size(); ++t) {
            lines.push_back(LatestLine(*of[t], history, reports[t], book));
        }
    }
    return lines;
}

} // namespace karvo
