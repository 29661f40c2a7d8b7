// The six draw-results views: exact cell texts, running numbers, the export start row and the
// frames of empty histories, from hand-built files.
#include "results/DrawViews.h"
#include "results/ResultsTestFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <functional>

using namespace karvo;
using namespace karvo::test;

namespace {

std::string Row(const DrawView& view, int row)
{
    return U(view.grid.cell(0, row)) + "|" + U(view.grid.cell(1, row));
}

int PropoSlotOf(int year, int draw)
{
    return (year - 1959) * 60 + draw;
}

// PROPO values with the given slots filled (first value, second value).
std::string PropoHistory(const std::vector<std::tuple<int, int, std::uint16_t, std::uint16_t>>& filled)
{
    std::vector<std::uint16_t> values(PropoSlotOf(2033, 60) * 2 + 1, 0x3FFF);
    for (const auto& [year, draw, first, second] : filled) {
        values[2 * PropoSlotOf(year, draw) - 1] = first;
        values[2 * PropoSlotOf(year, draw)] = second;
    }
    return PropoBytes(values);
}

} // namespace

TEST(DrawViews, EmptyHistoriesShowTheirFrameAndOneEmptyRow)
{
    TempFolder folder;
    const std::string f = folder.path();
    const struct {
        std::function<DrawView()> build;
        const char* title; const char* base; int width; int column0;
        const char* header0; const char* header1;
    } views[] = {
        {[&] { return BuildPropoView(f, 1, 2015); }, "ΠΡΟΠΟ ΚΥΡΙΑΚΗ", "Propok", 300, 105, "  No ΕΤΟΣ", "      Νικήτριες"},
        {[&] { return BuildPropoView(f, 2, 2015); }, "ΠΡΟΠΟ ΣΑΒΒΑΤΟ", "Propos", 300, 105, "  No ΕΤΟΣ", "      Νικήτριες"},
        {[&] { return BuildPropoView(f, 3, 2015); }, "ΠΡΟΠΟ ΤΕΤΑΡΤΗ", "Propot", 300, 105, "  No ΕΤΟΣ", "      Νικήτριες"},
        {[&] { return BuildLottoView(f, 1, 2015); }, "LOTTO", "LOTTO", 365, 130, "  No Ημερομηνία", "        Νικήτριες"},
        {[&] { return BuildLottoView(f, 2, 2015); }, "GOAL", "GOAL", 370, 130, "  No Ημερομηνία", "        Νικήτριες"},
        {[&] { return BuildLottoView(f, 3, 2015); }, "JOKER", "JOKER", 365, 130, "  No Ημερομηνία", "        Νικήτριες"},
        {[&] { return BuildProtoView(f, 2015); }, "PROTO", "PROTO", 300, 127, "  No Ημερομηνία", "    Νικήτριες"},
        {[&] { return BuildExtraView(f, 2015); }, "EXTRA", "EXTRA", 310, 140, "  No  Ημερομηνία", "    Νικήτριες"},
        {[&] { return BuildSuper3View(f, 2015); }, "SUPER3", "SUPER3", 300, 139, "   No Ημερομηνία", "   Νικήτριες"},
        {[&] { return BuildKinoView(f, ""); }, "K I N O", "KINO", 654, 135, "   No   Μερα-Ωρα", "        Νικήτριες"},
    };
    for (const auto& v : views) {
        const DrawView view = v.build();
        SCOPED_TRACE(v.title);
        EXPECT_EQ(U(view.title), v.title);
        EXPECT_EQ(view.ExportBaseName, v.base);
        EXPECT_EQ(view.widthAdded, v.width);
        EXPECT_EQ(view.grid.columnWidths(), (std::vector<int>{v.column0, 999}));
        EXPECT_EQ(Row(view, 0), std::string(v.header0) + "|" + v.header1);
        EXPECT_EQ(view.grid.rowCount(), 2);
        EXPECT_EQ(view.grid.columnCount(), 2);
        EXPECT_EQ(Row(view, 1), "|");
        EXPECT_EQ(view.grid.currentRow(), 1);
        EXPECT_EQ(view.FirstYearRow, 0);
    }
}

