// Finding PROPO coupons in an answer: packing, the backward scan over workbook cells and page
// lines, telling a page from a workbook, and the answers refused.
#include "support/TestSupport.h"
#include "update/PropoCoupons.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// Coupon rows laid out 17 to a row, the date in column 3 and the results in 4 to 17.
struct CouponSheet
{
    CellTable table;
    int rows = 0;

    explicit CouponSheet(const std::vector<std::vector<std::string>>& cells)
        : rows(static_cast<int>(cells.size()))
    {
        table.resetTo(static_cast<std::size_t>(rows) * 17 + 18);
        for (int r = 0; r < rows; ++r) {
            for (std::size_t c = 0; c < cells[r].size(); ++c) {
                table.set(static_cast<std::size_t>(r) * 17 + c + 1, cells[r][c]);
            }
        }
    }
    PropoCells cells() const { return PropoCellsFromWorkbook(table, rows); }
};

std::vector<std::string> Coupon(const std::string& date, std::vector<std::string> results)
{
    std::vector<std::string> row{"1", "2024", date};
    row.insert(row.end(), results.begin(), results.end());
    return row;
}

const std::vector<std::string> AllOnes(14, "1");

} // namespace

TEST(PropoCoupons, PacksSignsTwoBitsEach)
{
    const int codes[7] = {1, 0, 2, 1, 1, 0, 2};
    EXPECT_EQ(PackPropoSigns(codes), 8545);
    const int none[7] = {3, 3, 3, 3, 3, 3, 3};
    EXPECT_EQ(PackPropoSigns(none), PropoEmptyValue);
    EXPECT_EQ(PropoCouponWord(1959, 1), 1);
    EXPECT_EQ(PropoCouponWord(2024, 2), (2024 - 1959) * 120 + 3);
}

TEST(PropoCoupons, BottomRowIsCouponOneAndNextYearCounts)
{
    std::vector<std::vector<std::string>> rows{{W("ΑΠΟΤΕΛΕΣΜΑΤΑ")}, {W("Κουπόνι"), W("Έτος"), W("Ημερομηνία")}};
    // Newest first: a January 2025 coupon that belongs to the 2024 season, then 2024 ones.
    rows.push_back(Coupon("05/1/2025", {"1", "X", "2", "1", "1", "X", "2", "1", "1", "1", "1", "1", "1", "-"}));
    rows.push_back(Coupon("29/12/2024", {"2", "2", "2", "2", "2", "2", "2", W("Χ"), " 1 ", "1", "1", "1", "1", "1"}));
    rows.push_back(Coupon("22/12/2024", AllOnes));
    const CouponSheet sheet(rows);
    const PropoScan scan = ScanPropoCoupons(sheet.cells(), 2024);
    ASSERT_TRUE(scan.refusal.empty()) << U(scan.refusal);
    ASSERT_EQ(scan.coupons.size(), 3u);
    EXPECT_EQ(scan.coupons[0][0], 0x1555);                 // all "1"
    EXPECT_EQ(scan.coupons[1][0], 0x2AAA);                 // all "2"
    EXPECT_EQ(scan.coupons[1][1], 0x1554);                 // Greek Χ is X, blanks dropped
    EXPECT_EQ(scan.coupons[2][0], 8545);
    EXPECT_EQ(scan.coupons[2][1], 0x3000 | 0x0555);        // thirteen matches: field 7 is 3
}

TEST(PropoCoupons, OutOfFormatAnswersAreRefused)
{
    struct Case { const char* name; std::vector<std::vector<std::string>> rows; };
    std::vector<std::vector<std::string>> sixtyOne(61, Coupon("01/3/2024", AllOnes));
    std::vector<std::string> three = AllOnes;
    three[4] = "3";
    std::vector<std::string> word = AllOnes;
    word[0] = "Error";
    const std::vector<Case> cases{
        {"61 coupons", sixtyOne},
        {"result 3", {Coupon("01/3/2024", three)}},
        {"text in a result cell", {Coupon("01/3/2024", word)}},
        {"no coupon of the year", {Coupon("01/3/2022", AllOnes)}},
        {"nothing at all", {}},
    };
    for (const Case& c : cases) {
        const CouponSheet sheet(c.rows);
        EXPECT_FALSE(ScanPropoCoupons(sheet.cells(), 2024).refusal.empty()) << c.name;
    }
    const std::vector<std::vector<std::string>> sixty(60, Coupon("01/3/2024", AllOnes));
    EXPECT_EQ(ScanPropoCoupons(CouponSheet(sixty).cells(), 2024).coupons.size(), 60u);
}

TEST(PropoCoupons, TellsPagesFromWorkbooks)
{
    struct Case { std::string head; bool page; };
    const std::vector<Case> cases{
        {"<html><body>", true},
        {"<HTML lang=el>", true},
        {"<!DOCTYPE html>\n<html>", true},
        {"\xEF\xBB\xBF \r\n\t<!doctype HTML>", true},
        {"PK\x03\x04\x14\x00", false},
        {"<?xml version=\"1.0\"?>", false},
        {"Not found", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsHtmlAnswer(c.head), c.page) << c.head;
    }
}

TEST(PropoCoupons, PageWithBareLineFeedsGivesOneLinePerCell)
{
    std::string page = "<!DOCTYPE html>\n<html><head><style>td{color:red}</style></head><body><table>\n";
    const std::vector<std::pair<std::string, std::string>> coupons{{"12/1/2025", "1X21 1X2 2222 111"},
                                                                   {"05/1/2025", "2222222X111111"}};
    for (const auto& [date, signs] : coupons) {
        page += "<tr>\n<td>" + date + "</td>\n";
        for (char sign : signs) {
            if (sign != ' ') {
                page += std::string("<td>") + sign + "</td>\n";
            }
        }
        page += "</tr>\n";
    }
    page += "</table></body></html>\n";
    const PropoCells cells = PropoCellsFromPage(page);
    const PropoScan scan = ScanPropoCoupons(cells, 2024);
    ASSERT_TRUE(scan.refusal.empty()) << U(scan.refusal);
    ASSERT_EQ(scan.coupons.size(), 2u);
    EXPECT_EQ(scan.coupons[0][0], 0x2AAA);  // 05/1/2025: seven "2"
    EXPECT_EQ(scan.coupons[0][1], 5460);    // X and six "1"
    EXPECT_EQ(scan.coupons[1][0], 8545);    // 12/1/2025: 1 X 2 1 1 X 2
    EXPECT_EQ(scan.coupons[1][1], 5546);    // 2 2 2 2 1 1 1
}
