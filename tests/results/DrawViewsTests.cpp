// The six draw-results views: exact cell texts, running numbers, the export start row and the
// frames of empty histories, from hand-built files.
#include "results/DrawViews.h"
#include "results/ResultsTestFiles.h"

#include <algorithm>
#include <filesystem>

using namespace karvo;
using namespace karvo::test;

namespace {

std::string Row(const DrawView& view, int row) { return U(view.grid.cell(0, row)) + "|" + U(view.grid.cell(1, row)); }

// Every row after the headers, then the current row and the export start row.
std::string Shown(const DrawView& view)
{
    std::string text;
    for (int r = 1; r < view.grid.rowCount(); ++r) {
        text += Row(view, r) + "\n";
    }
    return text + "current " + std::to_string(view.grid.currentRow()) + ", first " + std::to_string(view.FirstYearRow);
}

// The view of the file name: a PROPO or slot file, the KINO month file of May 2024, or "" for no month.
DrawView Build(const std::string& name, const std::string& folder, int firstYear = 2015)
{
    const std::string games[] = { "Propok.krv", "Propos.krv", "Propot.krv", "LOTTO.krv", "GOAL.krv", "JOKER.krv" };
    const int i = static_cast<int>(std::find(std::begin(games), std::end(games), name) - std::begin(games));
    return i < 3            ? BuildPropoView(folder, i + 1, firstYear)
        : i < 6             ? BuildLottoView(folder, i - 2, firstYear)
        : name == "Proto.krv"  ? BuildProtoView(folder, firstYear)
        : name == "Extra.krv"  ? BuildExtraView(folder, firstYear)
        : name == "Super3.krv" ? BuildSuper3View(folder, firstYear)
                               : BuildKinoView(folder, name.empty() ? "" : "DATA/kino_2024_05.qav");
}

} // namespace

TEST(DrawViews, EmptyHistoriesShowTheirFrameAndOneEmptyRow)
{
    TempFolder folder;
    const struct { const char* name; const char* frame; int column0; const char* headers; } views[] = {
        { "Propok.krv", "ΠΡΟΠΟ ΚΥΡΙΑΚΗ Propok 300", 105, "  No ΕΤΟΣ|      Νικήτριες" },
        { "Propos.krv", "ΠΡΟΠΟ ΣΑΒΒΑΤΟ Propos 300", 105, "  No ΕΤΟΣ|      Νικήτριες" },
        { "Propot.krv", "ΠΡΟΠΟ ΤΕΤΑΡΤΗ Propot 300", 105, "  No ΕΤΟΣ|      Νικήτριες" },
        { "LOTTO.krv", "LOTTO LOTTO 365", 130, "  No Ημερομηνία|        Νικήτριες" },
        { "GOAL.krv", "GOAL GOAL 370", 130, "  No Ημερομηνία|        Νικήτριες" },
        { "JOKER.krv", "JOKER JOKER 365", 130, "  No Ημερομηνία|        Νικήτριες" },
        { "Proto.krv", "PROTO PROTO 300", 127, "  No Ημερομηνία|    Νικήτριες" },
        { "Extra.krv", "EXTRA EXTRA 310", 140, "  No  Ημερομηνία|    Νικήτριες" },
        { "Super3.krv", "SUPER3 SUPER3 300", 139, "   No Ημερομηνία|   Νικήτριες" },
        { "", "K I N O KINO 654", 135, "   No   Μερα-Ωρα|        Νικήτριες" },
        { "Data/kino_2024_05.qav", "K I N O KINO 654", 135, "   No   Μερα-Ωρα|   2024_05     Νικήτριες" },
    };
    for (const auto& v : views) {
        const DrawView view = Build(v.name, folder.path());
        EXPECT_EQ(U(view.title) + " " + view.ExportBaseName + " " + std::to_string(view.widthAdded), v.frame);
        EXPECT_EQ(view.grid.columnWidths(), (std::vector<int> { v.column0, 999 })) << v.name;
        EXPECT_EQ(Row(view, 0) + "\n" + Shown(view), v.headers + std::string("\n|\ncurrent 1, first 0"));
        EXPECT_EQ(view.clearsStatus, v.frame[0] == 'K') << v.name; // only KINO clears the status notice
    }
}