TEST(PropoView, RowsNumberedWithYearAndDraw)
{
    TempFolder folder;
    std::vector<std::tuple<int, int, std::uint16_t, std::uint16_t>> filled;
    for (int w = 1; w <= 5; ++w) {
        filled.emplace_back(2010, w, 0, 0);
    }
    for (int w = 1; w <= 3; ++w) {
        filled.emplace_back(2014, w, 0, 0);
    }
    filled.emplace_back(2015, 2, 8545, 0x3FFD);
    filled.emplace_back(2016, 1, 0, 0);
    filled.emplace_back(2016, 2, 0x3FFE, 0x3FFF);  // one sign and thirteen blanks
    filled.emplace_back(2024, 7, 0, 0);
    WriteBytes(folder.file("Propos.krv"), PropoHistory(filled));

    const DrawView view = BuildPropoView(folder.path(), 2, 2015);
    EXPECT_EQ(Row(view, 1), "   1 2010-1| XXX XXXX XXX XXXX ");
    EXPECT_EQ(Row(view, 9), "   9 2015-2| 1X2 11X2 1        ");
    EXPECT_EQ(Row(view, 11), "  11 2016-2| 2                 ");
    EXPECT_EQ(Row(view, 12), "  12 2024-7| XXX XXXX XXX XXXX ");
    EXPECT_EQ(view.grid.rowCount(), 13);
    EXPECT_EQ(view.grid.currentRow(), 12);
    EXPECT_EQ(view.FirstYearRow, 10);
    // No draw of 2013: the export starts with the first later one.
    EXPECT_EQ(BuildPropoView(folder.path(), 2, 2013).FirstYearRow, 7);
    EXPECT_EQ(BuildPropoView(folder.path(), 2, 2025).FirstYearRow, 0);
}

TEST(PropoView, SlotsOneSixtyAndSixtyOne)
{
    TempFolder folder;
    WriteBytes(folder.file("Propok.krv"), PropoHistory({{1959, 1, 0, 0}, {1959, 60, 0, 0}, {1960, 1, 0, 0}}));
    const DrawView view = BuildPropoView(folder.path(), 1, 2015);
    EXPECT_EQ(U(view.grid.cell(0, 1)), "   1 1959-1");
    EXPECT_EQ(U(view.grid.cell(0, 2)), "   2 1959-60");
    EXPECT_EQ(U(view.grid.cell(0, 3)), "   3 1960-1");
    EXPECT_EQ(view.grid.rowCount(), 4);
}

TEST(LottoView, RunningNumbersSkipEmptySlotsAndTheTailIsCut)
{
    TempFolder folder;
    const std::string history = Slot(5, 1, 2017, {1, 2, 3, 4, 5, 6}) + EmptySlot(9)
        + Slot(12, 3, 2021, {7, 11, 18, 20, 27, 45}) + EmptySlot(9) + EmptySlot(9) + "tail";
    WriteBytes(folder.file("LOTTO.krv"), Masked(history));
    const DrawView view = BuildLottoView(folder.path(), 1, 2015);
    EXPECT_EQ(Row(view, 1), "   1 05-01-2017|    01 02 03 04 05 06");
    EXPECT_EQ(Row(view, 2), "   2 12-03-2021|    07 11 18 20 27 45");
    EXPECT_EQ(view.grid.rowCount(), 3);
    EXPECT_EQ(view.grid.currentRow(), 2);
    // A history that starts after FirstYear exports from its first row.
    EXPECT_EQ(view.FirstYearRow, 2);
    EXPECT_EQ(BuildLottoView(folder.path(), 1, 2018).FirstYearRow, 3);
}

