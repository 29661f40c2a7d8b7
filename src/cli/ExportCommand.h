// A game's list as the window first shows it and as its command menu's export writes it, built
// without a window: for the draw games the results view, for STOCK and ΑΜΟΙΒΑΙΑ the last stored day.
#pragma once

#include "domain/Games.h"
#include "util/CellGrid.h"

#include <string>
#include <string_view>

namespace karvo {

struct ExportList
{
    CellGrid grid;
    int firstYearRow = 0; // as the view sets it; 0 when the list has nothing to export
    std::string baseName; // the window's file name without ".xls": "LOTTO", "STOCK", "AMB"
};

// folder: the working folder, ending in "/"; firstYear as the window keeps it (FirstYearFor).
// KINO shows its newest stored month, the one the window shows once that month is chosen.
ExportList GameExportList(const std::string& folder, GameCode game, int firstYear);

// The list's spreadsheet text, as the window's export writes it; empty when the list has nothing
// to export.
std::string GameExportText(const std::string& folder, GameCode game, int firstYear);

// Writes the list's spreadsheet text to file (Windows-1253 path): a regular file (or none yet) is
// replaced atomically; something else that is there (a device, a FIFO) is written in place,
// never replaced. False when the list has nothing to export; throws KarvoError when the file
// cannot be written.
bool ExportGameList(const std::string& folder, GameCode game, int firstYear, const std::string& file);

// Writes bytes to file as ExportGameList does.
void WriteExportFile(const std::string& file, std::string_view bytes);

} // namespace karvo
