// Find-all in the stored market day files (command 5): rows, their order and their widths.
#include "commands/Commands.h"
#include "commands/FindInFiles.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// A stored stock line: symbol, day, close, "-", volume, high, low, value, "-", opening, "-".
std::string StockLine(const std::string& symbol, const std::string& close)
{
    return symbol + "  05/12/2024  " + close + "  -  1000  1.25  1.10  1200  -  1.15  -";
}

void Store(const test::TempFolder& folder, const std::string& name, const std::vector<std::string>& lines)
{
    CreateFolder(folder.file("Data-STOCK"));
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    WriteBytes(folder.file("Data-STOCK/" + name), text);
}

CellGrid StockGrid()
{
    CellGrid grid(9, 5);
    grid.setCell(1, 0, W("ΜΕΤΑΒΟΛΗ%"));
    return grid;
}

} // namespace

TEST(FindInFiles, StockRowsComeInDateOrderPastAnEmptyDay)
{
    test::TempFolder folder;
    Store(folder, "20241206.txt", {"HEADER", StockLine("ALPHA", "2.00"), StockLine("BETA", "3.00")});
    Store(folder, "20241205.txt", {"HEADER", StockLine("alphabet", "1.50")});
    Store(folder, "20241204.txt", {});
    Store(folder, "20241203.txt", {"HEADER", StockLine("ALPHA", "1.00")});
    CellGrid grid = StockGrid();
    EXPECT_EQ(FindAllInStockFiles(folder.path(), "ALPHA", grid), 3);
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(1, 1) + "|" + grid.cell(0, 2) + "|" + grid.cell(1, 3), "2024-12-03|alphabet|2024-12-06");
    EXPECT_EQ(grid.cell(2, 3) + "|" + grid.cell(3, 3) + "|" + grid.cell(6, 3) + "|" + grid.cell(7, 3) + "|"
                  + grid.cell(8, 3),
              "    2.00|     1000|        1200|    -|    1.15");
}

TEST(FindInFiles, NoMatchLeavesAnEmptyListAndNoFileLeavesTheGrid)
{
    test::TempFolder folder;
    CellGrid grid = StockGrid();
    EXPECT_EQ(FindAllInStockFiles(folder.path(), "ALPHA", grid), -1);
    EXPECT_EQ(grid.rowCount(), 5);
    Store(folder, "20241203.txt", {StockLine("ALPHA", "1.00")});
    EXPECT_EQ(FindAllInStockFiles(folder.path(), "GAMMA", grid), 0);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(FindAllInStockFiles(folder.path(), "", grid), 0); // an empty text matches nothing
}

TEST(FindInFiles, FundRowsCarryTheDayAndTheColumns)
{
    test::TempFolder folder;
    const std::string fund =
        std::string("    1.234.567,89") + "      100.000,00" + "   12,3456" + " -12,45" + "a Alpha";
    Store(folder, "A20241205.amb", {std::string(49, ' ') + "a  " + W("Μετοχικά"), fund, "short alpha"});
    CellGrid grid(5, 3);
    EXPECT_EQ(FindAllInFundFiles(folder.path(), "ALPHA", grid), 2);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(0, 1) + "|" + grid.cell(1, 1) + "|" + grid.cell(2, 1) + "|" + grid.cell(3, 1) + "|"
                  + grid.cell(4, 1),
              "2024-12-05 a Alpha|    1.234.567,89|      100.000,00|   12,3456|    -12,4");
    EXPECT_EQ(grid.cell(0, 2), "2024-12-05 "); // a line shorter than 50 characters
}

TEST(FindInFiles, EachFileTakesPartWithItsFirst999Lines)
{
    test::TempFolder folder;
    std::vector<std::string> lines(1200, "filler");
    lines[998] = StockLine("LAST", "1");
    lines[999] = StockLine("LATE", "1");
    Store(folder, "20241203.txt", lines);
    CellGrid grid = StockGrid();
    EXPECT_EQ(FindAllInStockFiles(folder.path(), "LA", grid), 1);
    EXPECT_EQ(grid.cell(0, 1), "LAST");
}

TEST(FindInFiles, CommandFiveAsksAndFillsTheSideGrid)
{
    test::TempFolder folder;
    Store(folder, "20241203.txt", {StockLine("ALPHA", "1.00")});
    ProgramState state;
    state.GameCode = GameCode::Stock;
    CellGrid sg(2, 2);
    CellGrid sg1 = StockGrid();
    ScriptedUserInterface ui;
    ui.inputAnswers.push_back("  alpha ");
    CommandContext context{state, sg, sg1, ui, folder.path(), {}};
    EXPECT_EQ(RunCommand(5, context), &sg1);
    EXPECT_EQ(state.SearchText + "|" + sg1.cell(0, 1), "ALPHA|ALPHA");
    EXPECT_EQ(sg1.rowCount(), 2);
    EXPECT_EQ(ui.status, ""); // the wait notice is cleared
}
