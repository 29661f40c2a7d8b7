#include "domain/Games.h"

#include <array>

namespace karvo {

namespace {

// One row a game, in code order (PropoSunday first).
constexpr std::array<GameInfo, kGameCount> kGames{{
    {"Propok.krv", MenuKind::Draws, ViewKind::Propo, 1, UpdateKind::YearResults, WorkbookServer::Web,
     "/Excel/3100/propo_YYYY_Sun.xlsx"},
    {"Propos.krv", MenuKind::Draws, ViewKind::Propo, 2, UpdateKind::YearResults, WorkbookServer::Web,
     "/Excel/3102/propo_YYYY_Sat.xlsx"},
    {"Propot.krv", MenuKind::Draws, ViewKind::Propo, 3, UpdateKind::YearResults, WorkbookServer::Web,
     "/Excel/3101/propo_YYYY_Wed.xlsx"},
    {"LOTTO.krv", MenuKind::Draws, ViewKind::NumberGame, 1, UpdateKind::YearResults, WorkbookServer::Media,
     "/Excel_xlsx/5103/lotto_YYYY.xlsx"},
    {"GOAL.krv", MenuKind::Draws, ViewKind::NumberGame, 2, UpdateKind::YearResults, WorkbookServer::Media,
     "/Excel_xlsx/5105/propogoal_YYYY.xlsx"},
    {"JOKER.krv", MenuKind::Draws, ViewKind::NumberGame, 3, UpdateKind::YearResults, WorkbookServer::Media,
     "/Excel_xlsx/5104/Joker_YYYY.xlsx"},
    {"Proto.krv", MenuKind::Draws, ViewKind::Proto, 0, UpdateKind::YearResults, WorkbookServer::Media,
     "/Excel_xlsx/2101/proto_YYYY.xlsx"},
    {"Extra.krv", MenuKind::Draws, ViewKind::Extra, 0, UpdateKind::YearResults, WorkbookServer::Media,
     "/Excel_xlsx/5106/extra5_YYYY.xlsx"},
    {"Super3.krv", MenuKind::Draws, ViewKind::Super3, 0, UpdateKind::Period, WorkbookServer::Media,
     "/Excel_xlsx/2100/YYYY/super3_YYYY_MM.xlsx"},
    {"", MenuKind::Draws, ViewKind::Kino, 0, UpdateKind::Period, WorkbookServer::Media,
     "/Excel_xlsx/1100/YYYY/kino_YYYY_MM.xlsx"},
    {"", MenuKind::Market, ViewKind::Stock, 0, UpdateKind::StockPrices, WorkbookServer::None, ""},
    {"", MenuKind::Coupon, ViewKind::Bet, 0, UpdateKind::None, WorkbookServer::None, ""},
    {"", MenuKind::Market, ViewKind::Funds, 0, UpdateKind::FundFigures, WorkbookServer::None, ""},
}};

} // namespace

const GameInfo& GameInfoFor(GameCode code)
{
    const int index = ToInt(code) - 1;
    return kGames[static_cast<std::size_t>(index >= 0 && index < kGameCount ? index : 0)];
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

bool IsMarket(GameCode code)
{
    return GameInfoFor(code).menu == MenuKind::Market;
}

} // namespace karvo
