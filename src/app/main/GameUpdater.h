// The updates the main window's buttons start: the shown draw game's, the stock or fund days',
// and every game's in one run. Each runs under its progress window, has the window rebuild the
// view when its game got something new, and tells what the new draws won for the kept tickets.
#pragma once

#include "app/dialogs/QtUserInterface.h"
#include "domain/Games.h"
#include "domain/ProgramState.h"

#include <QDate>
#include <QObject>
#include <functional>
#include <string>

namespace karvo {

class NoticeBar;

class GameUpdater : public QObject
{
    Q_OBJECT
public:
    // showView: rebuilds the window's view of a game; notices: the window's status bar.
    GameUpdater(QWidget& window, ProgramState& state, QtUserInterface& ui, std::string folder,
                std::function<QDate()> today, NoticeBar& notices, std::function<void(GameCode)> showView);

    // The shown draw game's update; a failure below the program's code throws.
    void updateDrawGame();
    // The shown market view's days: its account on the status bar, a warning when no server answered.
    void updateMarket();
    // Every game in one run, under the folder's lock, ending with the run's summary.
    void updateEveryGame();

private:
    QWidget& m_window;
    ProgramState& m_state;
    QtUserInterface& m_ui;
    std::string m_folder;
    std::function<QDate()> m_today;
    NoticeBar& m_notices;
    std::function<void(GameCode)> m_showView;
};

} // namespace karvo
