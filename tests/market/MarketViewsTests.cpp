// The grids of the stock and fund views built from stored day files, and the caption sort.
#include "market/MarketText.h"
#include "market/MarketViews.h"
#include "market/StockDay.h"
#include "support/MarketTestData.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Text.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

std::vector<std::string> Column(const CellGrid& grid, int column)
{
    std::vector<std::string> cells;
    for (int r = 1; r < grid.rowCount(); ++r) {
        cells.push_back(grid.cell(column, r));
    }
    return cells;
}

} // namespace

TEST(MarketViews, DayListNumbersTheDaysInDateOrderAndEachRowOpensItsOwnDay)
{
    test::TempFolder folder;
    StoreStockDay(folder, "20241202", {Record("ALPHA", "10")});
    StoreStockDay(folder, "20240102", {Record("ALPHA", "1")});
    // A day stored under an upper-case name is listed and opened all the same; a fund day is not
    // listed among the stock days.
    SaveLines(folder.file("Data-STOCK/20241205.TXT"), {StockHeader(), Record("ALPHA", "11")});
    SaveLines(folder.file("Data-STOCK/a20241203.AMB"), {std::string(49, ' ') + "a Alpha"});
    const CellGrid stock = MarketDateList(folder.path(), MarketKind::Stock);
    ASSERT_EQ(stock.rowCount(), 4);
    EXPECT_EQ(stock.cell(1, 1) + "|" + stock.cell(1, 3), "    1 02-01-2024|    3 05-12-2024");
    EXPECT_EQ(stock.rowValue(2) + "|" + stock.rowValue(3), "20241202|20241205");
    EXPECT_EQ(stock.currentRow(), 3);
    // Row 3 is compared with row 2: the change shows that each row opened its own file.
    const std::optional<CellGrid> day = StockDayGrid(folder.path(), stock.rowValue(3), stock.rowValue(2));
    ASSERT_TRUE(day);
    EXPECT_EQ(day->cell(1, 1), "  10.00");
    const CellGrid funds = MarketDateList(folder.path(), MarketKind::Funds);
    EXPECT_EQ(funds.cell(1, 1) + "|" + funds.rowValue(1), "    1 03-12-2024|20241203");
    const std::optional<CellGrid> fundDay = FundDayGrid(folder.path(), funds.rowValue(1));
    ASSERT_TRUE(fundDay);
    EXPECT_EQ(fundDay->cell(0, 1), "a Alpha");
    // No day: one empty row.
    test::TempFolder none;
    const CellGrid empty = MarketDateList(none.path(), MarketKind::Funds);
    EXPECT_EQ(std::to_string(empty.rowCount()) + empty.cell(1, 1) + std::to_string(empty.currentRow()), "21");
}

TEST(MarketViews, ChangeIsAgainstThePreviousStoredDay)
{
    test::TempFolder folder;
    StoreStockDay(folder, "20241202",
                  {Record("ALPHA", "10.00"), Record("BETA", "10"), Record("ZERO", "0"), Record("LONGER", "4")});
    StoreStockDay(
        folder, "20241205",
        {Record("ALPHA", "10.5"), Record("BETA", "9.9"), Record("NEW", "1"), Record("ZERO", "3"), Record("LONG", "5")});
    const std::optional<CellGrid> first = StockDayGrid(folder.path(), "20241202", "");
    ASSERT_TRUE(first);
    EXPECT_EQ(Column(*first, 1), std::vector<std::string>(4, "")); // no day before the first
    const std::optional<CellGrid> grid = StockDayGrid(folder.path(), "20241205", "20241202");
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->rowCount(), 6);
    EXPECT_EQ(Column(*grid, 0), (std::vector<std::string>{"ALPHA", "BETA", "NEW", "ZERO", "LONG"}));
    // ZERO had a close of 0: no division; LONG matches the longer symbol that starts like it.
    EXPECT_EQ(Column(*grid, 1), (std::vector<std::string>{"   5.00", "  -1.00", "", "", "  25.00"}));
    EXPECT_EQ(grid->cell(6, 1) + "|" + grid->cell(7, 1), "        1050|    -");
    // A change wider than its cell keeps its right part; a close before that is not a number gives none.
    EXPECT_EQ(ChangeCell("2000", "1") + "|" + ChangeCell("1", "-") + "|" + ChangeCell("1", "1"), "9900.00||   0.00");
}

TEST(MarketViews, FundGridShowsTheColumnsOfEachLineAndAMissingOrEmptyDayNone)
{
    test::TempFolder folder;
    EXPECT_FALSE(StockDayGrid(folder.path(), "20241202", ""));
    CreateFolder(folder.file("Data-STOCK"));
    WriteBytes(folder.file("Data-STOCK/A20241202.amb"), "");
    EXPECT_FALSE(FundDayGrid(folder.path(), "20241202"));
    const std::string fund =
        std::string("    1.234.567,89") + "      100.000,00" + "   12,3456" + " -12,45" + "a Alpha";
    SaveLines(folder.file("Data-STOCK/A20241205.amb"), {Spaces(49) + "a  " + W("Μετοχικά"), fund});
    const std::optional<CellGrid> grid = FundDayGrid(folder.path(), "20241205");
    ASSERT_TRUE(grid);
    EXPECT_EQ(U(grid->cell(0, 1)), "a  Μετοχικά");
    EXPECT_EQ(grid->cell(1, 2) + "|" + grid->cell(3, 2) + "|" + grid->cell(0, 2),
              "    1.234.567,89|   12,3456|a Alpha");
    EXPECT_EQ(grid->cell(4, 2), "    -12,4"); // characters 43 to 48: the last is not shown
}

TEST(MarketViews, SortByNumberTextAndFundFigures)
{
    CellGrid stock = MarketGridFrame(MarketKind::Stock);
    stock.setRowCount(4);
    const char* rows[3][2] = {{"BETA", "     200"}, {"alpha", "       -"}, {"GAMMA", "    1000"}};
    for (int r = 0; r < 3; ++r) {
        stock.setCell(0, r + 1, rows[r][0]);
        stock.setCell(3, r + 1, rows[r][1]);
    }
    SortMarketRows(stock, 3, true, MarketKind::Stock);
    EXPECT_EQ(Column(stock, 0), (std::vector<std::string>{"GAMMA", "BETA", "alpha"}));
    SortMarketRows(stock, 0, false, MarketKind::Stock);
    EXPECT_EQ(Column(stock, 0), (std::vector<std::string>{"alpha", "BETA", "GAMMA"}));
    EXPECT_EQ(Column(stock, 3), (std::vector<std::string>{"       -", "     200", "    1000"}));

    CellGrid funds = MarketGridFrame(MarketKind::Funds);
    funds.setRowCount(4);
    const char* assets[] = {"    1.234.567,89", "", "      999.999,99"};
    for (int r = 0; r < 3; ++r) {
        funds.setCell(0, r + 1, std::string(1, static_cast<char>('a' + r)));
        funds.setCell(1, r + 1, assets[r]);
    }
    SortMarketRows(funds, 1, false, MarketKind::Funds);
    EXPECT_EQ(Column(funds, 0), (std::vector<std::string>{"b", "c", "a"})); // a title line counts as 0
}
