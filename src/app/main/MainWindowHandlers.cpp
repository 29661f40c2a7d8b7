// The main window's handlers: start-up, game selection, the views, the menu button, the keys and
// the command dispatcher.
#include "app/main/MainWindow.h"

#include "app/betting/CouponView.h"
#include "app/dialogs/FetchProgressDialog.h"
#include "app/main/Appearance.h"
#include "app/main/GameCatalogue.h"
#include "app/main/KeyCodes.h"
#include "app/stats/StatsCommands.h"
#include "app/tickets/TicketWinsNotice.h"
#include "commands/Commands.h"
#include "domain/Games.h"
#include "market/MarketFiles.h"
#include "results/DrawViews.h"
#include "update/UpdateAll.h"
#include "update/UpdateDriver.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/FolderLock.h"
#include "util/KarvoError.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <ctime>

namespace karvo {

namespace {

constexpr int kLeftPanelWidth = 305;

} // namespace

void MainWindow::guarded(const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& error) {
        const QString text = QString::fromUtf8(error.what());
        // At start-up the window is still being shown: the box waits until it is up.
        if (m_starting) {
            QTimer::singleShot(0, this, [this, text] { QMessageBox::critical(this, windowTitle(), text); });
        } else {
            QMessageBox::critical(this, windowTitle(), text);
        }
    }
}

void MainWindow::prepareFirstShow()
{
    m_statusBar->setFont(SansPointFont(10));
    m_greetingPanel->setText(QStringLiteral("ΚAΛΗ ΤΥΧΗ !"));
    m_state.KinoPeriodFile.clear();
    CreateFolder(m_folder + "Data");
    CreateFolder(MarketFolder(m_folder));
    RemoveStaleUpdateScratch(m_folder, std::time(nullptr));
    m_state.FirstYear = FirstYearFor(m_today().year());
    m_state.CouponImportCount = 0;
    setTag(1);
    m_starting = true;
    onGameButtonClicked(this);
    m_starting = false;
}

void MainWindow::onGameButtonClicked(QObject* sender)
{
    GameCode code = GameCode::PropoSunday;
    if (sender == nullptr || !GameCodeFromInt(sender->property("tag").toInt(), code)) {
        return;
    }
    m_state.GameCode = code;
    const GameInfo& game = GameInfoFor(code);
    // The coupon keeps the height the user gave it.
    if (game.view != ViewKind::Bet) {
        resize(width(), 580);
    }
    m_updateButton->setText(UpdateCaption(code));
    m_updateButton->setVisible(game.update != UpdateKind::None);
    // The menu button leads back from the screens that hide the game buttons: the market and the coupon.
    m_menuButton->setVisible(!IsDrawGame(code));
    m_menuButton->move(730, m_menuButton->y());
    if (!IsMarket(code)) {
        m_mainGrid->setMinimumWidth(0);
        m_mainGrid->setMaximumWidth(QWIDGETSIZE_MAX);
        m_sideGrid->setFont(FixedPixelFont(11));
        m_sideGrid->horizontalHeader()->setFont(m_sideGrid->font());
        m_mainGrid->show();
        m_sideGrid->hide();
        m_commandsButton->show();
    }
    guarded([this, code] { showGameView(code); });
}

void MainWindow::showGameView(GameCode code)
{
    const GameInfo& game = GameInfoFor(code);
    switch (game.view) {
    case ViewKind::Propo:
    case ViewKind::NumberGame:
    case ViewKind::Proto:
    case ViewKind::Extra:
    case ViewKind::Super3:
    case ViewKind::Kino: showDrawView(BuildGameView(m_folder, code, m_state.FirstYear, m_state.KinoPeriodFile)); break;
    case ViewKind::Stock: showStocks(); break;
    case ViewKind::Bet: showCoupon(); break;
    case ViewKind::Funds: showFunds(); break;
    }
}

void MainWindow::showDrawView(DrawView view)
{
    m_titleLabel->setText(ToQString(view.title));
    m_mainGrid->showGrid(std::move(view.grid)); // a long history is not copied again
    if (view.clearsStatus) {
        setStatusNotice(QString());
    }
    resize(kLeftPanelWidth + view.widthAdded, height());
    m_state.FirstYearRow = view.FirstYearRow;
    m_state.ExportBaseName = view.ExportBaseName;
}

void MainWindow::showCoupon()
{
    m_leftPanel->hide();
    resize(852, height());
    m_titleLabel->setText(QStringLiteral("Σ Τ Ο Ι Χ Η Μ Α"));
    // The coupon fills the window; only its last column, the user's system, takes typing.
    m_mainGrid->hide();
    m_sideGrid->setMinimumWidth(0);
    m_sideGrid->setMaximumWidth(QWIDGETSIZE_MAX);
    m_bet->show();
    m_sideGrid->show();
}

