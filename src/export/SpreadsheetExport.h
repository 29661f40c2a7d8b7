// Copying the shown grid to the user's spreadsheet application: a tab-separated Windows-1253 text
// file "<base name>.xls" in the working folder, handed to the desktop's "open".
#pragma once

#include "util/CellGrid.h"

#include <string>

namespace karvo {

class UserInterface;

// The file's bytes: from grid row firstYearRow - 1 to the last row, every cell followed by a TAB,
// every line by CR LF; when firstYearRow > 1 a line with the first two header cells comes first.
std::string SpreadsheetText(const CellGrid& grid, int firstYearRow);

// Writes folder + baseName + ".xls" (replacing a write-protected file) and opens it. Does nothing
// when firstYearRow is 0. Throws KarvoError with the platform's message when the file cannot be written.
void ExportGridToSpreadsheet(const CellGrid& grid, int firstYearRow, const std::string& baseName,
                             const std::string& folder, UserInterface& ui);

} // namespace karvo
