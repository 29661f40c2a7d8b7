// The draw-results views: each turns a game's stored history into the main grid, one row per
// stored draw, oldest first, the last draw current and the grid cut after it.
#pragma once

#include "domain/Games.h"
#include "util/CellGrid.h"

#include <cstdint>
#include <string>

namespace karvo {

struct DrawView
{
    std::string title;    // caption of the title bar
    int widthAdded = 300; // window width = left panel width + this
    CellGrid grid;        // row 0 holds the headers; column widths set
    // Grid row + 1 of the first shown draw of firstYear or a later year: the export starts there.
    // 0 when no draw is shown; the KINO view exports the whole month (1).
    int FirstYearRow = 0;
    std::string ExportBaseName;
    bool clearsStatus = false; // the KINO view clears the status notice
};

// folder: the working folder, ending in "/". A file too large for the program's buffers throws
// KarvoError; a missing or empty file shows the headers and one empty row. Each view ends with
// its last draw current and the grid cut after it.
// The views of each kind are in PropoView.h, SlotViews.h, Super3View.h and KinoView.h.
// The view of any draw game, by its table row; an empty view for the market and coupon games.
DrawView BuildGameView(const std::string& folder, GameCode game, int firstYear, const std::string& kinoPeriodFile);

// Makes row 1 current, then the last row whose column 1 is not empty (row 1 if none), and cuts
// the grid after that row.
void ScrollToLastDraw(CellGrid& grid);

} // namespace karvo
