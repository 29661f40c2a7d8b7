// The merges of downloaded draws as pure functions: out-of-format answers refused, what a clock set
// back keeps, EXTRA's slots, KINO's month file and times, PROPO pages; byte layouts are end to end.
#include "support/UpdateTests.h"
#include "update/KinoMonth.h"
#include "update/NumberGameMerge.h"
#include "update/PropoCoupons.h"
#include "update/ProtoExtraMerge.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace karvo;
using namespace karvo::test;

namespace {

// A draw row: the draw number, the date, then numbers from column 3 (a number game's first in 4).
std::vector<std::string> Draw(const char* draw, const char* date, const char* number = "1")
{
    return {draw, date, "1", number, "3", "4", "5", "6"};
}

// A coupon row: number, year, the date in column 3, the fourteen results in 4 to 17.
std::vector<std::string> Coupon(const std::string& date, std::vector<std::string> results = {})
{
    results.resize(14, "1");
    results.insert(results.begin(), {"1", "2024", date});
    return results;
}

PropoScan Scan(const SheetRows& rows)
{
    const Sheet sheet(rows, GameInfoFor(GameCode::PropoSunday).workbook.columns);
    return ScanPropoCoupons(PropoCellsFromWorkbook(sheet.table, sheet.rows), 2024);
}

} // namespace

TEST(Merges, OutOfFormatAnswersAreRefusedWithAWarning)
{
    const auto lotto = [](const char* date, const char* number, int rows = 1) {
        const Sheet sheet(SheetRows(rows, Draw("5", date, number)), 12);
        return MergeNumberGame(GameCode::Lotto, "old", sheet.view(), 2024, 2026).refusal;
    };
    const std::string extra(8000 * 8, '\x05');
    const auto extraDraw = [&](const char* n) { return MergeExtra(extra, Sheet({Draw(n, "03/2/2019")}, 10).view()); };
    std::vector<std::string> shortTime{"7", "03/05/2024", "9"};
    shortTime.resize(23, "1");
    const SheetRows proto(201, {"1", "07/3/2024", "1", "2", "3", "4", "5", "6", "7"});
    const std::vector<std::pair<const char*, std::string>> cases{
        {"371 draw rows", lotto("01/1/2024", "2", 371)},
        {"number above 255", lotto("01/1/2024", "256")},
        {"no date", lotto("", "2")},
        {"year before 1950", lotto("01/1/1949", "2")},
        {"201 PROTO draws", MergeProto("", Sheet(proto, 10).view(), 2024, 2026).refusal},
        {"EXTRA draw 12,376 slots past the file", extraDraw("20376").refusal},
        {"KINO time of one character", BuildKinoMonth(Sheet({shortTime}, 23).view(), "05").refusal},
        {"61 coupons", Scan(SheetRows(61, Coupon("01/3/2024"))).refusal},
        {"result 3", Scan({Coupon("01/3/2024", {"1", "1", "1", "1", "3"})}).refusal},
        {"no coupon of the year", Scan({Coupon("01/3/2022")}).refusal},
        {"no coupon at all", Scan({}).refusal},
    };
    for (const auto& [name, refusal] : cases) {
        EXPECT_NE(refusal, "") << name;
    }
    // Just inside the limits; a clock set back to 2019 must not cut the stored 2020 off.
    EXPECT_EQ(Scan(SheetRows(60, Coupon("01/3/2024"))).coupons.size(), 60u);
    EXPECT_EQ(extraDraw("20375").refusal, "");
    // EXTRA's refusal says what to do: the years before must be fetched first.
    EXPECT_EQ(U(extraDraw("20376").refusal),
              "Η κλήρωση 20376 της γραμμής 1 είναι πολύ μετά την τελευταία θέση του "
              "αρχείου (8000). Ενημερώστε πρώτα τα προηγούμενα έτη, με τη σειρά. "
              "Δεν καταχωρήθηκε τίποτα.");
    const std::string stored((2021 - 1989) * 370 * 9, '\x07');
    EXPECT_EQ(MergeNumberGame(GameCode::Lotto, stored, Sheet({}, 12).view(), 2018, 2019).bytes, stored);
}

