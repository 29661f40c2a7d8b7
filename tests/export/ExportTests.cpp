// The spreadsheet export: exact bytes, write protection and write failure.
#include "export/SpreadsheetExport.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestSupport.h"
#include "util/KarvoError.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace karvo;
using karvo::test::ReadBytes;
using karvo::test::W;
using karvo::test::WriteBytes;

namespace {

// A LOTTO-like list: the header row and `rows` draws, one per week from 2004.
CellGrid lottoGrid(int rows)
{
    CellGrid grid(2, rows + 1);
    grid.setCell(0, 0, W("  No Ημερομηνία"));
    grid.setCell(1, 0, W("        Νικήτριες"));
    for (int r = 1; r <= rows; ++r) {
        grid.setCell(0, r, "  " + std::to_string(r) + " 01-01-" + std::to_string(2004 + r / 52));
        grid.setCell(1, r, "    03 07 12 25 33 " + std::to_string(r % 50));
    }
    return grid;
}

} // namespace

TEST(SpreadsheetExport, HeaderCellsOnlyWhenStartingBelowTheFirstRow)
{
    CellGrid grid = lottoGrid(130);
    std::string expected = W("  No Ημερομηνία\t        Νικήτριες\r\n");
    for (int r = 119; r <= 130; ++r) {
        expected += grid.cell(0, r) + "\t" + grid.cell(1, r) + "\t\r\n";
    }
    EXPECT_EQ(SpreadsheetText(grid, 120), expected);

    // From row 1 (the KINO and market lists) the header row is written as data, blanks kept.
    grid.setRowCount(3);
    grid.setCell(1, 2, "");
    EXPECT_EQ(SpreadsheetText(grid, 1),
              W("  No Ημερομηνία\t        Νικήτριες\t\r\n") + grid.cell(0, 1) + "\t" + grid.cell(1, 1) + "\t\r\n"
                  + grid.cell(0, 2) + "\t\t\r\n");
}

TEST(SpreadsheetExport, NoRowsToExportOrAnUnwritableFolderOpenNothing)
{
    karvo::test::TempFolder dir;
    karvo::test::ScriptedUserInterface ui;
    ExportGridToSpreadsheet(lottoGrid(3), 0, "LOTTO", dir.path(), ui);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.file("LOTTO.xls"))));
    WriteBytes(dir.file("plain"), "x"); // a file where the folder should be
    EXPECT_THROW(ExportGridToSpreadsheet(lottoGrid(2), 1, "LOTTO", dir.file("plain") + "/", ui), KarvoError);
    EXPECT_TRUE(ui.opened.empty());
}

TEST(SpreadsheetExport, ReplacesAWriteProtectedFileAndOpensIt)
{
    karvo::test::TempFolder dir;
    karvo::test::ScriptedUserInterface ui;
    const std::string path = dir.file("LOTTO.xls");
    WriteBytes(path, "old");
    chmod(path.c_str(), 0444);
    CellGrid grid = lottoGrid(2);
    ExportGridToSpreadsheet(grid, 1, "LOTTO", dir.path(), ui);
    EXPECT_EQ(ReadBytes(path), SpreadsheetText(grid, 1));
    EXPECT_EQ(ui.opened, std::vector<std::string>{path});
}
