#include "export/SpreadsheetExport.h"

#include "domain/UserInterface.h"
#include "util/Files.h"

namespace karvo {

std::string SpreadsheetText(const CellGrid& grid, int firstYearRow)
{
    std::string text;
    if (firstYearRow <= 0) {
        return text;
    }
    if (firstYearRow > 1) {
        text += grid.cell(0, 0) + "\t" + grid.cell(1, 0) + "\r\n";
    }
    for (int r = firstYearRow - 1; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            text += grid.cell(c, r);
            text += '\t';
        }
        text += "\r\n";
    }
    return text;
}

void ExportGridToSpreadsheet(const CellGrid& grid, int firstYearRow, const std::string& baseName,
                             const std::string& folder, UserInterface& ui)
{
    if (firstYearRow <= 0) {
        return;
    }
    const std::string path = folder + baseName + ".xls";
    ReplaceFileOrThrow(path, SpreadsheetText(grid, firstYearRow));
    ui.ShellOpen(path);
}

} // namespace karvo
