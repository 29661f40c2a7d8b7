#include "stats/TicketCheck.h"

#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <algorithm>
#include <array>
#include <set>

namespace karvo {

namespace {

constexpr std::size_t kKinoMostNumbers = 12;
// KINO: the fewest hits that win something, by the count of numbers played (index).
constexpr std::array<int, kKinoMostNumbers + 1> kKinoUseful = {0, 1, 2, 2, 2, 3, 3, 3, 4, 4, 5, 5, 6};

std::string Cp(const char* utf8)
{
    return Utf8ToCp1253(utf8);
}

bool IsSeparator(char c)
{
    return c == ' ' || c == ',' || c == '\t' || c == '-' || c == ';' || c == '\r' || c == '\n';
}

std::vector<std::string> Tokens(const std::string& text)
{
    std::vector<std::string> tokens;
    std::string current;
    for (const char c : text + ' ') {
        if (!IsSeparator(c)) {
            current += c;
        } else if (!current.empty()) {
            tokens.push_back(current);
            current.clear();
        }
    }
    return tokens;
}

bool AllDigits(const std::string& token)
{
    return !token.empty() && token.size() <= 3
        && std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Range(int low, int high)
{
    return IntToText(low) + Cp(" έως ") + IntToText(high);
}

// Numbers of a range, all different: LOTTO, GOAL, EXTRA, KINO and JOKER's main numbers.
bool ParseNumbers(GameCode game, const std::string& text, Ticket& ticket, std::string& message)
{
    const NumberGroup& main = LayoutOf(game).groups.front();
    const bool kino = game == GameCode::Kino;
    const bool joker = game == GameCode::Joker;
    const std::vector<std::string> tokens = Tokens(text);
    const std::size_t count = static_cast<std::size_t>(main.count);
    const bool countOk = kino ? !tokens.empty() && tokens.size() <= kKinoMostNumbers
                              : tokens.size() == count || (joker && tokens.size() == count + 1);
    if (!countOk) {
        message = kino ? Cp("Δώστε από 1 έως 12 αριθμούς από ") + Range(main.low, main.high) + "."
                       : Cp("Δώστε ") + IntToText(main.count) + Cp(" αριθμούς από ") + Range(main.low, main.high);
        message += joker ? Cp(" και, αν θέλετε, τον Τζόκερ από 1 έως 20.") : std::string(kino ? "" : ".");
        return false;
    }
    ticket = Ticket();
    std::set<int> seen;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!AllDigits(tokens[i])) {
            message = Cp("Το \"") + tokens[i] + Cp("\" δεν είναι αριθμός.");
            return false;
        }
        const int n = TextToInt(tokens[i]);
        const bool bonus = joker && i == count;
        const NumberGroup& group = bonus ? LayoutOf(game).groups.back() : main;
        if (n < group.low || n > group.high) {
            message = Cp(bonus ? "Ο Τζόκερ " : "Ο αριθμός ") + IntToText(n) + Cp(" είναι εκτός ορίων (")
                + Range(group.low, group.high) + ").";
            return false;
        }
        if (bonus) {
            ticket.bonus = n;
        } else if (!seen.insert(n).second) {
            message = Cp("Ο αριθμός ") + IntToText(n) + Cp(" δόθηκε δύο φορές.");
            return false;
        } else {
            ticket.values.push_back(n);
        }
    }
    return true;
}

// Digits in place (PROTO, SUPER3) or pools signs, written together or apart.
bool ParseSymbols(GameCode game, const std::string& text, Ticket& ticket, std::string& message)
{
    const GameLayout& layout = LayoutOf(game);
    std::string symbols;
    for (const std::string& token : Tokens(text)) {
        symbols += token;
    }
    ticket = Ticket();
    for (const char c : symbols) {
        const char upper = UpperByte(c);
        if (layout.digits && c >= '0' && c <= '9') {
            ticket.values.push_back(c - '0');
        } else if (layout.propo && (c == '1' || c == '2')) {
            ticket.values.push_back(c - '0');
        } else if (layout.propo && (upper == 'X' || upper == Cp("Χ")[0])) {
            ticket.values.push_back(0);
        } else {
            message =
                Cp("Το \"") + std::string(1, c) + Cp(layout.propo ? "\" δεν είναι 1, X ή 2." : "\" δεν είναι ψηφίο.");
            return false;
        }
    }
    const std::size_t size = ticket.values.size();
    if ((layout.digits && size != static_cast<std::size_t>(layout.width))
        || (layout.propo && size != 13 && size != 14)) {
        message = TicketPrompt(game) + ".";
        return false;
    }
    return true;
}

} // namespace

