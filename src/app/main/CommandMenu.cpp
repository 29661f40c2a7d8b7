#include "app/main/CommandMenu.h"

#include "app/betting/CouponView.h"
#include "app/main/MainWindow.h"
#include "app/stats/StatsCommands.h"
#include "commands/Commands.h"
#include "util/Cp1253.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <algorithm>

namespace karvo {

CommandMenu::CommandMenu(MainWindow& window, GridView* mainGrid, GridView* sideGrid, CouponView& coupon,
                         UserInterface& ui, std::string folder)
    : QObject(&window)
    , m_window(window)
    , m_state(window.state())
    , m_mainGrid(mainGrid)
    , m_sideGrid(sideGrid)
    , m_coupon(coupon)
    , m_ui(ui)
    , m_folder(std::move(folder))
{
}

void CommandMenu::popup(QAction* updateAll)
{
    if (m_menu) {
        m_menu->deleteLater();
    }
    m_menu = new QMenu(&m_window);
    m_menu->setObjectName(QStringLiteral("commandMenu"));
    const std::vector<std::string> captions = MenuCaptions(m_state.GameCode);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        QAction* item = m_menu->addAction(ToQString(captions[i]));
        item->setData(position);
        connect(item, &QAction::triggered, &m_window, [this, position] { m_window.runCommand(position); });
    }
    AddStatsMenuItems(*m_menu, m_window);
    m_menu->addSeparator();
    m_menu->addAction(updateAll);
    m_menu->popup(QCursor::pos());
}

void CommandMenu::run(int position)
{
    // The user may have moved the selection since the grids were filled.
    CellGrid& mainGrid = m_mainGrid->gridModel()->mutableGrid();
    CellGrid& sideGrid = m_sideGrid->gridModel()->mutableGrid();
    mainGrid.setCurrentRow(m_mainGrid->currentGridRow());
    sideGrid.setCurrentRow(m_sideGrid->currentGridRow());
    CommandContext context{m_state, mainGrid, sideGrid,
                           m_ui,    m_folder, [this](Command command) { m_coupon.runCommand(command); }};
    const int rowsBefore[2] = {mainGrid.rowCount(), sideGrid.rowCount()};
    CellGrid* changed = RunCommand(position, context);
    if (changed == nullptr) {
        return;
    }
    GridView* view = changed == &mainGrid ? m_mainGrid : m_sideGrid;
    const int column = std::max(view->currentIndex().column(), 0);
    // Find-all commands rewrite the side grid's rows and may change a caption.
    const int command = CommandNumber(m_state.GameCode, position);
    const bool findAll =
        command == static_cast<int>(Command::FindAllInList) || command == static_cast<int>(Command::FindAllInFiles);
    if (changed->rowCount() != rowsBefore[changed == &mainGrid ? 0 : 1] || findAll) {
        view->gridModel()->refresh(); // rows were dropped: the list itself changed
    }
    view->selectGridRow(changed->currentRow(), column);
}

} // namespace karvo