TEST(DrawViews, RowsOfEachGame)
{
    // PROPO: slots 1, 60 and 61, no draw of 2013, two-digit running numbers.
    std::vector<std::uint16_t> values(PropoIndex(2033, 60) * 2 + 1, 0x3FFF);
    const struct { int year, draw; std::uint16_t first, second; } filled[] = { { 1959, 1, 0, 0 }, { 1959, 60, 0, 0 },
        { 1960, 1, 0, 0 }, { 2010, 1, 0, 0 }, { 2010, 2, 0, 0 }, { 2014, 1, 0, 0 }, { 2014, 2, 0, 0 },
        { 2014, 3, 0, 0 }, { 2015, 2, 8545, 0x3FFD }, { 2016, 1, 0, 0 }, { 2016, 2, 0x3FFE, 0x3FFF }, { 2024, 7, 0, 0 } };
    for (const auto& s : filled) {
        values[2 * PropoIndex(s.year, s.draw) - 1] = s.first;
        values[2 * PropoIndex(s.year, s.draw)] = s.second;
    }
    const std::string propo = PropoBytes(values), x = "| XXX XXXX XXX XXXX \n";
    const std::string propoRows = "   1 1959-1" + x + "   2 1959-60" + x + "   3 1960-1" + x + "   4 2010-1" + x
        + "   5 2010-2" + x + "   6 2014-1" + x + "   7 2014-2" + x + "   8 2014-3" + x
        + "   9 2015-2| 1X2 11X2 1        \n  10 2016-1" + x + "  11 2016-2| 2                 \n  12 2024-7" + x;
    // Slot files: running numbers skip empty slots, EXTRA numbers rows by slot; a tail is no slot.
    const std::string lotto = Slot(5, 1, 2017, { 1, 2, 3, 4, 5, 6 }) + std::string(9, '\0')
        + Slot(12, 3, 2021, { 7, 11, 18, 20, 27, 45 }) + std::string(18, '\0') + "tail";
    const std::string lottoRows = "   1 05-01-2017|    01 02 03 04 05 06\n   2 12-03-2021|    07 11 18 20 27 45\n";
    const std::string extra = std::string(8 * 9407, '\0') + Slot(1, 1, 2001, { 1, 1, 1, 1, 1 });
    // KINO: draw numbers count on from the header; a long one is overwritten by the time.
    const std::vector<int> low = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 80 };
    const std::string lowRow = "|01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 80\n";
    const std::string kino = KinoHeaderBytes(1000) + KinoRecord(low, 5, 9, 5) + KinoRecord({}, 5, 9, 10)
        + KinoRecord(low, 31, 23, 59) + KinoRecord({}, 31, 23, 59);
    const struct { const char* name; int firstYear; std::string bytes, shown; } cases[] = {
        { "Propok.krv", 2015, propo, propoRows + "current 12, first 10" },
        { "Propos.krv", 2013, propo, propoRows + "current 12, first 7" },
        { "Propot.krv", 2025, propo, propoRows + "current 12, first 0" },
        { "LOTTO.krv", 2015, Masked(lotto), lottoRows + "current 2, first 2" },
        { "JOKER.krv", 2015, Masked(Slot(1, 2, 2000, { 1, 2, 3, 4, 5, 6 }) + "12345678"), "   1 01-02-2000|    01 02 03 04 05 06\ncurrent 1, first 0" },
        { "GOAL.krv", 2015, Masked(Slot(31, 12, 1999, { 1, 2, 3, 4, 5, 6, 7, 8 })),
            "   1 31-12-1999| 01 02 03 04 05 06 07 08\ncurrent 1, first 0" },
        { "Proto.krv", 2015,
            Masked(std::string(10, '\0') + Slot(5, 1, 2014, { 1, 2, 3, 4, 5, 6, 0 }) + Slot(6, 1, 2016, { 9, 9, 9, 9, 9, 9, 9 })),
            "0001 05-01-2014|  1 2 3 4 5 6 0\n0002 06-01-2016|  9 9 9 9 9 9 9\ncurrent 2, first 3" },
        { "Extra.krv", 2015,
            Masked(Slot(5, 1, 2019, { 1, 2, 3, 4, 5 }) + std::string(8, '\0') + Slot(6, 1, 2019, { 10, 20, 30, 40, 50 })),
            "    1 05-01-2019| 01 02 03 04 05\n    3 06-01-2019| 10 20 30 40 50\ncurrent 2, first 2" },
        // Slot 9408, 20 January 2020, always shows its fixed draw, when the file reaches it.
        { "Extra.krv", 2015, Masked(extra), " 9408 20-01-2020| 07 11 18 20 27\ncurrent 1, first 2" },
        { "Extra.krv", 2015, Masked(extra.substr(0, 8 * 9407)), "|\ncurrent 1, first 0" },
        { "Data/kino_2024_05.qav", 1, kino,
            "1000    5 9:5   " + lowRow + "1001    5 9:10  |\n1002    31 23:59" + lowRow + "current 3, first 1" },
        { "Data/kino_2024_05.qav", 1, KinoHeaderBytes(123456789) + KinoRecord(low, 5, 9, 5),
            "123456785 9:5   " + lowRow + "current 1, first 1" },
        { "Data/kino_2024_05.qav", 1, KinoHeaderBytes(0), "|\ncurrent 1, first 0" },
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::filesystem::create_directory(folder.file("Data"));
        WriteBytes(folder.file(c.name), c.bytes);
        EXPECT_EQ(Shown(Build(c.name, folder.path(), c.firstYear)), c.shown) << c.name << " " << c.firstYear;
    }
}

TEST(Super3View, DatesFollowTheDrawNumberInThreeRegimes)
{
    TempFolder folder;
    std::string text(3 * 9237, '4'); // 9237 draws, the first one 409
    text.replace(1, 2, "09");
    WriteBytes(folder.file("Super3.krv"), text);
    const DrawView view = Build("Super3.krv", folder.path(), 2003);
    EXPECT_EQ(Row(view, 1), "    1 25-11-2002|    4  0  9  ");
    for (const char* cell : { "   74 31-12-2002", "   75 01-01-2003", "  266 06-04-2003", "  267 07-04-2003",
             " 9236 13-06-2011", " 9237 14-06-2011" }) {
        EXPECT_EQ(U(view.grid.cell(0, std::stoi(cell))), cell);
    }
    EXPECT_EQ(std::vector<int>({ view.grid.rowCount(), view.grid.currentRow(), view.FirstYearRow }),
        std::vector<int>({ 9238, 9237, 76 }));
}
