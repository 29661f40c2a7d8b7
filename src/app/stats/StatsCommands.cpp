#include "app/stats/StatsCommands.h"

#include "app/main/GridView.h"
#include "app/main/MainWindow.h"
#include "app/market/PriceHistoryWindow.h"
#include "app/prizes/DrawPrizesWindow.h"
#include "app/stats/ColumnCheckWindow.h"
#include "app/stats/StatsWindow.h"
#include "app/tickets/KeptTicketsWindow.h"
#include "market/PriceHistory.h"
#include "prizes/DrawPrizesView.h"
#include "util/Cp1253.h"
#include "util/Text.h"

#include <QAction>
#include <QMenu>

namespace karvo {

namespace {

// The symbol of the stock view's current row (column 0 of the side grid); asked for when there is none.
bool CurrentSymbol(MainWindow& mainWindow, std::string& symbol)
{
    if (const auto* grid = mainWindow.findChild<GridView*>(QStringLiteral("sideGrid"))) {
        const int row = grid->currentGridRow();
        symbol = row >= 1 ? CleanSpaces(grid->grid().cell(0, row), 5) : std::string();
    }
    if (!symbol.empty()) {
        return true;
    }
    std::string typed;
    if (!mainWindow.userInterface().InputChoice(Utf8ToCp1253("Σύμβολο μετοχής"), std::string(), typed)) {
        return false;
    }
    symbol = ToUpper(CleanSpaces(typed, 5));
    return !symbol.empty();
}

void Run(MainWindow& mainWindow, Command command, GameCode game)
{
    const SaveTarget target{mainWindow.userInterface(), mainWindow.workingFolder(), GameBaseName(game)};
    switch (command) {
    case Command::NumberStats: {
        const SaveTarget named{target.ui, target.folder, target.baseName + "_STATS"};
        auto* window = new StatsWindow(game, StatsWindow::SourceFor(game, target.folder),
                                       StatsWindow::PatternSourceFor(game, target.folder), named, &mainWindow);
        window->show();
        break;
    }
    case Command::TicketCheck:
        RunTicketCheck(game, {target.ui, target.folder, target.baseName + "_CHECK"}, &mainWindow);
        break;
    case Command::KeptTickets: RunKeptTickets(game, target, &mainWindow); break;
    case Command::DrawPrizes: RunDrawPrizes(mainWindow); break;
    case Command::PriceHistory: {
        std::string symbol;
        if (CurrentSymbol(mainWindow, symbol)) {
            RunPriceHistory(symbol, target, &mainWindow);
        }
        break;
    }
    default: break; // the game's own commands run through the main window's dispatcher
    }
}

} // namespace

void AddStatsMenuItems(QMenu& menu, MainWindow& mainWindow)
{
    const GameCode game = mainWindow.state().GameCode;
    std::vector<StatsMenuItem> items = StatsMenuItems(game);
    if (const std::optional<std::string> caption = DrawPrizesMenuCaption(game)) {
        items.push_back({*caption, Command::DrawPrizes});
    }
    if (const std::optional<std::string> caption = PriceHistoryMenuCaption(game)) {
        items.push_back({*caption, Command::PriceHistory});
    }
    if (items.empty()) {
        return;
    }
    menu.addSeparator();
    for (const StatsMenuItem& item : items) {
        QAction* action = menu.addAction(ToQString(item.caption));
        action->setData(static_cast<int>(item.command));
        const Command command = item.command;
        QObject::connect(action, &QAction::triggered, &mainWindow,
                         [&mainWindow, command] { RunStatsCommand(mainWindow, command); });
    }
}

void RunStatsCommand(MainWindow& mainWindow, Command command)
{
    try {
        Run(mainWindow, command, mainWindow.state().GameCode);
    } catch (const std::exception& error) {
        ShowError(mainWindow, error);
    }
}

} // namespace karvo
