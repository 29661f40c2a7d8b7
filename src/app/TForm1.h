// The main window: the game buttons on the left, the title, the grids and the command buttons on
// the right, the status bar below. Its handlers gather the inputs, call the core and show the result.
#pragma once

#include "app/GridView.h"
#include "app/QtUserInterface.h"
#include "util/ProgramState.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;

namespace karvo {

class BetView;
struct DrawView;
class TForm2;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    using TodayProvider = std::function<QDate()>;

    // workingFolder: where the program keeps its files, ending in "/"; today: the clock.
    TForm1(std::string workingFolder, TodayProvider today, QWidget* parent = nullptr);
    ~TForm1() override;

    ProgramState& state() { return m_state; }
    QtUserInterface& userInterface() { return m_ui; }
    const std::string& workingFolder() const { return m_folder; }
    // The window's own tag: the game chosen when the window itself is OPAPClick's sender.
    int tag() const;
    void setTag(int tag);
    // The payout calculator, created beside this window; the coupon's system command shows it.
    void setCalculator(TForm2* calculator);

    // Handlers, named after the control and the event.
    void FormShow();
    void OPAPClick(QObject* sender);
    void MENUClick();
    // Pops up the current game's command menu at the mouse pointer.
    void CLICKClick();
    void UpdateClick();
    void FormKeyDown(int key);
    void WEBClick();
    void WEBMouseMove(bool overLabel);
    // Runs the command of a menu position for the current game.
    void RunCommand(int position);
    // Panel 1 of the status bar: two blanks and text, the whole bar yellow while text is not empty.
    void StatusNotice(const QString& text);

    void VIEWPROPO(int game);
    void VIEWLOTTO(int variant);
    void VIEWPROTO();
    void VIEWEXTRA();
    void VIEWSUPER3();
    void VIEWKINO();
    void VIEWSTOCK();
    void VIEWAMB();
    void VIEWBET();
    // The day list's selection (row 1..n) in the stock and fund views: shows that day.
    void SGSelectCell(int column, int row);
    // A press on a caption of the side grid: in the stock and fund views, sorts by that column.
    void SG1MouseDown(int column);

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
    void showGameView(GameCode game);
    void showDrawView(DrawView view);
    void showMarketView(bool stock);
    // The update of the stock or fund days, its progress dialog and its account.
    void runMarketUpdate();
    void storeBetGrid();
    // Runs a handler's body; a failure below the program's code is shown in a box and ends the click.
    void guarded(const std::function<void()>& body);

    std::string m_folder;
    TodayProvider m_today;
    ProgramState m_state;
    QtUserInterface m_ui;
    bool m_shown = false;
    bool m_starting = false;    // the first view is being shown from FormShow
    bool m_quietSelect = false; // the day list is being rebuilt: its selection loads nothing yet

    QWidget* P_LEFT = nullptr;
    QWidget* P_RIGHT = nullptr;
    QLabel* P_TOP = nullptr;
    GridView* SG = nullptr;
    GridView* SG1 = nullptr;
    QWidget* P_BOTTOM = nullptr;
    QPushButton* UPDATE = nullptr;
    QPushButton* CLICK = nullptr;
    QPushButton* MENU = nullptr;
    QLabel* WEB = nullptr;
    QLineEdit* Edit1 = nullptr;
    QStatusBar* SBar = nullptr;
    BetView* m_bet = nullptr;
    QPointer<QMenu> m_commandMenu; // the menu of the last CLICK press
    QLabel* m_panel0 = nullptr;
    QLabel* m_panel1 = nullptr;
};

} // namespace karvo
