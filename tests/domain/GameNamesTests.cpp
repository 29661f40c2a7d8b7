#include "domain/GameNames.h"
#include "util/Cp1253.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace karvo {
namespace {

TEST(GameNames, ButtonCaptionsAndAsciiNamesFindTheirGame)
{
    EXPECT_EQ(GameFromName("LOTTO"), GameCode::Lotto);
    EXPECT_EQ(GameFromName("lotto"), GameCode::Lotto);
    EXPECT_EQ(GameFromName("Κίνο"), GameCode::Kino);
    EXPECT_EQ(GameFromName("ΠΡΟΠΟ ΚΥΡΙΑΚΗ"), GameCode::PropoSunday);
    EXPECT_EQ(GameFromName("προπο-σάββατο"), GameCode::PropoSaturday);
    EXPECT_EQ(GameFromName("propo-wed"), GameCode::PropoWednesday);
    EXPECT_EQ(GameFromName("PROPO_SUN"), GameCode::PropoSunday);
    EXPECT_EQ(GameFromName("Πρώτο"), GameCode::Proto);
    EXPECT_EQ(GameFromName("αμοιβαία"), GameCode::Funds);
    EXPECT_EQ(GameFromName("funds"), GameCode::Funds);
    EXPECT_EQ(GameFromName("stock"), GameCode::Stock);
    for (int code = 1; code <= kGameCount; ++code) {
        GameCode game{};
        ASSERT_TRUE(GameCodeFromInt(code, game));
        EXPECT_EQ(GameFromName(Cp1253ToUtf8(GameName(game))), game) << code;
        EXPECT_EQ(GameFromName(GameAsciiName(game)), game) << code;
    }
}

TEST(GameNames, UnknownAndEmptyNamesFindNothing)
{
    EXPECT_FALSE(GameFromName(""));
    EXPECT_FALSE(GameFromName("--"));
    EXPECT_FALSE(GameFromName("lottery"));
    EXPECT_FALSE(GameFromName("propo"));
}

TEST(GameNames, EveryGameButTheCouponHasAnUpdate)
{
    const std::vector<GameCode> games = UpdatableGames();
    EXPECT_EQ(games.size(), 12U);
    EXPECT_EQ(games.front(), GameCode::PropoSunday);
    EXPECT_EQ(std::count(games.begin(), games.end(), GameCode::Bet), 0);
}

} // namespace
} // namespace karvo
