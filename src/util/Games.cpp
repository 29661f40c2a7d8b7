#include "util/Games.h"

#include <array>

namespace karvo {

namespace {

// One row a game, in code order.
constexpr std::array<GameInfo, kGameCount> kGames{{
    {GameCode::PropoSunday, "Propok.krv", 1959, MenuKind::Draws, ViewKind::Propo, 1},
    {GameCode::PropoSaturday, "Propos.krv", 1959, MenuKind::Draws, ViewKind::Propo, 2},
    {GameCode::PropoWednesday, "Propot.krv", 1959, MenuKind::Draws, ViewKind::Propo, 3},
    {GameCode::Lotto, "LOTTO.krv", 1990, MenuKind::Draws, ViewKind::NumberGame, 1},
    {GameCode::Goal, "GOAL.krv", 1990, MenuKind::Draws, ViewKind::NumberGame, 2},
    {GameCode::Joker, "JOKER.krv", 1990, MenuKind::Draws, ViewKind::NumberGame, 3},
    {GameCode::Proto, "Proto.krv", 1990, MenuKind::Draws, ViewKind::Proto, 0},
    {GameCode::Extra, "Extra.krv", 1990, MenuKind::Draws, ViewKind::Extra, 0},
    {GameCode::Super3, "Super3.krv", 1990, MenuKind::Draws, ViewKind::Super3, 0},
    {GameCode::Kino, "", 1990, MenuKind::Draws, ViewKind::Kino, 0},
    {GameCode::Stock, "", 0, MenuKind::Market, ViewKind::Stock, 0},
    {GameCode::Bet, "", 0, MenuKind::Coupon, ViewKind::Bet, 0},
    {GameCode::Funds, "", 0, MenuKind::Market, ViewKind::Funds, 0},
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
