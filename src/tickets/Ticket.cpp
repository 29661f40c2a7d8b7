#include "tickets/Ticket.h"

#include "results/DrawHistory.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <algorithm>
#include <set>

namespace karvo {

namespace {

constexpr std::size_t kPropoFewestMatches = 13;
constexpr std::size_t kPropoMostMatches = 14;

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
    return IntToText(low) + Utf8ToCp1253(" έως ") + IntToText(high);
}

// Numbers of a range, all different: LOTTO, GOAL, EXTRA, KINO and JOKER's main numbers.
bool ParseNumbers(GameCode game, const std::string& text, Ticket& ticket, std::string& message)
{
    const NumberGroup& main = LayoutOf(game).groups.front();
    const bool kino = game == GameCode::Kino;
    const bool joker = game == GameCode::Joker;
    const std::vector<std::string> tokens = Tokens(text);
    const std::size_t count = static_cast<std::size_t>(main.count);
    const bool countOk = kino ? !tokens.empty() && tokens.size() <= static_cast<std::size_t>(kKinoMostNumbers)
                              : tokens.size() == count || (joker && tokens.size() == count + 1);
    if (!countOk) {
        message = kino ? Utf8ToCp1253("Δώστε από 1 έως ") + IntToText(kKinoMostNumbers) + Utf8ToCp1253(" αριθμούς από ")
                + Range(main.low, main.high) + "."
                       : Utf8ToCp1253("Δώστε ") + IntToText(main.count) + Utf8ToCp1253(" αριθμούς από ")
                + Range(main.low, main.high);
        message += joker ? Utf8ToCp1253(" και, αν θέλετε, τον Τζόκερ από 1 έως 20.") : std::string(kino ? "" : ".");
        return false;
    }
    ticket = Ticket();
    std::set<int> seen;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!AllDigits(tokens[i])) {
            message = Utf8ToCp1253("Το \"") + tokens[i] + Utf8ToCp1253("\" δεν είναι αριθμός.");
            return false;
        }
        const int n = TextToInt(tokens[i]);
        const bool bonus = joker && i == count;
        const NumberGroup& group = bonus ? LayoutOf(game).groups.back() : main;
        if (n < group.low || n > group.high) {
            message = Utf8ToCp1253(bonus ? "Ο Τζόκερ " : "Ο αριθμός ") + IntToText(n)
                + Utf8ToCp1253(" είναι εκτός ορίων (") + Range(group.low, group.high) + ").";
            return false;
        }
        if (bonus) {
            ticket.bonus = n;
        } else if (!seen.insert(n).second) {
            message = Utf8ToCp1253("Ο αριθμός ") + IntToText(n) + Utf8ToCp1253(" δόθηκε δύο φορές.");
            return false;
        } else {
            ticket.values.push_back(n);
        }
    }
    return true;
}

// A pools sign as typed: 0 for X (Latin or Greek, either case), 1, 2; -1 for anything else.
int SignOf(char c)
{
    const char upper = UpperByte(c);
    if (c == '1' || c == '2') {
        return c - '0';
    }
    return upper == 'X' || upper == Utf8ToCp1253("Χ")[0] ? 0 : -1;
}

std::string SignsText(std::uint8_t signs)
{
    std::string text;
    for (const int sign : {1, 0, 2}) {
        text += (signs >> sign & 1) != 0 ? std::string(1, sign == 0 ? 'X' : static_cast<char>('0' + sign)) : "";
    }
    return text;
}

// 13 or 14 groups of signs apart, at least one of them a double or a triple.
bool IsPropoSystem(const std::vector<std::string>& tokens)
{
    return (tokens.size() == kPropoFewestMatches || tokens.size() == kPropoMostMatches)
        && std::any_of(tokens.begin(), tokens.end(), [](const std::string& t) { return t.size() > 1; });
}

bool ParsePropoSystem(const std::vector<std::string>& tokens, Ticket& ticket, std::string& message)
{
    ticket = Ticket();
    for (std::size_t match = 0; match < tokens.size(); ++match) {
        std::uint8_t signs = 0;
        for (const char c : tokens[match]) {
            const int sign = SignOf(c);
            if (sign < 0) {
                message = Utf8ToCp1253("Το \"") + std::string(1, c) + Utf8ToCp1253("\" δεν είναι 1, X ή 2.");
                return false;
            }
            if ((signs >> sign & 1) != 0) {
                message = Utf8ToCp1253("Ο αγώνας ") + IntToText(static_cast<std::int64_t>(match) + 1)
                    + Utf8ToCp1253(" έχει το ίδιο σημείο δύο φορές.");
                return false;
            }
            signs = static_cast<std::uint8_t>(signs | 1 << sign);
        }
        ticket.values.push_back(SignOf(tokens[match].front()));
        ticket.signs.push_back(signs);
    }
    return true;
}

