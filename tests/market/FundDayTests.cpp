// The fund day file made from a report page: report date, the cut, title and fund lines.
#include "market/FundDay.h"
#include "market/MarketText.h"
#include "support/MarketTestData.h"
#include "support/TestSupport.h"
#include "util/Cp1253.h"
#include "util/Text.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

TEST(FundDay, ReportDateComesFromTheHeading)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<h1>Στοιχεία 05/12/2024</h1>", "2024-12-05"},
        {"<h1 class=x>Report 31.01.2025</h1 >", "2025-01-31"}, // any separators
        {"<h2>05/12/2024</h2>", "2024-12-06"},                 // no heading: the day asked
        {"", "2024-12-06"},
    };
    for (const auto& [page, date] : cases) {
        EXPECT_EQ(FundReportDate(Utf8ToCp1253(page), "2024-12-06"), date) << page;
    }
}

TEST(FundDay, TitleAndFundLinesHaveTheirColumns)
{
    // Titles: 49 blanks, the category's letter, two blanks. Funds: 16, 16, 10 and 7 columns (an empty
    // cell, "&nbsp;" alone too, is a dash), the letter and the name. Line breaks in a cell are blanks.
    const std::string t(49, ' ');
    const std::vector<std::pair<std::vector<FundCategory>, std::vector<std::string>>> cases{
        {{{"Μετοχικά Εσωτερικού", {{"Alpha Fund", "1.234.567,89", "100.000,00", "12,3456", "5,12"}}}},
         {t + "a  Μετοχικά Εσωτερικού", "    1.234.567,89      100.000,00   12,3456   5,12a Alpha Fund"}},
        {{{"Ομολογιακά", {{"Beta", "", "10,00", "1,0000", "&nbsp;"}}}},
         {t + "a  Ομολογιακά", "               -           10,00    1,0000      -a Beta"}},
        // A category without funds keeps its title and its letter.
        {{{"Πρώτη", {{"F1", "1", "1", "1", "1"}}}, {"Δεύτερη", {}}, {"Τρίτη", {{"F3", "3", "3", "3", "3"}}}},
         {t + "a  Πρώτη", "               1               1         1      1a F1", t + "b  Δεύτερη", t + "c  Τρίτη",
          "               3               3         3      3c F3"}},
        {{{"Τίτλος\r\nδεύτερη", {{"Na\nme", "1", "2", "3", "4"}}}},
         {t + "a  Τίτλος  δεύτερη", "               1               2         3      4a Na me"}},
    };
    for (const auto& [categories, expected] : cases) {
        std::vector<std::string> lines = FundDayFromPage(Utf8ToCp1253(FundPage(categories, "05/12/2024"))).lines;
        std::transform(lines.begin(), lines.end(), lines.begin(), U);
        EXPECT_EQ(lines, expected);
    }
}

TEST(FundDay, PageWithoutCategoryOrTableEndOrWithANulGivesNoLines)
{
    EXPECT_TRUE(FundDayFromPage("<table><tr><td>x</td></tr></table>").lines.empty());
    EXPECT_TRUE(FundDayFromPage("<tr><td class=MenuHeaderSub>A</td></tr><tr><td>f</td></tr>").lines.empty());
    std::string withNul =
        Utf8ToCp1253(FundPage({{"Μετοχικά", {{"Alpha", "1,00", "2,00", "3,0000", "0,50"}}}}, "05/12/2024"));
    ASSERT_FALSE(FundDayFromPage(withNul).lines.empty());
    withNul.insert(withNul.find("Alpha"), 1, '\0');
    EXPECT_TRUE(FundDayFromPage(withNul).lines.empty());
}

TEST(FundDay, MoreThan98CategoriesKeepTheFirst98)
{
    std::vector<FundCategory> categories;
    for (int i = 0; i < 120; ++i) {
        categories.push_back({"C" + std::to_string(i), {}});
    }
    const FundDay day = FundDayFromPage(Utf8ToCp1253(FundPage(categories, "05/12/2024")));
    ASSERT_EQ(day.lines.size(), 98u);
    EXPECT_TRUE(day.cut);
    EXPECT_EQ(Chars(day.lines[97], 50, 1000), std::string(1, static_cast<char>(96 + 98)) + "  C97");
}
