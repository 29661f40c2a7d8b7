// The command menu of the main window's current game, and the dispatcher that runs a command of
// it on the two grids: the game's own items, its statistics items and the update of every game.
#pragma once

#include "app/main/GridView.h"
#include "domain/ProgramState.h"
#include "domain/UserInterface.h"

#include <QObject>
#include <QPointer>
#include <string>

class QAction;
class QMenu;

namespace karvo {

class CouponView;
class MainWindow;

class CommandMenu : public QObject
{
    Q_OBJECT
public:
    CommandMenu(MainWindow& window, GridView* mainGrid, GridView* sideGrid, CouponView& coupon, UserInterface& ui,
                std::string folder);

    // A new menu at the mouse pointer, built for the game current now; the previous one goes. An
    // item of the game's own runs through the window's runCommand; updateAll comes last.
    void popup(QAction* updateAll);
    // Runs the command at a position of the current game's menu and shows what it changed.
    void run(int position);

private:
    MainWindow& m_window;
    ProgramState& m_state;
    GridView* m_mainGrid;
    GridView* m_sideGrid;
    CouponView& m_coupon;
    UserInterface& m_ui;
    std::string m_folder;
    QPointer<QMenu> m_menu; // the menu of the last press on the commands button
};

} // namespace karvo