// Digits in place (PROTO, SUPER3) or pools signs, written together or apart.
bool ParseSymbols(GameCode game, const std::string& text, Ticket& ticket, std::string& message)
{
    const GameLayout& layout = LayoutOf(game);
    const std::vector<std::string> tokens = Tokens(text);
    if (layout.propo && IsPropoSystem(tokens)) {
        return ParsePropoSystem(tokens, ticket, message);
    }
    std::string symbols;
    for (const std::string& token : tokens) {
        symbols += token;
    }
    ticket = Ticket();
    for (const char c : symbols) {
        if (layout.digits && c >= '0' && c <= '9') {
            ticket.values.push_back(c - '0');
        } else if (layout.propo && SignOf(c) >= 0) {
            ticket.values.push_back(SignOf(c));
        } else {
            message = Utf8ToCp1253("Το \"") + std::string(1, c)
                + Utf8ToCp1253(layout.propo ? "\" δεν είναι 1, X ή 2." : "\" δεν είναι ψηφίο.");
            return false;
        }
    }
    const std::size_t size = ticket.values.size();
    if ((layout.digits && size != static_cast<std::size_t>(layout.width))
        || (layout.propo && size != kPropoFewestMatches && size != kPropoMostMatches)) {
        message = TicketPrompt(game) + ".";
        return false;
    }
    return true;
}

} // namespace

int MostHits(const Ticket& ticket)
{
    const int size = static_cast<int>(ticket.values.size());
    return ticket.played > 0 ? std::min(ticket.played, size) : size;
}

bool ParseTicket(GameCode game, const std::string& text, Ticket& ticket, std::string& message)
{
    const GameLayout& layout = LayoutOf(game);
    if (layout.width == 0) {
        message = Utf8ToCp1253("Το παιχνίδι δεν έχει κληρώσεις.");
        return false;
    }
    return layout.propo || layout.digits ? ParseSymbols(game, text, ticket, message)
                                         : ParseNumbers(game, text, ticket, message);
}

std::string TicketPrompt(GameCode game)
{
    const GameLayout& layout = LayoutOf(game);
    if (layout.propo) {
        return Utf8ToCp1253("Δώστε 13 ή 14 σημεία (1, X, 2)");
    }
    if (layout.digits) {
        return Utf8ToCp1253("Δώστε ") + IntToText(layout.width) + Utf8ToCp1253(" ψηφία (0 έως 9)");
    }
    if (layout.groups.empty()) {
        return std::string();
    }
    const NumberGroup& main = layout.groups.front();
    std::string prompt = game == GameCode::Kino
        ? Utf8ToCp1253("Δώστε 1 έως ") + IntToText(kKinoMostNumbers) + Utf8ToCp1253(" αριθμούς")
        : Utf8ToCp1253("Δώστε ") + IntToText(main.count) + Utf8ToCp1253(" αριθμούς");
    prompt += " (" + Range(main.low, main.high) + ")";
    return game == GameCode::Joker ? prompt + Utf8ToCp1253(" και τον Τζόκερ (1 έως 20) αν θέλετε") : prompt;
}

std::string TicketEntryText(GameCode game, const Ticket& ticket)
{
    const GameLayout& layout = LayoutOf(game);
    std::string text;
    for (std::size_t p = 0; p < ticket.values.size(); ++p) {
        if (layout.propo && !ticket.signs.empty()) {
            text += (p > 0 ? " " : "") + SignsText(ticket.signs[p]);
        } else if (layout.propo) {
            text += SignsText(static_cast<std::uint8_t>(1 << ticket.values[p]));
        } else {
            text += (p > 0 && !layout.digits ? " " : "") + IntToText(ticket.values[p]);
        }
    }
    return ticket.bonus >= 0 ? text + " " + IntToText(ticket.bonus) : text;
}

std::string TicketDisplayText(GameCode game, const Ticket& ticket)
{
    Ticket main = ticket;
    main.bonus = -1;
    std::string text = TicketEntryText(game, main);
    if (ticket.bonus >= 0) {
        text += Utf8ToCp1253(" + Τζόκερ ") + IntToText(ticket.bonus);
    }
    if (MostHits(ticket) < static_cast<int>(ticket.values.size())) {
        text += Utf8ToCp1253(", ανά ") + IntToText(ticket.played);
    }
    return text;
}

} // namespace karvo
