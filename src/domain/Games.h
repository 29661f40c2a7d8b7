// The thirteen games by name: the code behind each game button and the table of what each game
// keeps and how it is shown. Everything that depends on the game reads this table or compares
// codes by name.
#pragma once

#include <string>

namespace karvo {

// The values are the codes the buttons carry and that the program keeps as the current game.
enum class GameCode {
    PropoSunday = 1,
    PropoSaturday = 2,
    PropoWednesday = 3,
    Lotto = 4,
    Goal = 5,
    Joker = 6,
    Proto = 7,
    Extra = 8,
    Super3 = 9,
    Kino = 10,
    Stock = 11,
    Bet = 12,
    Funds = 13,
};

// How the command menu of a game is made up.
enum class MenuKind { Draws, Market, Coupon };

// Which view builds a game's grid.
enum class ViewKind { Propo, NumberGame, Proto, Extra, Super3, Kino, Stock, Bet, Funds };

// What the update button does for a game.
enum class UpdateKind { YearResults, Period, StockPrices, FundFigures, None };

// Which of the operator's servers publishes a game's workbooks.
enum class WorkbookServer { None, Web, Media };

struct GameInfo
{
    const char* resultsFile; // stored history in the working folder; empty when kept otherwise
    MenuKind menu;
    ViewKind view;
    int variant; // PROPO: 1..3 (Sunday, Saturday, Wednesday); LOTTO/GOAL/JOKER: 1..3
    UpdateKind update;
    WorkbookServer server;
    // Path of the results workbook on its server, "YYYY" standing for the year and "MM" for the
    // month; empty for a game without one.
    const char* workbookPath;
};

inline constexpr int kGameCount = 13;

// The table row of a game; every code in 1..13 has one.
const GameInfo& GameInfoFor(GameCode code);
// A code from a number (a button's tag); false when it is not 1..13.
bool GameCodeFromInt(int value, GameCode& code);
inline int ToInt(GameCode code)
{
    return static_cast<int>(code);
}

// The three pools games, the ten draw games and the market games.
bool IsPropo(GameCode code);
bool IsDrawGame(GameCode code);
bool IsMarket(GameCode code);

} // namespace karvo