TEST(LottoView, SlotCountFollowsFileSize)
{
    TempFolder folder;
    const std::string two = Slot(1, 2, 2000, {1, 2, 3, 4, 5, 6}) + Slot(2, 2, 2000, {1, 2, 3, 4, 5, 6});
    WriteBytes(folder.file("JOKER.krv"), Masked(two.substr(0, 17)));
    EXPECT_EQ(BuildLottoView(folder.path(), 3, 2015).grid.rowCount(), 2);
    EXPECT_EQ(U(BuildLottoView(folder.path(), 3, 2015).grid.cell(0, 1)), "   1 01-02-2000");
    WriteBytes(folder.file("JOKER.krv"), Masked(two));
    EXPECT_EQ(BuildLottoView(folder.path(), 3, 2015).grid.rowCount(), 3);
}

TEST(LottoView, GoalShowsEightNumbersAfterOneBlank)
{
    TempFolder folder;
    WriteBytes(folder.file("GOAL.krv"), Masked(Slot(31, 12, 1999, {1, 2, 3, 4, 5, 6, 7, 8})));
    EXPECT_EQ(Row(BuildLottoView(folder.path(), 2, 2015), 1), "   1 31-12-1999| 01 02 03 04 05 06 07 08");
}

TEST(ProtoView, ZeroPaddedRunningNumberAndSingleDigits)
{
    TempFolder folder;
    WriteBytes(folder.file("Proto.krv"),
               Masked(EmptySlot(10) + Slot(5, 1, 2014, {1, 2, 3, 4, 5, 6, 0}) + Slot(6, 1, 2016, {9, 9, 9, 9, 9, 9, 9})));
    const DrawView view = BuildProtoView(folder.path(), 2015);
    EXPECT_EQ(Row(view, 1), "0001 05-01-2014|  1 2 3 4 5 6 0");
    EXPECT_EQ(Row(view, 2), "0002 06-01-2016|  9 9 9 9 9 9 9");
    EXPECT_EQ(view.FirstYearRow, 3);
}

TEST(ExtraView, NumberedBySlotWithGaps)
{
    TempFolder folder;
    WriteBytes(folder.file("Extra.krv"),
               Masked(Slot(5, 1, 2019, {1, 2, 3, 4, 5}) + EmptySlot(8) + Slot(6, 1, 2019, {10, 20, 30, 40, 50})));
    const DrawView view = BuildExtraView(folder.path(), 2015);
    EXPECT_EQ(Row(view, 1), "    1 05-01-2019| 01 02 03 04 05");
    EXPECT_EQ(Row(view, 2), "    3 06-01-2019| 10 20 30 40 50");
    EXPECT_EQ(view.FirstYearRow, 2);
}

TEST(ExtraView, SlotOf20January2020IsAlwaysTheFixedDraw)
{
    TempFolder folder;
    std::string history;
    for (int r = 1; r <= 9408; ++r) {
        history += r == 9408 ? Slot(1, 1, 2001, {1, 1, 1, 1, 1}) : EmptySlot(8);
    }
    WriteBytes(folder.file("Extra.krv"), Masked(history));
    DrawView view = BuildExtraView(folder.path(), 2015);
    EXPECT_EQ(Row(view, 1), " 9408 20-01-2020| 07 11 18 20 27");
    EXPECT_EQ(view.grid.rowCount(), 2);
    // A file that ends before that slot does not show it.
    WriteBytes(folder.file("Extra.krv"), Masked(history.substr(0, 8 * 9407)));
    view = BuildExtraView(folder.path(), 2015);
    EXPECT_EQ(Row(view, 1), "|");
    EXPECT_EQ(view.FirstYearRow, 0);
}

