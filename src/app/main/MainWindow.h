// The main window: the game buttons on the left, the title, the grids and the command buttons on
// the right, the status bar below. Its handlers gather the inputs, call the core and show the result.
#pragma once

#include "app/dialogs/QtUserInterface.h"
#include "app/main/GridView.h"
#include "domain/ProgramState.h"

#include <QDate>
#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QPushButton;

namespace karvo {

class CommandMenu;
class CouponView;
struct DrawView;
class GamePanel;
class GameUpdater;
class MarketView;
class NextDrawFetcher;
class NoticeBar;
struct DrawPrizes;
class SystemWindow;
enum class MarketKind;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    using TodayProvider = std::function<QDate()>;

    // workingFolder: where the program keeps its files, ending in "/"; today: the clock.
    MainWindow(std::string workingFolder, TodayProvider today, QWidget* parent = nullptr);
    ~MainWindow() override;

    ProgramState& state() { return m_state; }
    QtUserInterface& userInterface() { return m_ui; }
    const std::string& workingFolder() const { return m_folder; }
    // The payout calculator, made when the coupon's system command first shows it; null before.
    SystemWindow* calculator() const;

    // Handlers, named after the control and the event.
    void prepareFirstShow();
    void onGameButtonClicked(GameCode code);
    void onMenuClicked();
    // Pops up the current game's command menu at the mouse pointer.
    void onCommandsClicked();
    void onUpdateClicked();
    // Brings every game up to date in one run, with its progress window (Ctrl+U, the button below
    // the game buttons, the last item of every command menu).
    void onUpdateAllTriggered();
    void onKeyPressed(int key);
    void onWebLinkClicked();
    // Runs the command at a position (1..n) of the current game's command menu.
    void runCommand(int position);
    // Panel 1 of the status bar: two blanks and text, the whole bar yellow while text is not empty.
    void setStatusNotice(const QString& text);

    void showCoupon();
    // The day list's selection (row 1..n) in the stock and fund views: shows that day.
    void onDaySelected(int row);
    // The prizes of game's draw on date as the draw service last gave them, while no workbook has them.
    std::optional<DrawPrizes> servedDrawPrizes(GameCode game, QDate date) const;

signals:
    // Every command the dispatcher runs, after the BET mapping.
    void commandRun(int commandNumber);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUpdateAllAction();
    void showGameView(GameCode code);
    void showDrawView(DrawView view);
    void showMarketView(MarketKind kind);
    // The left panel's line of game's next draw, as last known.
    void showNextDraw(GameCode game);
    // Runs a handler's body; a failure below the program's code is shown in a box and ends the click.
    void guarded(const std::function<void()>& body);

    std::string m_folder;
    TodayProvider m_today;
    ProgramState m_state;
    QtUserInterface m_ui;
    bool m_shown = false;
    bool m_starting = false; // the first view is being shown from prepareFirstShow

    GamePanel* m_leftPanel = nullptr;
    QLabel* m_titleLabel = nullptr;
    // The wide grid: a game's results, or the list of stored days in the market views.
    GridView* m_mainGrid = nullptr;
    // Beside it: a day's securities or funds; widened over the whole right side, the coupon.
    GridView* m_sideGrid = nullptr;
    QPushButton* m_updateButton = nullptr;
    QAction* m_updateAllAction = nullptr;
    bool m_updatingAll = false;
    QPushButton* m_commandsButton = nullptr;
    QPushButton* m_menuButton = nullptr;
    NoticeBar* m_statusBar = nullptr;
    CouponView* m_bet = nullptr;
    MarketView* m_market = nullptr;
    CommandMenu* m_commandMenu = nullptr;
    GameUpdater* m_updater = nullptr;
    NextDrawFetcher* m_nextDraw = nullptr;
};

} // namespace karvo
