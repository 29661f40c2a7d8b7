// The main window: the game buttons on the left, the title, the grids and the command buttons on
// the right, the status bar below. Its handlers gather the inputs, call the core and show the result.
#pragma once

#include "app/dialogs/QtUserInterface.h"
#include "app/main/GridView.h"
#include "domain/ProgramState.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;

namespace karvo {

class CouponView;
struct DrawView;
class SystemWindow;

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
    // The window's own tag: the game chosen when the window itself is onGameButtonClicked's sender.
    int tag() const;
    void setTag(int tag);
    // The payout calculator, created beside this window; the coupon's system command shows it.
    void setCalculator(SystemWindow* calculator);

    // Handlers, named after the control and the event.
    void prepareFirstShow();
    void onGameButtonClicked(QObject* sender);
    void onMenuClicked();
    // Pops up the current game's command menu at the mouse pointer.
    void onCommandsClicked();
    void onUpdateClicked();
    // Brings every game up to date in one run, with its progress window (Ctrl+U, the button below
    // the game buttons, the last item of every command menu).
    void onUpdateAllTriggered();
    void onKeyPressed(int key);
    void onWebLinkClicked();
    void onWebLinkHovered(bool overLabel);
    // Runs the command of a menu position for the current game.
    void runCommand(int position);
    // Panel 1 of the status bar: two blanks and text, the whole bar yellow while text is not empty.
    void setStatusNotice(const QString& text);

    void showStocks();
    void showFunds();
    void showCoupon();
    // The day list's selection (row 1..n) in the stock and fund views: shows that day.
    void onDaySelected(int column, int row);
    // A press on a caption of the side grid: in the stock and fund views, sorts by that column.
    void onSideCaptionPressed(int column);

signals:
    // Every command the dispatcher runs, after the BET mapping.
    void commandRun(int commandNumber);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildLeftPanel();
    QWidget* buildRightPanel();
    QWidget* buildBottomPanel();
    void buildStatusBar();
    void showGameView(GameCode code);
    void showDrawView(DrawView view);
    void showMarketView(bool stock);
    // The update of the stock or fund days, its progress dialog and its account.
    void runMarketUpdate();
    void storeBetGrid();
    void buildUpdateAll();
    // Runs a handler's body; a failure below the program's code is shown in a box and ends the click.
    void guarded(const std::function<void()>& body);

    std::string m_folder;
    TodayProvider m_today;
    ProgramState m_state;
    QtUserInterface m_ui;
    bool m_shown = false;
    bool m_starting = false;    // the first view is being shown from prepareFirstShow
    bool m_quietSelect = false; // the day list is being rebuilt: its selection loads nothing yet

    QWidget* m_leftPanel = nullptr;
    QWidget* m_rightPanel = nullptr;
    QLabel* m_titleLabel = nullptr;
    // The wide grid: a game's results, or the list of stored days in the market views.
    GridView* m_mainGrid = nullptr;
    // Beside it: a day's securities or funds; widened over the whole right side, the coupon.
    GridView* m_sideGrid = nullptr;
    QWidget* m_bottomPanel = nullptr;
    QPushButton* m_updateButton = nullptr;
    QAction* m_updateAllAction = nullptr;
    QPushButton* m_updateAllButton = nullptr;
    bool m_updatingAll = false;
    QPushButton* m_commandsButton = nullptr;
    QPushButton* m_menuButton = nullptr;
    QLabel* m_webLink = nullptr;
    QLineEdit* m_emailField = nullptr;
    QStatusBar* m_statusBar = nullptr;
    CouponView* m_bet = nullptr;
    QPointer<QMenu> m_commandMenu; // the menu of the last press on the commands button
    QLabel* m_greetingPanel = nullptr;
    QLabel* m_noticePanel = nullptr;
};

} // namespace karvo
