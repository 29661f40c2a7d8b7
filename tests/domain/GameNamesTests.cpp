#include "domain/GameNames.h"
#include "util/Cp1253.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace karvo {
namespace {

TEST(GameNames, ButtonCaptionsAndAsciiNamesFindTheirGameAndOthersNone)
{
    // clang-format off
    const std::pair<const char*, std::optional<GameCode>> cases[] = {
        {"LOTTO", GameCode::Lotto}, {"lotto", GameCode::Lotto}, {"Κίνο", GameCode::Kino},
        {"ΠΡΟΠΟ ΚΥΡΙΑΚΗ", GameCode::PropoSunday}, {"προπο-σάββατο", GameCode::PropoSaturday},
        {"propo-wed", GameCode::PropoWednesday}, {"PROPO_SUN", GameCode::PropoSunday}, {"Πρώτο", GameCode::Proto},
        {"αμοιβαία", GameCode::Funds}, {"funds", GameCode::Funds}, {"stock", GameCode::Stock},
        {"", std::nullopt}, {"--", std::nullopt}, {"lottery", std::nullopt}, {"propo", std::nullopt},
    };
    // clang-format on
    for (const auto& [name, game] : cases) {
        EXPECT_EQ(GameFromName(name), game) << name;
    }
    for (int code = 1; code <= kGameCount; ++code) {
        GameCode game{};
        ASSERT_TRUE(GameCodeFromInt(code, game));
        EXPECT_EQ(GameFromName(Cp1253ToUtf8(GameName(game))), game) << code;
        EXPECT_EQ(GameFromName(GameAsciiName(game)), game) << code;
    }
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
