// The merges of downloaded draws into results files, as pure functions: the slot each draw
// takes, the byte order of its numbers, the lengths, and the out-of-format answers refused.
#include "support/TestSupport.h"
#include "update/KinoMonth.h"
#include "update/NumberGameMerge.h"
#include "update/ProtoExtraMerge.h"
#include "update/UpdateLists.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// Rows of texts laid out in a table as the workbook reader does.
struct Sheet
{
    CellTable table;
    int rows = 0;
    int width = 0;

    Sheet(const std::vector<std::vector<std::string>>& cells, int w)
        : rows(static_cast<int>(cells.size()))
        , width(w)
    {
        table.resetTo(static_cast<std::size_t>(rows) * w + w + 1);
        for (int r = 0; r < rows; ++r) {
            for (std::size_t c = 0; c < cells[r].size() && static_cast<int>(c) < w; ++c) {
                table.set(static_cast<std::size_t>(r) * w + c + 1, cells[r][c]);
            }
        }
    }
    WorkbookRows view() const { return WorkbookRows{table, rows, width}; }
};

std::vector<int> Bytes(const std::string& bytes, std::size_t offset, int count)
{
    std::vector<int> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(static_cast<unsigned char>(bytes.at(offset + i)));
    }
    return out;
}

std::vector<std::vector<std::string>> HeaderRows()
{
    return {{W("ΚΛΗΡΩΣΕΙΣ")}, {}, {W("Κλήρωση"), W("Ημερομηνία")}, {"", ""}};
}

} // namespace

TEST(NumberGameMerge, LottoRowsFillSlotsFromTheBottomRow)
{
    auto cells = HeaderRows();
    for (int draw = 104; draw >= 1; --draw) {
        cells.push_back({std::to_string(draw), std::to_string(draw % 28 + 1) + "/" + std::to_string(draw % 12 + 1)
                                                   + "/2024",
                         "49", "7", std::to_string(draw % 40 + 8), "1", "48", "2"});
    }
    const Sheet sheet(cells, 12);
    const MergeResult merged = MergeNumberGame(NumberGameOf(1), "", sheet.view(), 2024, 2026);
    ASSERT_FALSE(merged.refused());
    ASSERT_EQ(merged.bytes.size(), 37u * 370 * 9);
    const std::size_t base = (2024 - 1990) * 370 * 9;
    for (int slot = 1; slot <= 104; ++slot) {
        const int middle = slot % 40 + 8;
        std::vector<int> numbers{49, 7, middle, 1, 48, 2};
        std::sort(numbers.begin(), numbers.end());
        std::vector<int> expected{slot % 28 + 1, slot % 12 + 1, 74};
        expected.insert(expected.end(), numbers.begin(), numbers.end());
        ASSERT_EQ(Bytes(merged.bytes, base + (slot - 1) * 9, 9), expected) << "slot " << slot;
    }
    EXPECT_EQ(merged.bytes[base + 104 * 9], '\0');
}

