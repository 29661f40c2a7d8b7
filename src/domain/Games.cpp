#include "domain/Games.h"

#include <algorithm>

namespace karvo {

namespace {

constexpr DrawShape Numbers(int count, int high)
{
    return {count, 1, high, 0, 0, 0, false, false};
}

constexpr DrawShape Digits(int positions)
{
    return {positions, 0, 9, 0, 0, 0, true, false};
}

constexpr DrawShape kSigns{14, 0, 3, 0, 0, 0, false, true};
constexpr DrawShape kNoDraw{};
constexpr ResultsWorkbook kNoWorkbook{};

// One row a game, in code order (PropoSunday first): code, caption, command-line name and
// aliases; menu, view and update; results file, record size, first stored and first published
// year and month, the operator's number; where its workbooks are and what a row holds; the draw.
// clang-format off
constexpr std::array<GameInfo, kGameCount> kGames{{
    {GameCode::PropoSunday, "ΠΡΟΠΟ ΚΥΡΙΑΚΗ", "propo-sun", {"propo-sunday", nullptr, nullptr},
     MenuKind::Draws, ViewKind::Propo, UpdateKind::YearResults, "Propok.krv", 0, 1959, 2000, 1, 3100,
     {WorkbookServer::Web, "/Excel/", "propo_YYYY_Sun.xlsx", 17, 0}, kSigns},
    {GameCode::PropoSaturday, "ΠΡΟΠΟ ΣΑΒΒΑΤΟ", "propo-sat", {"propo-saturday", nullptr, nullptr},
     MenuKind::Draws, ViewKind::Propo, UpdateKind::YearResults, "Propos.krv", 0, 1959, 2000, 1, 3102,
     {WorkbookServer::Web, "/Excel/", "propo_YYYY_Sat.xlsx", 17, 0}, kSigns},
    {GameCode::PropoWednesday, "ΠΡΟΠΟ ΤΕΤΑΡΤΗ", "propo-wed", {"propo-wednesday", nullptr, nullptr},
     MenuKind::Draws, ViewKind::Propo, UpdateKind::YearResults, "Propot.krv", 0, 1959, 2000, 1, 3101,
     {WorkbookServer::Web, "/Excel/", "propo_YYYY_Wed.xlsx", 17, 0}, kSigns},
    {GameCode::Lotto, "LOTTO", "lotto", {"λοττο", "λοτο", nullptr},
     MenuKind::Draws, ViewKind::NumberGame, UpdateKind::YearResults, "LOTTO.krv", 9, 1990, 1990, 1, 5103,
     {WorkbookServer::Media, "/Excel_xlsx/", "lotto_YYYY.xlsx", 12, 3}, Numbers(6, 49)},
    {GameCode::Goal, "GOAL", "goal", {"propogoal", "γκολ", nullptr},
     MenuKind::Draws, ViewKind::NumberGame, UpdateKind::YearResults, "GOAL.krv", 11, 1996, 1996, 1, 5105,
     {WorkbookServer::Media, "/Excel_xlsx/", "propogoal_YYYY.xlsx", 12, 4}, Numbers(8, 49)},
    {GameCode::Joker, "JOKER", "joker", {"τζοκερ", nullptr, nullptr},
     MenuKind::Draws, ViewKind::NumberGame, UpdateKind::YearResults, "JOKER.krv", 9, 1997, 1997, 1, 5104,
     {WorkbookServer::Media, "/Excel_xlsx/", "Joker_YYYY.xlsx", 12, 3}, {5, 1, 45, 1, 1, 20, false, false}},
    {GameCode::Proto, "ΠΡΟΤΟ", "proto", {"πρωτο", nullptr, nullptr},
     MenuKind::Draws, ViewKind::Proto, UpdateKind::YearResults, "Proto.krv", 10, 1992, 1992, 1, 2101,
     {WorkbookServer::Media, "/Excel_xlsx/", "proto_YYYY.xlsx", 10, 3}, Digits(7)},
    // EXTRA's slots are its draw numbers, not laid out by year.
    {GameCode::Extra, "EXTRA", "extra", {"extra5", "εξτρα", nullptr},
     MenuKind::Draws, ViewKind::Extra, UpdateKind::YearResults, "Extra.krv", 8, 0, 1990, 1, 5106,
     {WorkbookServer::Media, "/Excel_xlsx/", "extra5_YYYY.xlsx", 10, 4}, Numbers(5, 35)},
    // SUPER3 keeps three digit characters a draw; its workbooks are opened, not read.
    {GameCode::Super3, "SUPER3", "super3", {"σουπερ3", nullptr, nullptr},
     MenuKind::Draws, ViewKind::Super3, UpdateKind::Period, "Super3.krv", 3, 0, 2023, 1, 2100,
     {WorkbookServer::Media, "/Excel_xlsx/", "YYYY/super3_YYYY_MM.xlsx", 0, 0}, Digits(3)},
    // KINO keeps a file a month in the data folder.
    {GameCode::Kino, "KINO", "kino", {"κινο", nullptr, nullptr},
     MenuKind::Draws, ViewKind::Kino, UpdateKind::Period, "", kKinoRecordSize, 0, 2003, 11, 1100,
     {WorkbookServer::Media, "/Excel_xlsx/", "YYYY/kino_YYYY_MM.xlsx", 23, 4}, Numbers(20, 80)},
    {GameCode::Stock, "STOCK", "stock", {"stocks", "μετοχες", nullptr},
     MenuKind::Market, ViewKind::Stock, UpdateKind::StockPrices, "", 0, 0, 0, 0, 0, kNoWorkbook, kNoDraw},
    {GameCode::Bet, "BET", "bet", {"coupon", nullptr, nullptr},
     MenuKind::Coupon, ViewKind::Bet, UpdateKind::None, "", 0, 0, 0, 0, 0, kNoWorkbook, kNoDraw},
    {GameCode::Funds, "ΑΜΟΙΒΑΙΑ", "funds", {"mutual-funds", nullptr, nullptr},
     MenuKind::Market, ViewKind::Funds, UpdateKind::FundFigures, "", 0, 0, 0, 0, 0, kNoWorkbook, kNoDraw},
}};
// clang-format on

} // namespace

const GameInfo& GameInfoFor(GameCode code)
{
    const int index = ToInt(code) - 1;
    return kGames[static_cast<std::size_t>(index >= 0 && index < kGameCount ? index : 0)];
}

const std::array<GameInfo, kGameCount>& AllGames()
{
    return kGames;
}

bool GameCodeFromInt(int value, GameCode& code)
{
    if (value < 1 || value > kGameCount) {
        return false;
    }
    code = static_cast<GameCode>(value);
    return true;
}

bool IsPropo(GameCode code)
{
    return GameInfoFor(code).view == ViewKind::Propo;
}

bool IsDrawGame(GameCode code)
{
    return GameInfoFor(code).menu == MenuKind::Draws;
}

int FewestWinningHits(GameCode game, int numbersPlayed)
{
    // KINO: index the numbers played.
    constexpr std::array<int, kKinoMostNumbers + 1> kinoWinning = {0, 1, 2, 2, 2, 3, 3, 3, 4, 4, 5, 5, 6};
    switch (GameInfoFor(game).view) {
    case ViewKind::Kino: return kinoWinning[static_cast<std::size_t>(std::clamp(numbersPlayed, 0, kKinoMostNumbers))];
    case ViewKind::Propo: return numbersPlayed - 2;
    case ViewKind::Super3: return 2;
    default: return 3;
    }
}

bool IsMarket(GameCode code)
{
    return GameInfoFor(code).menu == MenuKind::Market;
}

} // namespace karvo
