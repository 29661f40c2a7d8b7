#include "commands/Commands.h"

#include "commands/FindInFiles.h"
#include "commands/Search.h"
#include "export/SpreadsheetExport.h"
#include "util/Cp1253.h"
#include "util/Games.h"
#include "util/UserInterface.h"

namespace karvo {

namespace {

bool isMarketGame(int gameCode)
{
    return gameCode == 11 || gameCode == 13;
}

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
    context.ui.StatusNotice(Utf8ToCp1253("Παρακαλώ περιμένετε"));
    const bool stock = context.state.GameCode == ToInt(GameCode::Stock);
    int found = -1;
    try {
        found = stock ? FindAllInStockFiles(context.folder, context.state.SearchText, context.SG1)
                      : FindAllInFundFiles(context.folder, context.state.SearchText, context.SG1);
    } catch (...) {
        context.ui.StatusNotice(std::string()); // the notice goes on every way out
        throw;
    }
    context.ui.StatusNotice(std::string());
    return found < 0 ? nullptr : &context.SG1;
}

} // namespace

std::vector<std::string> MenuCaptions(int gameCode)
{
    std::vector<const char*> captions;
    if (gameCode == 12) {
        captions = {"Κατέβασμα κουπονιού",  "Μεταφορά κουπονιού στο EXCEL", "Πρόσθεσε ένα αγώνα",
                    "Ανοιγμα αρχείου",      "Αποθήκευση ως ...",            "Μετατροπή Συστήματος σε Στήλες"};
    } else {
        captions = {"Ψάξε στη λίστα", "Επόμενο Ψάξιμο (F3)", "Μεταφορά λίστας στο EXCEL"};
        if (isMarketGame(gameCode)) {
            captions.push_back("Ψάξε στη λίστα - Εύρεση όλων");
            captions.push_back("Ψάξε στα αρχεία - Εύρεση όλων");
        }
    }
    std::vector<std::string> out;
    for (const char* caption : captions) {
        out.push_back(Utf8ToCp1253(caption));
    }
    return out;
}

int CommandNumber(int gameCode, int position)
{
    if (gameCode != 12) {
        return position;
    }
    return (position == 6 ? 7 : position) + 20;
}

CellGrid* RunCommand(int position, CommandContext& context)
{
    const int command = CommandNumber(context.state.GameCode, position);
    CellGrid& grid = isMarketGame(context.state.GameCode) ? context.SG1 : context.SG;
    switch (command) {
    case 1:
        if (askSearchText("Ψάξε στη λίστα", context) && MoveToMatch(grid, context.state.SearchText, 1)) {
            return &grid;
        }
        return nullptr;
    case 2:
        return MoveToMatch(grid, context.state.SearchText, grid.currentRow() + 1) ? &grid : nullptr;
    case 3:
        ExportGridToSpreadsheet(grid, context.state.FirstYearRow, context.state.ExportBaseName, context.folder,
                                context.ui);
        return nullptr;
    case 4:
        if (isMarketGame(context.state.GameCode) && askSearchText("Ψάξε στη λίστα - Εύρεση όλων", context)) {
            KeepMatchingRows(context.SG1, context.state.SearchText);
            return &context.SG1;
        }
        return nullptr;
    case 5:
        if (isMarketGame(context.state.GameCode) && askSearchText("Ψάξε στα αρχεία - Εύρεση όλων", context)) {
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
