// The draw-results views: each turns a game's stored history into the main grid, one row per
// stored draw, oldest first, the last draw current and the grid cut after it.
#pragma once

#include "domain/Games.h"
#include "util/CellGrid.h"

#include <cstdint>
#include <string>

class QDate;

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
DrawView BuildPropoView(const std::string& folder, GameCode game, int firstYear); // the three pools
DrawView BuildLottoView(const std::string& folder, GameCode game, int firstYear); // LOTTO, GOAL, JOKER
DrawView BuildProtoView(const std::string& folder, int firstYear);
DrawView BuildExtraView(const std::string& folder, int firstYear);
DrawView BuildSuper3View(const std::string& folder, int firstYear);
// kinoPeriodFile: "Data/kino_yyyy_mm.qav" relative to folder, or empty before any choice.
DrawView BuildKinoView(const std::string& folder, const std::string& kinoPeriodFile);
// The view of any draw game, by its table row; an empty view for the market and coupon games.
DrawView BuildGameView(const std::string& folder, GameCode game, int firstYear, const std::string& kinoPeriodFile);

// The day of SUPER3 draw n (from 1): the game ran two, then three, then ten draws a day.
QDate Super3DrawDate(std::int64_t n);

// EXTRA's slot whose record every reader replaces with the draw of 20-01-2020, and that record.
inline constexpr std::int64_t ExtraFixedSlot = 9408;
std::string ExtraFixedDraw();

// Makes row 1 current, then the last row whose column 1 is not empty (row 1 if none), and cuts
// the grid after that row.
void ScrollToLastDraw(CellGrid& grid);

} // namespace karvo
