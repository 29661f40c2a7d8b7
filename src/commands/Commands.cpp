#include "commands/Commands.h"

#include "commands/FindInFiles.h"
#include "commands/Search.h"
#include "domain/Games.h"
#include "domain/UserInterface.h"
#include "export/SpreadsheetExport.h"
#include "util/Cp1253.h"

namespace karvo {

namespace {

// Asks for a search text; false when the user cancels.
bool askSearchText(const char* captionUtf8, CommandContext& context)
{
    std::string typed;
    if (!context.ui.InputChoice(Utf8ToCp1253(captionUtf8), std::string(), typed)) {
        return false;
    }
    context.state.SearchText = PrepareSearchText(typed);
    return true;
}

// Command 5: every stored day file of the shown market, read while the wait notice shows.
CellGrid* FindAllInMarketFiles(CommandContext& context)
{
    context.ui.StatusNotice(WaitNoticeText());
    const bool stock = context.state.GameCode == GameCode::Stock;
    int found = -1;
    try {
        found = stock ? FindAllInStockFiles(context.folder, context.state.SearchText, context.sideGrid)
                      : FindAllInFundFiles(context.folder, context.state.SearchText, context.sideGrid);
    } catch (...) {
        context.ui.StatusNotice(std::string()); // the notice goes on every way out
        throw;
    }
    context.ui.StatusNotice(std::string());
    return found < 0 ? nullptr : &context.sideGrid;
}

} // namespace

std::vector<std::string> MenuCaptions(GameCode game)
{
    std::vector<const char*> captions;
    if (GameInfoFor(game).menu == MenuKind::Coupon) {
        captions = {"Κατέβασμα κουπονιού", "Μεταφορά κουπονιού στο EXCEL",  "Πρόσθεσε ένα αγώνα", "Ανοιγμα αρχείου",
                    "Αποθήκευση ως ...",   "Μετατροπή Συστήματος σε Στήλες"};
    } else {
        captions = {"Ψάξε στη λίστα", "Επόμενο Ψάξιμο (F3)", "Μεταφορά λίστας στο EXCEL"};
        if (IsMarket(game)) {
            captions.push_back("Ψάξε στη λίστα - Εύρεση όλων");
            captions.push_back("Ψάξε στα αρχεία - Εύρεση όλων");
        }
    }
    std::vector<std::string> out;
    out.reserve(captions.size());
    for (const char* caption : captions) {
        out.push_back(Utf8ToCp1253(caption));
    }
    return out;
}

int CommandNumber(GameCode game, int position)
{
    if (GameInfoFor(game).menu != MenuKind::Coupon) {
        return position;
    }
    return (position == 6 ? 7 : position) + 20;
}

CellGrid* RunCommand(int position, CommandContext& context)
{
    const auto command = static_cast<Command>(CommandNumber(context.state.GameCode, position));
    const bool market = IsMarket(context.state.GameCode);
    CellGrid& grid = market ? context.sideGrid : context.mainGrid;
    switch (command) {
    case Command::SearchList:
        if (askSearchText("Ψάξε στη λίστα", context) && MoveToMatch(grid, context.state.SearchText, 1)) {
            return &grid;
        }
        return nullptr;
    case Command::SearchNext:
        return MoveToMatch(grid, context.state.SearchText, grid.currentRow() + 1) ? &grid : nullptr;
    case Command::ExportList:
        ExportGridToSpreadsheet(grid, context.state.FirstYearRow, context.state.ExportBaseName, context.folder,
                                context.ui);
        return nullptr;
    case Command::FindAllInList:
        if (market && askSearchText("Ψάξε στη λίστα - Εύρεση όλων", context)) {
            KeepMatchingRows(context.sideGrid, context.state.SearchText);
            return &context.sideGrid;
        }
        return nullptr;
    case Command::FindAllInFiles:
        if (market && askSearchText("Ψάξε στα αρχεία - Εύρεση όλων", context)) {
            return FindAllInMarketFiles(context);
        }
        return nullptr;
    default:
        if (context.otherCommand) {
            context.otherCommand(command);
        }
        return nullptr;
    }
}

} // namespace karvo
