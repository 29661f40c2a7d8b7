// The stock day file made from a service body: the fields where readers find them, the value column,
// order, line breaks, limits. The record's exact bytes are the market update's.
#include "market/MarketText.h"
#include "market/StockDay.h"
#include "market/StockRecord.h"
#include "support/MarketTestData.h"
#include "support/TestSupport.h"
#include "util/Text.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

TEST(StockDay, ReadersFindEveryFieldWhereTheWriterPutIt)
{
    // The price history cuts the fixed columns and the views split at blanks: both must find each
    // field the writer placed.
    const std::string record = StockRecord(StockLine("ALPHA", "12.20", "1000", "12.5", "11.75", "12"), "05/12/2024");
    // clang-format off
    const std::pair<StockField, const char*> fields[] = {
        {StockField::Symbol, "ALPHA"}, {StockField::Date, "05/12/2024"}, {StockField::Close, "12.20"},
        {StockField::Change, "-"}, {StockField::Volume, "1000"}, {StockField::High, "12.5"},
        {StockField::Low, "11.75"}, {StockField::Value, "12200"}, {StockField::Trades, "-"},
        {StockField::Opening, "12"}, {StockField::Isin, "-"}};
    // clang-format on
    const std::vector<std::string> split = SplitFields(record, " ", 99);
    ASSERT_EQ(split.size(), kStockFieldCount);
    for (const auto& [field, text] : fields) {
        EXPECT_EQ(StockFieldText(record, field), text) << FieldIndex(field);
        EXPECT_EQ(split[FieldIndex(field)], text) << FieldIndex(field);
    }
}

TEST(StockDay, ValueIsCloseTimesVolumeRoundedHalfToEven)
{
    // 37.5 and 2.5 go to the even 38 and 2; no volume or no finite product: no value.
    // clang-format off
    struct Case { const char* close; const char* volume; const char* value; };
    const Case cases[] = {{"12.5", "3", "38"}, {"0.5", "5", "2"}, {"1.20", "0", "-"}, {"1e308", "1e308", "-"}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(StockValue(c.close, c.volume), c.value) << c.close << " x " << c.volume;
    }
}

TEST(StockDay, BodyBecomesSortedWholeRecordsUnderTheHeader)
{
    // Letter case does not order; empty and short lines are no records; LF line ends as well as
    // CR LF, and a stray CR inside a field, never split a record.
    const std::string body = "head\r\n" + StockLine("GAMMA", "3.00", "1") + "\r\n\r\nshort,line\n"
        + StockLine("ALPHA", "1.20", "1000") + "\n" + StockLine("be\rta", "2.00", "2") + "\n" + std::string(500, ' ');
    const StockDay day = StockDayFromBody(body, "05/12/2024");
    ASSERT_EQ(day.lines.size(), 4u);
    EXPECT_EQ(day.lines[0], StockHeader());
    EXPECT_EQ(Chars(day.lines[1], 1, 5) + Chars(day.lines[2], 1, 5) + Chars(day.lines[3], 1, 5), "ALPHAbe taGAMMA");
    for (const std::string& line : day.lines) {
        EXPECT_EQ(line.size(), 122u);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_FALSE(day.cut);
}

TEST(StockDay, ShortBodyGivesNothingAndFiveHundredCharactersAreEnough)
{
    const std::string body = StockBody({StockLine("ALPHA", "1.20", "1000")}, 600).substr(0, 500);
    EXPECT_GT(StockDayFromBody(body, "05/12/2024").lines.size(), 1u);
    // Too short, a NUL byte anywhere, or long but without a record whose close is a number.
    std::string withNul = body;
    withNul[withNul.size() - 1] = '\0';
    const std::string nothing[] = {body.substr(0, 499), "", withNul, "head\n" + std::string(600, '\n'),
                                   "head\n" + StockLine("A", "n/a", "1") + std::string(500, ' ')};
    for (const std::string& empty : nothing) {
        EXPECT_TRUE(StockDayFromBody(empty, "05/12/2024").lines.empty()) << empty.substr(0, 60);
    }
    // One priced record is enough for the others to come along as they are.
    const StockDay day = StockDayFromBody(
        "head\n" + StockLine("A", "n/a", "1") + "\n" + StockLine("B", " 2", "1") + std::string(500, ' '), "05/12/2024");
    EXPECT_EQ(day.lines.size(), 3u);
}

TEST(StockDay, LongBodyKeepsTheFirst998Records)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 1200; ++i) {
        lines.push_back(StockLine("S" + std::to_string(10000 + i), "1.00", "1"));
    }
    const StockDay day = StockDayFromBody(StockBody(lines), "05/12/2024");
    ASSERT_EQ(day.lines.size(), 999u);
    EXPECT_TRUE(day.cut);
    EXPECT_EQ(Chars(day.lines[998], 1, 6), "S10997");
}
