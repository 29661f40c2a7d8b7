#include "app/StatsCommands.h"

#include "app/GridView.h"
#include "app/PriceHistoryWindow.h"
#include "app/StatsWindow.h"
#include "app/TForm1.h"
#include "app/TicketWindow.h"
#include "util/Cp1253.h"
#include "util/Text.h"

#include <QAction>
#include <QMenu>

namespace karvo {

namespace {

// The symbol of the stock view's current row (column 0 of SG1); asked for when there is none.
bool CurrentSymbol(TForm1& form, std::string& symbol)
{
    if (const auto* grid = form.findChild<GridView*>(QStringLiteral("SG1"))) {
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

void Run(TForm1& form, StatsCommand command, GameCode game)
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

void AddStatsMenuItems(QMenu& menu, TForm1& form)
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

void RunStatsCommand(TForm1& form, StatsCommand command)
{
    try {
        Run(form, command, form.state().GameCode);
    } catch (const std::exception& error) {
        ShowError(form, error);
    }
}

} // namespace karvo