TEST(NumberGameMerge, JokerKeepsItsJokerSixthAndGoalReadsColumnsFourToEleven)
{
    const Sheet joker({{"2800", "02/1/2025", "40", "3", "22", "17", "9", "14"}}, 12);
    const MergeResult j = MergeNumberGame(NumberGameOf(3), "", joker.view(), 2025, 2026);
    EXPECT_EQ(Bytes(j.bytes, (2025 - 1997) * 370 * 9, 9), (std::vector<int>{2, 1, 75, 3, 9, 17, 22, 40, 14}));

    const Sheet goal({{"900", "30/12/2024", "x", "9", "8", "7", "6", "5", "4", "3", "2", "1"}}, 12);
    const MergeResult g = MergeNumberGame(NumberGameOf(2), "", goal.view(), 2024, 2026);
    EXPECT_EQ(Bytes(g.bytes, (2024 - 1996) * 370 * 11, 11),
              (std::vector<int>{30, 12, 74, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(NumberGameMerge, KeepsOtherYearsHigherSlotsAndNeverShortens)
{
    const Sheet first({{"2", "08/1/2020", "1", "2", "3", "4", "5", "6"}, {"1", "04/1/2020", "6", "5", "4", "3", "2", "1"}},
                      12);
    const MergeResult before = MergeNumberGame(NumberGameOf(1), "", first.view(), 2020, 2026);
    // Fewer draws than stored: slot 2 of 2020 keeps its draw; a 2021 update leaves 2020 alone.
    const Sheet fewer({{"1", "05/1/2020", "9", "8", "7", "10", "11", "12"}}, 12);
    const MergeResult after = MergeNumberGame(NumberGameOf(1), before.bytes, fewer.view(), 2020, 2026);
    const std::size_t base = (2020 - 1990) * 370 * 9;
    EXPECT_EQ(after.bytes.substr(base + 9, 9), before.bytes.substr(base + 9, 9));
    EXPECT_EQ(Bytes(after.bytes, base, 9), (std::vector<int>{5, 1, 70, 7, 8, 9, 10, 11, 12}));
    // A clock set back to 2019 must not cut 2020 off.
    const MergeResult setBack = MergeNumberGame(NumberGameOf(1), after.bytes, Sheet({}, 12).view(), 2018, 2019);
    EXPECT_EQ(setBack.bytes, after.bytes);
}

TEST(NumberGameMerge, OutOfFormatWorkbooksAreRefused)
{
    std::vector<std::vector<std::string>> tooMany;
    for (int d = 371; d >= 1; --d) {
        tooMany.push_back({std::to_string(d), "01/1/2024", "1", "2", "3", "4", "5", "6"});
    }
    struct Case { const char* name; std::vector<std::vector<std::string>> rows; };
    const std::vector<Case> cases{
        {"371 draw rows", tooMany},
        {"number above 255", {{"5", "01/1/2024", "1", "2", "256", "4", "5", "6"}}},
        {"negative number", {{"5", "01/1/2024", "1", "-2", "3", "4", "5", "6"}}},
        {"no date", {{"5", "", "1", "2", "3", "4", "5", "6"}}},
        {"day zero", {{"5", "0/1/2024", "1", "2", "3", "4", "5", "6"}}},
        {"year before 1950", {{"5", "01/1/1949", "1", "2", "3", "4", "5", "6"}}},
        {"year after 2205", {{"5", "01/1/2206", "1", "2", "3", "4", "5", "6"}}},
    };
    for (const Case& c : cases) {
        const Sheet sheet(c.rows, 12);
        const MergeResult merged = MergeNumberGame(NumberGameOf(1), "old", sheet.view(), 2024, 2026);
        EXPECT_TRUE(merged.refused()) << c.name;
        EXPECT_TRUE(merged.bytes.empty()) << c.name;
    }
}

TEST(ProtoExtraMerge, ProtoDigitsKeepTheirOrderInTheYearBlock)
{
    const Sheet sheet({{"", W("Ημ/νία")}, {"9", "07/3/2024", "0", "4", "4", "1", "9", "0", "7"}}, 10);
    const MergeResult merged = MergeProto("", sheet.view(), 2024, 2026);
    ASSERT_EQ(merged.bytes.size(), (2026u - 1991) * 2000);
    EXPECT_EQ(Bytes(merged.bytes, (2024 - 1992) * 2000, 10), (std::vector<int>{7, 3, 74, 0, 4, 4, 1, 9, 0, 7}));

    std::vector<std::vector<std::string>> tooMany(201, {"1", "07/3/2024", "1", "2", "3", "4", "5", "6", "7"});
    EXPECT_TRUE(MergeProto("", Sheet(tooMany, 10).view(), 2024, 2026).refused());
}

TEST(ProtoExtraMerge, ExtraDrawsTakeTheSlotOfTheirNumber)
{
    const std::string stored(8000 * 8, '\x05');
    std::vector<std::vector<std::string>> rows;
    for (int draw = 9300; draw >= 9001; --draw) {
        rows.push_back({std::to_string(draw), "03/2/2025", "9", "30", "10", "20", "5", "1"});
    }
    const MergeResult merged = MergeExtra(stored, Sheet(rows, 10).view());
    ASSERT_EQ(merged.bytes.size(), 9300u * 8);
    EXPECT_EQ(merged.bytes.substr(0, stored.size()), stored);
    EXPECT_EQ(merged.bytes.substr(8000 * 8, 1000 * 8), std::string(1000 * 8, '\0'));
    EXPECT_EQ(Bytes(merged.bytes, 9299 * 8, 8), (std::vector<int>{3, 2, 75, 1, 5, 10, 20, 30}));
    // An earlier year afterwards does not shrink the file.
    const Sheet earlier({{"100", "03/2/2019", "9", "1", "2", "3", "4", "5"}}, 10);
    EXPECT_EQ(MergeExtra(merged.bytes, earlier.view()).bytes.size(), 9300u * 8);
    // More than 12,375 slots past the stored ones is refused.
    EXPECT_FALSE(MergeExtra(stored, Sheet({{"20375", "03/2/2025", "9", "1", "2", "3", "4", "5"}}, 10).view()).refused());
    EXPECT_TRUE(MergeExtra(stored, Sheet({{"20376", "03/2/2025", "9", "1", "2", "3", "4", "5"}}, 10).view()).refused());
}

TEST(KinoMonth, ThirtyThreeHundredDrawsFromTheBottomRow)
{
    std::vector<std::vector<std::string>> rows{{W("Κλήρωση")}};
    for (int i = 3299; i >= 0; --i) {
        std::vector<std::string> row{std::to_string(900000 + i), "03/05/2024", "0.375"};
        for (int n = 80; n > 60; --n) {
            row.push_back(std::to_string(n));
        }
        rows.push_back(row);
    }
    const MergeResult month = BuildKinoMonth(Sheet(rows, 23).view(), "03");
    ASSERT_EQ(month.bytes.size(), 3301u * 23);
    EXPECT_EQ(KinoFirstDraw(month.bytes), 900000);
    EXPECT_EQ(Bytes(month.bytes, 23, 23),
              (std::vector<int>{61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 5, 9, 0}));
}

TEST(KinoMonth, TimesAndDays)
{
    struct Case { const char* text; int hour; int minute; };
    for (const Case& c : std::vector<Case>{{"0.375", 9, 0}, {"0.378472222222222", 9, 5}, {"09:05", 9, 5},
                                           {"45292.5", 12, 0}, {"0.99999", 23, 59}, {"0.999999", 0, 0}}) {
        int hour = -1;
        int minute = -1;
        ASSERT_TRUE(KinoTime(c.text, hour, minute)) << c.text;
        EXPECT_EQ(hour, c.hour) << c.text;
        EXPECT_EQ(minute, c.minute) << c.text;
    }
    int hour = 0;
    int minute = 0;
    EXPECT_FALSE(KinoTime("9", hour, minute));
    EXPECT_EQ(KinoDay("03/05/2024", "03"), 5);
    EXPECT_EQ(KinoDay("05/03/2024", "03"), 5);
    EXPECT_EQ(KinoDay("02/1/2025", "01"), 2);
    std::vector<std::string> row{"7", "03/05/2024", "9"};
    row.resize(23, "1");
    EXPECT_TRUE(BuildKinoMonth(Sheet({row}, 23).view(), "05").refused());
    // No data rows: the header alone, draw number 0.
    EXPECT_EQ(BuildKinoMonth(Sheet({{"x"}}, 23).view(), "05").bytes, std::string(23, '\0'));
}

TEST(UpdateLists, YearsAndKinoPeriods)
{
    const std::vector<std::string> years = YearListItems(2026);
    ASSERT_EQ(years.size(), 10u);
    EXPECT_EQ(years[0], W("  ΕΤΟΣ 2017  "));
    EXPECT_EQ(years[3], W("  ΕΤΟΣ 2020  "));
    const std::vector<std::string> periods = KinoPeriodItems(2026, 3);
    ASSERT_EQ(periods.size(), 2u + (2026 - 2004) * 12 + 3);
    EXPECT_EQ(periods.front(), " 2003 - 11 ");
    EXPECT_EQ(periods[2], " 2004 - 01 ");
    EXPECT_EQ(periods.back(), " 2026 - 03 ");
    EXPECT_EQ(KinoMonthFileName(2024, 3), "DATA/kino_2024_03.qav");
}
