#include "app/stats/StatsCommands.h"

#include "app/main/GridView.h"
#include "app/main/MainWindow.h"
#include "app/market/PriceHistoryWindow.h"
#include "app/stats/ColumnCheckWindow.h"
#include "app/stats/StatsWindow.h"
#include "util/Cp1253.h"
#include "util/Text.h"

#include <QAction>
#include <QMenu>

namespace karvo {

namespace {

// The symbol of the stock view's current row (column 0 of the side grid); asked for when there is none.
bool CurrentSymbol(MainWindow& form, std::string& symbol)
{
    if (const auto* grid = form.findChild<GridView*>(QStringLiteral("sideGrid"))) {
        const int row = grid->currentGridRow();
        symbol = row >= 1 ? CleanSpaces(grid->grid().cell(0, row), 5) : std::string();
    }
    if (!symbol.empty()) {
        return true;
    }
    std::string typed;
    if (!form.userInterface().InputChoice(Utf8ToCp1253("Σύμβολο μετοχής"), std::string(), typed)) {
        return false;
    }
    symbol = ToUpper(CleanSpaces(typed, 5));
    return !symbol.empty();
}

void Run(MainWindow& form, StatsCommand command, GameCode game)
{
    const SaveTarget target{form.userInterface(), form.workingFolder(), GameBaseName(game)};
    switch (command) {
    case StatsCommand::NumberStats: {
        const SaveTarget named{target.ui, target.folder, target.baseName + "_STATS"};
        auto* window = new StatsWindow(game, StatsWindow::SourceFor(game, target.folder), named, &form);
        window->show();
        break;
    }
    case StatsCommand::TicketCheck:
        RunTicketCheck(game, {target.ui, target.folder, target.baseName + "_CHECK"}, &form);
        break;
    case StatsCommand::PriceHistory: {
        std::string symbol;
        if (CurrentSymbol(form, symbol)) {
            RunPriceHistory(symbol, target, &form);
        }
        break;
    }
    }
}

} // namespace

void AddStatsMenuItems(QMenu& menu, MainWindow& form)
{
    const std::vector<StatsMenuItem> items = StatsMenuItems(form.state().GameCode);
    if (items.empty()) {
        return;
    }
    menu.addSeparator();
    for (const StatsMenuItem& item : items) {
        QAction* action = menu.addAction(ToQString(item.caption));
        action->setData(static_cast<int>(item.command));
        const StatsCommand command = item.command;
        QObject::connect(action, &QAction::triggered, &form, [&form, command] { RunStatsCommand(form, command); });
    }
}

void RunStatsCommand(MainWindow& form, StatsCommand command)
{
    try {
        Run(form, command, form.state().GameCode);
    } catch (const std::exception& error) {
        ShowError(form, error);
    }
}

} // namespace karvo
