// The fund day file made from a report page: report date, the cut, title and fund lines.
#include "MarketTestData.h"
#include "market/FundDay.h"
#include "market/MarketText.h"
#include "support/TestSupport.h"
#include "util/Cp1253.h"
#include "util/Text.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

std::vector<std::string> LinesOf(const std::vector<FundCategory>& categories)
{
    return FundDayFromPage(Utf8ToCp1253(FundPage(categories, "05/12/2024"))).lines;
}

} // namespace

TEST(FundDay, ReportDateComesFromTheHeading)
{
    struct Case
    {
        const char* page;
        const char* date;
    };
    const Case cases[] = {
        {"<h1>Στοιχεία 05/12/2024</h1>", "2024-12-05"},
        {"<h1 class=x>Report 31.01.2025</h1 >", "2025-01-31"}, // any separators
        {"<h2>05/12/2024</h2>", "2024-12-06"},                 // no heading: the day asked
        {"", "2024-12-06"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FundReportDate(Utf8ToCp1253(c.page), "2024-12-06"), c.date) << c.page;
    }
}

TEST(FundDay, TitleAndFundLinesHaveTheirColumns)
{
    const std::vector<std::string> lines =
        LinesOf({{"Μετοχικά Εσωτερικού", {{"Alpha Fund", "1.234.567,89", "100.000,00", "12,3456", "5,12"}}}});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], Spaces(49) + "a  " + W("Μετοχικά Εσωτερικού"));
    const std::string& fund = lines[1];
    EXPECT_EQ(Chars(fund, 1, 16), "    1.234.567,89");
    EXPECT_EQ(Chars(fund, 17, 32), "      100.000,00");
    EXPECT_EQ(Chars(fund, 33, 42), "   12,3456");
    EXPECT_EQ(Chars(fund, 43, 49), "   5,12");
    EXPECT_EQ(Chars(fund, 50, 1000), "a Alpha Fund");
}

TEST(FundDay, EmptyCellGivesADashAndTheOthersStay)
{
    const std::vector<std::string> lines = LinesOf({{"Ομολογιακά", {{"Beta", "", "10,00", "1,0000", "&nbsp;"}}}});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Chars(lines[1], 1, 16), Spaces(15) + "-");
    EXPECT_EQ(Chars(lines[1], 17, 32), Spaces(11) + "10,00");
    EXPECT_EQ(Chars(lines[1], 49, 49), "-"); // "&nbsp;" alone is empty
}

TEST(FundDay, CategoriesTakeLettersInPageOrder)
{
    const std::vector<std::string> lines =
        LinesOf({{"Πρώτη", {{"F1", "1", "1", "1", "1"}}},
                 {"Δεύτερη", {}},
                 {"Τρίτη", {{"F3", "3", "3", "3", "3"}, {"F4", "4", "4", "4", "4"}}}});
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(Chars(lines[2], 50, 52), "b  "); // a category without funds keeps its title
    EXPECT_EQ(Chars(lines[3], 50, 52), "c  ");
    EXPECT_EQ(Chars(lines[4], 50, 54), "c F3");
    EXPECT_EQ(Chars(lines[5], 50, 54), "c F4");
}

TEST(FundDay, PageWithoutCategoryOrTableEndGivesNoLines)
{
    EXPECT_TRUE(FundDayFromPage("<table><tr><td>x</td></tr></table>").lines.empty());
    EXPECT_TRUE(FundDayFromPage("<tr><td class=MenuHeaderSub>A</td></tr><tr><td>f</td></tr>").lines.empty());
}

TEST(FundDay, MoreThan98CategoriesKeepTheFirst98)
{
    std::vector<FundCategory> categories;
    for (int i = 0; i < 120; ++i) {
        categories.push_back({"C" + std::to_string(i), {}});
    }
    const FundDay day = FundDayFromPage(Utf8ToCp1253(FundPage(categories, "05/12/2024")));
    EXPECT_EQ(day.lines.size(), 98u);
    EXPECT_TRUE(day.cut);
    EXPECT_EQ(Chars(day.lines[97], 50, 1000), std::string(1, static_cast<char>(96 + 98)) + "  C97");
}

TEST(FundDay, LineBreaksInsideCellsStayOnOneLine)
{
    const std::vector<std::string> lines = LinesOf({{"Τίτλος\r\nδεύτερη", {{"Na\nme", "1", "2", "3", "4"}}}});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Chars(lines[1], 50, 1000), "a Na me");
}

TEST(FundDay, FileIsNamedAfterTheDay)
{
    EXPECT_EQ(FundDayFile("/w/", QDate(2024, 12, 5)), "/w/Data-STOCK/A20241205.amb");
}
