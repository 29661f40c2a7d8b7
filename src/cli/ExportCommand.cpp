#include "cli/ExportCommand.h"

#include "export/SpreadsheetExport.h"
#include "market/MarketViews.h"
#include "results/DrawHistory.h"
#include "results/DrawViews.h"
#include "util/Cp1253.h"
#include "util/Files.h"

namespace karvo {

namespace {

// The newest stored KINO month as the window names a chosen period: relative to folder.
std::string NewestKinoMonth(const std::string& folder)
{
    const std::vector<KinoMonthFile> months = KinoMonthFiles(folder, 0);
    return months.empty() ? std::string() : months.back().path.substr(folder.size());
}

// The window's side grid after a market view opens: the frame, the stock's change caption, then
// the last stored day (against the day before it) when its file has rows.
CellGrid LastMarketDay(const std::string& folder, MarketKind kind)
{
    CellGrid grid = MarketGridFrame(kind);
    if (kind == MarketKind::Stock) {
        grid.setCell(1, 0, Utf8ToCp1253("ΜΕΤΑΒΟΛΗ%"));
    }
    const CellGrid days = MarketDateList(folder, kind);
    std::optional<CellGrid> shown = MarketDayGrid(folder, kind, days, days.currentRow());
    return shown ? std::move(*shown) : grid;
}

} // namespace

ExportList GameExportList(const std::string& folder, GameCode game, int firstYear)
{
    if (IsMarket(game)) {
        const bool stock = game == GameCode::Stock;
        return {LastMarketDay(folder, stock ? MarketKind::Stock : MarketKind::Funds), 1, stock ? "STOCK" : "AMB"};
    }
    DrawView view = BuildGameView(folder, game, firstYear, NewestKinoMonth(folder));
    return {std::move(view.grid), view.FirstYearRow, view.ExportBaseName};
}

bool ExportGameList(const std::string& folder, GameCode game, int firstYear, const std::string& file)
{
    const ExportList list = GameExportList(folder, game, firstYear);
    if (list.firstYearRow <= 0) {
        return false;
    }
    ReplaceFileOrThrow(file, SpreadsheetText(list.grid, list.firstYearRow));
    return true;
}

} // namespace karvo