void MainWindow::onMenuClicked()
{
    if (m_state.GameCode == GameCode::Bet) {
        storeBetGrid();
    }
    m_leftPanel->show();
    setTag(1);
    onGameButtonClicked(this);
}

void MainWindow::storeBetGrid()
{
    m_bet->store();
}

void MainWindow::onUpdateClicked()
{
    // One update at a time per data folder, whoever runs it; the lock goes when the update ends.
    FolderLock lock(m_folder);
    if (!lock.tryLock()) {
        guarded([] { throw KarvoError(FolderBusyText()); });
        return;
    }
    if (IsMarket(m_state.GameCode)) {
        guarded([this] { runMarketUpdate(); });
        return;
    }
    guarded([this] {
        // The draws dated after the last one stored now are the new ones the tickets are checked against.
        const GameCode game = m_state.GameCode;
        const std::optional<HistoryEnd> lastDrawBefore = LastDrawBeforeUpdate(m_folder, game);
        FetchProgressDialog progress(this, QStringLiteral("Ενημέρωση Νικητριών"), QString());
        UpdateContext context = MakeUpdateContext(m_state, m_ui, m_folder, m_today(), &progress);
        UpdateOutcome outcome;
        try {
            outcome = RunUpdate(context);
        } catch (const std::exception&) {
            setStatusNotice(QString()); // the wait notice must not outlast the failure's box
            throw;
        }
        if (!outcome.viewGame) {
            return;
        }
        // A failed download's notice outlasts the view, even the KINO view that clears the bar.
        const QString notice = m_noticePanel->text().mid(2);
        showGameView(*outcome.viewGame);
        setStatusNotice(outcome.clearNotice ? QString() : notice);
        TellTicketWins(this, m_folder, game, lastDrawBefore);
    });
}

void MainWindow::onKeyPressed(int key)
{
    if (key != kKeyF3) {
        return;
    }
    setTag(2);
    runCommand(tag());
}

void MainWindow::onCommandsClicked()
{
    // A new menu on every press, built for the game current now; the previous one goes.
    if (m_commandMenu) {
        m_commandMenu->deleteLater();
    }
    m_commandMenu = new QMenu(this);
    m_commandMenu->setObjectName(QStringLiteral("commandMenu"));
    const std::vector<std::string> captions = MenuCaptions(m_state.GameCode);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        QAction* item = m_commandMenu->addAction(ToQString(captions[i]));
        item->setData(position);
        connect(item, &QAction::triggered, this, [this, position] { runCommand(position); });
    }
    AddStatsMenuItems(*m_commandMenu, *this);
    m_commandMenu->addSeparator();
    m_commandMenu->addAction(m_updateAllAction);
    m_commandMenu->popup(QCursor::pos());
}

void MainWindow::runCommand(int position)
{
    emit commandRun(CommandNumber(m_state.GameCode, position));
    guarded([this, position] {
        // The user may have moved the selection since the grids were filled.
        CellGrid& mainGrid = m_mainGrid->gridModel()->mutableGrid();
        CellGrid& sideGrid = m_sideGrid->gridModel()->mutableGrid();
        mainGrid.setCurrentRow(m_mainGrid->currentGridRow());
        sideGrid.setCurrentRow(m_sideGrid->currentGridRow());
        CommandContext context{m_state, mainGrid, sideGrid,
                               m_ui,    m_folder, [this](Command command) { m_bet->runCommand(command); }};
        const int rowsBefore[2] = {mainGrid.rowCount(), sideGrid.rowCount()};
        CellGrid* changed = karvo::RunCommand(position, context);
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
    });
}

void MainWindow::setStatusNotice(const QString& text)
{
    m_noticePanel->setText(QStringLiteral("  ") + text);
    if (text.isEmpty()) {
        m_statusBar->setAutoFillBackground(false);
        m_statusBar->setPalette(QPalette());
    } else {
        QPalette palette = m_statusBar->palette();
        palette.setColor(QPalette::Window, colours::yellow);
        m_statusBar->setPalette(palette);
        m_statusBar->setAutoFillBackground(true);
    }
    // Painted now: the notice must be seen before a long fetch blocks the window.
    m_statusBar->repaint();
}

void MainWindow::onWebLinkHovered(bool overLabel)
{
    QPalette palette = m_webLink->palette();
    palette.setColor(QPalette::WindowText, overLabel ? QColor(Qt::blue) : colours::silver);
    m_webLink->setPalette(palette);
}

void MainWindow::onWebLinkClicked()
{
    m_ui.ShellOpen("https://github.com/karvo-app/karvo");
}

} // namespace karvo