bool ParseTicket(GameCode game, const std::string& text, Ticket& ticket, std::string& message)
{
    const GameLayout& layout = LayoutOf(game);
    if (layout.width == 0) {
        message = Cp("Το παιχνίδι δεν έχει κληρώσεις.");
        return false;
    }
    return layout.propo || layout.digits ? ParseSymbols(game, text, ticket, message)
                                         : ParseNumbers(game, text, ticket, message);
}

std::string TicketPrompt(GameCode game)
{
    const GameLayout& layout = LayoutOf(game);
    if (layout.propo) {
        return Cp("Δώστε 13 ή 14 σημεία (1, X, 2)");
    }
    if (layout.digits) {
        return Cp("Δώστε ") + IntToText(layout.width) + Cp(" ψηφία (0 έως 9)");
    }
    if (layout.groups.empty()) {
        return std::string();
    }
    const NumberGroup& main = layout.groups.front();
    std::string prompt =
        game == GameCode::Kino ? Cp("Δώστε 1 έως 12 αριθμούς") : Cp("Δώστε ") + IntToText(main.count) + Cp(" αριθμούς");
    prompt += " (" + Range(main.low, main.high) + ")";
    return game == GameCode::Joker ? prompt + Cp(" και τον Τζόκερ (1 έως 20) αν θέλετε") : prompt;
}

namespace {

// The fewest hits worth listing for a ticket of that game.
int UsefulHits(GameCode game, const Ticket& ticket)
{
    const std::size_t size = ticket.values.size();
    if (game == GameCode::Kino) {
        return kKinoUseful[std::min(size, kKinoMostNumbers)];
    }
    if (IsPropo(game)) {
        return static_cast<int>(size) - 2;
    }
    return game == GameCode::Super3 ? 2 : 3;
}

} // namespace

TicketReport CheckTicket(const DrawHistory& history, GameCode game, const Ticket& ticket)
{
    const GameLayout& layout = LayoutOf(game);
    TicketReport report;
    report.threshold = UsefulHits(game, ticket);
    report.hitCounts.assign(ticket.values.size() + 1, 0);
    if (layout.width == 0 || history.width != layout.width) {
        return report;
    }
    report.draws = history.drawCount();
    const bool inPlace = layout.propo || layout.digits;
    const NumberGroup main = inPlace ? NumberGroup{0, layout.width, 0, 0} : layout.groups.front();
    std::array<bool, 256> played{};
    for (const int n : ticket.values) {
        played[static_cast<std::size_t>(n & 0xFF)] = true;
    }
    for (std::int64_t d = 0; d < report.draws; ++d) {
        const std::uint8_t* draw = history.draw(d);
        int hits = 0;
        if (inPlace) {
            for (std::size_t p = 0; p < ticket.values.size() && p < static_cast<std::size_t>(layout.width); ++p) {
                hits += draw[p] == ticket.values[p] ? 1 : 0;
            }
        } else {
            for (int k = 0; k < main.count; ++k) {
                hits += played[draw[main.first + k]] ? 1 : 0;
            }
        }
        const bool bonusHit = ticket.bonus >= 0 && draw[layout.width - 1] == ticket.bonus;
        ++report.hitCounts[static_cast<std::size_t>(
            std::min<std::size_t>(static_cast<std::size_t>(hits), ticket.values.size()))];
        report.bonusHits += bonusHit ? 1 : 0;
        if (hits >= report.threshold) {
            report.hits.push_back({d, hits, bonusHit});
        }
    }
    return report;
}

} // namespace karvo