TEST(Super3View, DatesFollowTheDrawNumberInThreeRegimes)
{
    TempFolder folder;
    std::string text;
    for (int n = 1; n <= 9237; ++n) {
        text += "409";
    }
    WriteBytes(folder.file("Super3.krv"), text);
    const DrawView view = BuildSuper3View(folder.path(), 2003);
    EXPECT_EQ(Row(view, 1), "    1 25-11-2002|    4  0  9  ");
    EXPECT_EQ(U(view.grid.cell(0, 74)), "   74 31-12-2002");
    EXPECT_EQ(U(view.grid.cell(0, 75)), "   75 01-01-2003");
    EXPECT_EQ(U(view.grid.cell(0, 266)), "  266 06-04-2003");
    EXPECT_EQ(U(view.grid.cell(0, 267)), "  267 07-04-2003");
    EXPECT_EQ(U(view.grid.cell(0, 9236)), " 9236 13-06-2011");
    EXPECT_EQ(U(view.grid.cell(0, 9237)), " 9237 14-06-2011");
    EXPECT_EQ(view.grid.rowCount(), 9238);
    EXPECT_EQ(view.grid.currentRow(), 9237);
    EXPECT_EQ(view.FirstYearRow, 76);
}

TEST(KinoView, DrawNumbersFromTheHeaderAndFixedWidthFields)
{
    TempFolder folder;
    QDir(QString::fromStdString(folder.path())).mkdir("Data");
    std::vector<int> low, high;
    for (int k = 1; k <= 20; ++k) {
        low.push_back(k);
        high.push_back(60 + k);
    }
    WriteBytes(folder.file("Data/kino_2024_05.qav"), KinoHeaderBytes(1000) + KinoRecord(low, 5, 9, 5)
                   + KinoRecord({}, 5, 9, 10) + KinoRecord(high, 31, 23, 59) + KinoRecord({}, 31, 23, 59));
    const DrawView view = BuildKinoView(folder.path(), "DATA/kino_2024_05.qav");
    EXPECT_EQ(Row(view, 0), "   No   Μερα-Ωρα|   2024_05     Νικήτριες");
    EXPECT_EQ(Row(view, 1), "1000    5 9:5   |01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20");
    EXPECT_EQ(Row(view, 2), "1001    5 9:10  |");
    EXPECT_EQ(Row(view, 3), "1002    31 23:59|61 62 63 64 65 66 67 68 69 70 71 72 73 74 75 76 77 78 79 80");
    EXPECT_EQ(view.grid.rowCount(), 4);
    EXPECT_EQ(view.grid.currentRow(), 3);
    EXPECT_EQ(view.FirstYearRow, 1);
    EXPECT_TRUE(view.clearsStatus);
}

TEST(KinoView, LongDrawNumberIsOverwrittenByTheTime)
{
    TempFolder folder;
    WriteBytes(folder.file("k.qav"), KinoHeaderBytes(123456789) + KinoRecord({1}, 5, 9, 5));
    EXPECT_EQ(U(BuildKinoView(folder.path(), "k.qav").grid.cell(0, 1)), "123456785 9:5   ");
}

TEST(KinoView, HeaderOnlyShowsNoDraw)
{
    TempFolder folder;
    WriteBytes(folder.file("kino.qav"), KinoHeaderBytes(0));
    const DrawView view = BuildKinoView(folder.path(), "kino.qav");
    EXPECT_EQ(view.grid.rowCount(), 2);
    EXPECT_EQ(Row(view, 1), "|");
    EXPECT_EQ(view.FirstYearRow, 0);
}

TEST(ScrollToLastDraw, SelectsTheLastFilledRowAndCutsAfterIt)
{
    CellGrid grid(2, 6);
    grid.setCell(1, 2, "x");
    grid.setCell(1, 3, "y");
    grid.setCell(0, 5, "no numbers");
    ScrollToLastDraw(grid);
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_EQ(grid.rowCount(), 4);
    CellGrid empty(2, 3);
    ScrollToLastDraw(empty);
    EXPECT_EQ(empty.currentRow(), 1);
    EXPECT_EQ(empty.rowCount(), 2);
}
