// The market day files' names: which names are days, in any letter case, and which day a day
// list row opens.
#include "market/MarketFiles.h"
#include "market/MarketViews.h"
#include "support/MarketTestData.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

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

TEST(MarketFiles, EachDayListRowOpensItsOwnDay)
{
    test::TempFolder folder;
    StoreStockDay(folder, "20241202", {Record("ALPHA", "10")});
    // A day stored under an upper-case name is listed and opened all the same.
    SaveLines(folder.file("Data-STOCK/20241205.TXT"), {StockHeader(), Record("ALPHA", "11")});
    SaveLines(folder.file("Data-STOCK/a20241203.AMB"), {std::string(49, ' ') + "a Alpha"});
    const CellGrid stock = MarketDateList(folder.path(), MarketKind::Stock);
    ASSERT_EQ(stock.rowCount(), 3);
    EXPECT_EQ(stock.rowValue(1) + "|" + stock.rowValue(2), "20241202|20241205");
    // Row 2 is compared with row 1: the change shows that each row opened its own file.
    const std::optional<CellGrid> day = StockDayGrid(folder.path(), stock.rowValue(2), stock.rowValue(1));
    ASSERT_TRUE(day);
    EXPECT_EQ(day->cell(1, 1), "  10.00");
    const CellGrid funds = MarketDateList(folder.path(), MarketKind::Funds);
    EXPECT_EQ(funds.cell(1, 1) + "|" + funds.rowValue(1), "    1 03-12-2024|20241203");
    const std::optional<CellGrid> fundDay = FundDayGrid(folder.path(), funds.rowValue(1));
    ASSERT_TRUE(fundDay);
    EXPECT_EQ(fundDay->cell(0, 1), "a Alpha");
}
