// The market day files' names: which names are days, in any letter case.
#include "market/MarketFiles.h"
#include "market/MarketViews.h"
#include "support/MarketTestData.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <gtest/gtest.h>

using namespace karvo;

TEST(MarketFiles, DayNamesAreReadWithoutRegardToLetterCase)
{
    // clang-format off
    struct Case { const char* name; MarketKind kind; std::int32_t day; };
    const Case cases[] = {
        {"20241205.TXT", MarketKind::Stock, 20241205}, {"20240229.txt", MarketKind::Stock, 20240229},
        {"20230229.txt", MarketKind::Stock, 0},        {"notes123.txt", MarketKind::Stock, 0},
        {"2024 205.txt", MarketKind::Stock, 0},        {"A20241205.amb", MarketKind::Stock, 0},
        {"a20241205.AMB", MarketKind::Funds, 20241205}, {"20241205.amb", MarketKind::Funds, 0},
        {"B20241205.amb", MarketKind::Funds, 0},       {"A20241205.txt", MarketKind::Funds, 0},
        {"A2024120.amb", MarketKind::Funds, 0}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(DayOfFileName(c.name, c.kind), c.day) << c.name;
    }
}
