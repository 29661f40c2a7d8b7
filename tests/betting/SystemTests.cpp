// The system check before the calculator, and the calculator's arithmetic: expansion order, odds,
// spread totals, stake rounding and excluded columns.
#include "betting/BetCommands.h"
#include "betting/Coupon.h"
#include "betting/SystemCalc.h"
#include "betting/SystemCheck.h"
#include "support/TestSupport.h"
#include "util/Numbers.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// A coupon of matches coded 101, 102, ... with odds 2,50 / 3,10 / 2,80 and the given systems.
CellGrid systemCoupon(const std::vector<std::string>& systems)
{
    CellGrid coupon = NewCoupon(static_cast<int>(systems.size()) + 1);
    for (std::size_t i = 0; i < systems.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        coupon.setCell(CodeColumn, r, " " + std::to_string(101 + i));
        coupon.setCell(Odd1Column, r, " 2,50");
        coupon.setCell(OddXColumn, r, " 3,10");
        coupon.setCell(Odd2Column, r, "2.80");
        coupon.setCell(SystemColumn, r, systems[i]);
    }
    return coupon;
}

SystemGrids expand(const CellGrid& coupon)
{
    CellTable table;
    EXPECT_EQ(CheckSystem(coupon, table, 999).verdict, SystemVerdict::Accepted);
    return ExpandSystem(table, coupon, NumberFormat::greek());
}

} // namespace

TEST(SystemCheck, WarningsComeInTheirOrder)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> systems;
        const char* warning;
    };
    std::vector<std::string> wrongFirst(20, "1");
    wrongFirst[1] = "13";
    const Case cases[] = {
        {"none", {"", " ", ""}, "Γράψτε προγνωστκά στο σύστημα"},
        {"sixteen rows", std::vector<std::string>(16, "1"), "Πολλοί αγώνες"},
        {"2187 columns", std::vector<std::string>(7, "1X2"), "Υπέρβαση ορίου στηλών συστήματος"},
        {"a 3 before too many rows", wrongFirst, "Λάθος ο αγώνας  102"},
        {"a later 9", {"1", "2", "X9"}, "Λάθος ο αγώνας  103"},
        {"fifteen rows", std::vector<std::string>(15, "1"), ""},
        {"729 columns", std::vector<std::string>(6, "1X2"), ""},
    };
    for (const Case& c : cases) {
        CellTable table;
        EXPECT_EQ(U(SystemWarning(CheckSystem(systemCoupon(c.systems), table, 999))), c.warning) << c.name;
    }
}

TEST(SystemCheck, AnOutcomeWithoutAUsableOddIsRefused)
{
    for (const char* odd : {"", "abc", "0,00"}) {
        CellGrid coupon = systemCoupon({"1", "X2"});
        coupon.setCell(Odd2Column, 2, odd);
        CellTable table;
        EXPECT_EQ(U(SystemWarning(CheckSystem(coupon, table, 999))), "Λάθος ο αγώνας  102") << odd;
        coupon.setCell(SystemColumn, 2, "X");
        EXPECT_EQ(CheckSystem(coupon, table, 999).verdict, SystemVerdict::Accepted) << odd;
    }
}

TEST(SystemCheck, HandoverHoldsRowsAndSignsWithoutBlanks)
{
    CellGrid coupon = systemCoupon({"1 2", "", "x"});
    CellTable table;
    const SystemCheckResult result = CheckSystem(coupon, table, 999);
    EXPECT_EQ(result.columnCount, 2);
    EXPECT_EQ(table[0] + "|" + table[1] + "|" + table[2] + "|" + table[101] + "|" + table[102], "2|1|3|12|x");
}

TEST(SystemCalc, ColumnsExpandInOrder)
{
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"1X", "2"}, {"12", "X2"}},
        {{"1X2", "1", "x2"}, {"11X", "112", "X1X", "X12", "21X", "212"}},
    };
    for (const auto& [systems, expected] : cases) {
        const SystemGrids grids = expand(systemCoupon(systems));
        std::vector<std::string> columns(expected.size());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            for (int i = 1; i <= static_cast<int>(systems.size()); ++i) {
                columns[c] += grids.columns.cell(static_cast<int>(c), i);
            }
        }
        EXPECT_EQ(columns, expected);
    }
}

TEST(SystemCalc, TotalIsSpreadForEqualWinnings)
{
    CellGrid coupon = systemCoupon({"12"});
    coupon.setCell(Odd1Column, 1, "2");
    coupon.setCell(Odd2Column, 1, "4");
    SystemGrids grids = expand(coupon);
    StakeSummary summary;
    ASSERT_TRUE(SpreadTotal(grids.columns, 1, "10", summary, NumberFormat::greek()));
    EXPECT_EQ(grids.columns.cell(0, StakeRow(1)) + "/" + grids.columns.cell(1, StakeRow(1)), "6,67/3,33");
    EXPECT_EQ(grids.columns.cell(0, WinningsRow(1)) + "/" + grids.columns.cell(1, WinningsRow(1)), "13,34/13,32");
    EXPECT_EQ(U(summary.returnFactor + "|" + summary.totalCaption), "Απόδοση Συστήματος 1,3|Συνολικό Ποσό 10€");
    EXPECT_FALSE(SpreadTotal(grids.columns, 1, "abc", summary, NumberFormat::greek()));
    ASSERT_TRUE(SpreadTotal(grids.columns, 1, "7,5", summary, NumberFormat::greek())); // a decimal comma is read
    EXPECT_EQ(grids.columns.cell(0, StakeRow(1)), "5");
}

TEST(SystemCalc, CombinedOddsRoundingAndExcludedColumns)
{
    SystemGrids grids = expand(systemCoupon({"1X2", "1"}));
    const int n = 2;
    // 2,50 x 2,50, 3,10 x 2,50 and 2,80 x 2,50; the return factor is 1 / (1/6,25 + 1/7,75 + 1/7).
    EXPECT_EQ(grids.columns.cell(0, OddsRow(n)) + "|" + grids.columns.cell(1, OddsRow(n)) + "|"
                  + grids.columns.cell(2, OddsRow(n)),
              "6,25|7,75|7");
    EXPECT_EQ(U(grids.returnFactor), "Απόδοση Συστήματος 2,3");
    const char* stakes[] = {"1", "0,3", "*0,9"};
    for (int c = 0; c < 3; ++c) {
        grids.columns.setCell(c, StakeRow(n), stakes[c]);
    }
    StakeSummary summary = RoundStakes(grids.columns, n, NumberFormat::greek());
    EXPECT_EQ(grids.columns.cell(0, StakeRow(n)) + "|" + grids.columns.cell(1, StakeRow(n)) + "|"
                  + grids.columns.cell(2, StakeRow(n)),
              "1,2|0,3|*0,9");
    grids.columns.setCell(2, StakeRow(n), "0,9");
    RoundStakes(grids.columns, n, NumberFormat::greek());
    EXPECT_EQ(grids.columns.cell(2, StakeRow(n)), "0,9");
    // "*" takes a column out of the winnings, the total and the return factor.
    grids.columns.setCell(1, StakeRow(n), "*");
    summary = CalcColumns(grids.columns, n, NumberFormat::greek());
    // 1,2 x 6,25; the return factor is 1 / (1/6,25 + 1/7).
    EXPECT_EQ(grids.columns.cell(0, WinningsRow(n)) + "|" + grids.columns.cell(1, WinningsRow(n)), "7,5|0");
    EXPECT_EQ(U(summary.totalCaption + "|" + summary.returnFactor), "Συνολικό Ποσό 2,1€|Απόδοση Συστήματος 3,3");
}