TEST(Merges, ExtraDrawsTakeTheSlotOfTheirNumber)
{
    const std::string stored(8000 * 8, '\x05');
    SheetRows rows;
    for (int draw = 9300; draw >= 9001; --draw) {
        rows.push_back({std::to_string(draw), "03/2/2025", "9", "30", "10", "20", "5", "1"});
    }
    // Draws 9001 to 9300 over an 8,000-slot file: the slots between stay empty; an earlier year
    // afterwards does not shrink the file.
    const MergeResult merged = MergeExtra(stored, Sheet(rows, 10).view());
    ASSERT_EQ(merged.bytes.size(), 9300u * 8);
    EXPECT_EQ(merged.bytes.substr(0, 9000 * 8), stored + std::string(1000 * 8, '\0'));
    EXPECT_EQ(merged.bytes.substr(9299 * 8), std::string("\x03\x02\x4B\x01\x05\x0A\x14\x1E", 8));
    EXPECT_EQ(MergeExtra(merged.bytes, Sheet({Draw("100", "03/2/2019")}, 10).view()).bytes.size(), 9300u * 8);
}

TEST(KinoMonth, ThirtyThreeHundredDrawsFromTheBottomRowTimesAndDays)
{
    SheetRows rows{{W("Κλήρωση")}};
    for (int i = 3299; i >= 0; --i) {
        rows.push_back({std::to_string(900000 + i), "03/05/2024", "0.375"});
        for (int n = 80; n > 60; --n) {
            rows.back().push_back(std::to_string(n));
        }
    }
    const MergeResult month = BuildKinoMonth(Sheet(rows, 23).view(), "03");
    ASSERT_EQ(month.bytes.size(), 3301u * 23);
    EXPECT_EQ(KinoFirstDraw(month.bytes), 900000);
    // Numbers ascending, then day 5 (the date read month first) and 09:00.
    std::string record(20, '\0');
    std::iota(record.begin(), record.end(), 61);
    EXPECT_EQ(month.bytes.substr(23, 23), record + std::string("\x05\x09\x00", 3));
    // A header alone gives draw number 0.
    EXPECT_EQ(BuildKinoMonth(Sheet({{"x"}}, 23).view(), "05").bytes, std::string(23, '\0'));
    // Day fractions are rounded to the second first, as a spreadsheet shows them.
    const std::vector<std::tuple<const char*, int, int>> cases{
        {"0.378472222222222", 9, 5}, {"09:05", 9, 5}, {"45292.5", 12, 0}, {"0.99999", 23, 59}, {"0.999999", 0, 0}};
    for (const auto& [text, hour, minute] : cases) {
        int h = -1, m = -1;
        ASSERT_TRUE(KinoTime(text, h, m)) << text;
        EXPECT_EQ(std::make_pair(h, m), std::make_pair(hour, minute)) << text;
    }
    EXPECT_EQ(KinoDay("03/05/2024", "03") + KinoDay("05/03/2024", "03") + KinoDay("02/1/2025", "01"), 5 + 5 + 2);
}

TEST(PropoCoupons, PagesAreToldFromWorkbooksByTheirFirstBytes)
{
    const std::vector<std::pair<std::string, bool>> heads{{"<HTML lang=el>", true},
                                                          {"\xEF\xBB\xBF \r\n\t<!doctype HTML>", true},
                                                          {"PK\x03\x04\x14\x00", false},
                                                          {"<?xml version=\"1.0\"?>", false},
                                                          {"", false}};
    for (const auto& [head, page] : heads) {
        EXPECT_EQ(IsHtmlAnswer(head), page) << head;
    }
}
