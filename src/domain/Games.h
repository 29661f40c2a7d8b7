// The thirteen games and everything the program knows of each, in one table: its code and
// names, the file that keeps its history and the layout of a stored draw, the years and the
// server its results workbooks come from, the numbers it draws, and how it is shown and
// updated. Everything that depends on the game reads this table or compares codes by name.
#pragma once

#include <array>
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

// The numbers of a draw: `numbers` from low..high, sorted; then `bonus` further ones from
// bonusLow..bonusHigh kept in their place (JOKER's joker). Digit games draw one digit a
// position; the pools keep fourteen signs.
struct DrawShape
{
    int numbers = 0;
    int low = 0;
    int high = 0;
    int bonus = 0;
    int bonusLow = 0;
    int bonusHigh = 0;
    bool digits = false; // a digit 0..9 a position (PROTO, SUPER3)
    bool signs = false;  // the pools' signs 1, X, 2
};

// Where the operator publishes a game's results workbooks and what a workbook row holds.
struct ResultsWorkbook
{
    WorkbookServer server = WorkbookServer::None;
    const char* folder = "";  // path on the server up to the game's id: "/Excel_xlsx/"
    const char* pattern = ""; // file under the id's folder, "YYYY" the year and "MM" the month
    int columns = 0;          // columns read from each row
    int firstNumberColumn = 0;
};

struct GameInfo
{
    GameCode code;
    const char* caption;                // UTF-8, as the button reads on one line: "ΠΡΟΠΟ ΚΥΡΙΑΚΗ"
    const char* ascii;                  // the command line's name: "propo-sun"
    std::array<const char*, 3> aliases; // further names (UTF-8); null ends the list early
    MenuKind menu;
    ViewKind view;
    UpdateKind update;
    // The stored history in the working folder; empty when kept otherwise (KINO's month files).
    const char* resultsFile;
    int recordSize;         // bytes a stored draw; 0 for files without fixed records
    int firstStoredYear;    // the year the slot file starts with; 0 when not laid out by year
    int firstPublishedYear; // the first year (or month's year) the operator's archive holds
    int firstPublishedMonth;
    int operatorId; // the operator's number for the game; 0 for the market games and the coupon
    ResultsWorkbook workbook;
    DrawShape draw;
};

inline constexpr int kGameCount = 13;

// The table row of a game; every code in 1..13 has one.
const GameInfo& GameInfoFor(GameCode code);
// Every game, in code order.
const std::array<GameInfo, kGameCount>& AllGames();
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

// A column the player checks against the draws: KINO's holds 1 to this many numbers, the
// others a whole draw's.
inline constexpr int kKinoMostNumbers = 12;

// The fewest hits of a column of numbersPlayed numbers (signs, digits) that win something: the
// pools all but two signs, SUPER3 two digits, KINO by its table of numbers played, the other
// number games three.
int FewestWinningHits(GameCode game, int numbersPlayed);

// The stored workbooks and KINO's month files lie in this folder of the working folder. A fresh
// start makes it with this spelling; a folder brought from elsewhere may spell it otherwise
// ("DATA"), and names match in any letter case.
inline constexpr char kDataFolderName[] = "Data";

// The bytes of a record of KINO's month files: the twenty numbers, the day, hour and minute.
inline constexpr int kKinoRecordSize = 23;

// The year a stored draw record's third byte counts from.
inline constexpr int kRecordYearBase = 1950;

} // namespace karvo
