// The main window: its panels, the views of the game chosen, the command buttons and the keys.
#include "app/main/MainWindow.h"

#include "app/betting/CouponView.h"
#include "app/main/Appearance.h"
#include "app/main/CommandMenu.h"
#include "app/main/GameCatalogue.h"
#include "app/main/GamePanel.h"
#include "app/main/GameUpdater.h"
#include "app/main/KeyCodes.h"
#include "app/main/MarketView.h"
#include "app/main/NoticeBar.h"
#include "app/main/ResultsPanel.h"
#include "app/prizes/NextDrawFetcher.h"
#include "commands/Commands.h"
#include "domain/Games.h"
#include "market/MarketFiles.h"
#include "prizes/DrawService.h"
#include "results/DrawViews.h"
#include "update/UpdateAll.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/FolderLock.h"
#include "util/KarvoError.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <ctime>

namespace karvo {

namespace {

// The view the window opens with and MENU leads back to.
constexpr GameCode kOpeningGame = GameCode::PropoSunday;
// F3 runs the second command of the current game's menu.
constexpr int kF3MenuPosition = 2;
// The height of every view but the coupon's: the left panel down to its line of the next draw.
constexpr int kViewHeight = 600;

} // namespace

MainWindow::MainWindow(std::string workingFolder, TodayProvider today, QWidget* parent)
    : QMainWindow(parent)
    , m_folder(std::move(workingFolder))
    , m_today(std::move(today))
    , m_ui(this)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("KARVO-Νικήτριες 5.0"));
    auto* central = new QWidget(this);
    Paint(central, colours::skyBlue);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildUpdateAllAction();
    m_leftPanel = new GamePanel(m_updateAllAction, this);
    connect(m_leftPanel, &GamePanel::gameClicked, this, [this](GameCode game) { onGameButtonClicked(game); });
    connect(m_leftPanel, &GamePanel::webLinkClicked, this, [this] { onWebLinkClicked(); });
    layout->addWidget(m_leftPanel);
    auto* rightPanel = new ResultsPanel(this);
    m_titleLabel = rightPanel->titleLabel();
    m_mainGrid = rightPanel->mainGrid();
    m_sideGrid = rightPanel->sideGrid();
    m_updateButton = rightPanel->updateButton();
    m_commandsButton = rightPanel->commandsButton();
    m_menuButton = rightPanel->menuButton();
    connect(m_updateButton, &QPushButton::clicked, this, [this] { onUpdateClicked(); });
    connect(m_menuButton, &QPushButton::clicked, this, [this] { onMenuClicked(); });
    connect(m_commandsButton, &QPushButton::clicked, this, [this] { onCommandsClicked(); });
    layout->addWidget(rightPanel, 1);
    setCentralWidget(central);
    m_statusBar = new NoticeBar(GamePanel::kWidth, this);
    setStatusBar(m_statusBar);
    m_bet = new CouponView(m_sideGrid, m_state, m_ui, m_folder, this);
    m_market = new MarketView(m_mainGrid, m_sideGrid, m_state, m_folder, this);
    connect(m_market, &MarketView::daySelected, this, [this](int row) { onDaySelected(row); });
    m_commandMenu = new CommandMenu(*this, m_mainGrid, m_sideGrid, *m_bet, m_ui, m_folder);
    m_updater = new GameUpdater(*this, m_state, m_ui, m_folder, m_today, *m_statusBar,
                                [this](GameCode game) { showGameView(game); });
    m_ui.setStatusSink([this](const QString& text) { setStatusNotice(text); });
    m_nextDraw = new NextDrawFetcher(this);
    connect(m_nextDraw, &NextDrawFetcher::answered, this, [this](GameCode game) {
        if (game == m_state.GameCode && m_leftPanel->isVisible()) {
            showNextDraw(game);
        }
    });

    resize(896, kViewHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    // Key preview: F3 is seen wherever the focus is in this window.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

SystemWindow* MainWindow::calculator() const
{
    return m_bet->calculator();
}

void MainWindow::buildUpdateAllAction()
{
    m_updateAllAction = new QAction(QStringLiteral("Ενημέρωση όλων"), this);
    m_updateAllAction->setObjectName(QStringLiteral("updateAllAction"));
    m_updateAllAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    m_updateAllAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_updateAllAction);
    connect(m_updateAllAction, &QAction::triggered, this, [this] { onUpdateAllTriggered(); });
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        prepareFirstShow();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const int code = KeyCodeOf(*static_cast<QKeyEvent*>(event));
        if (widget != nullptr && widget->window() == this && code == kKeyF3) {
            onKeyPressed(code);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

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
    m_statusBar->greet();
    m_state.KinoPeriodFile.clear();
    CreateFolder(m_folder + kDataFolderName);
    CreateFolder(MarketFolder(m_folder));
    RemoveStaleUpdateScratch(m_folder, std::time(nullptr));
    m_state.FirstYear = FirstYearFor(m_today().year());
    m_state.CouponImportCount = 0;
    m_starting = true;
    onGameButtonClicked(kOpeningGame);
    m_starting = false;
}

void MainWindow::onGameButtonClicked(GameCode code)
{
    m_state.GameCode = code;
    const GameInfo& game = GameInfoFor(code);
    // The coupon keeps the height the user gave it.
    if (game.view != ViewKind::Bet) {
        resize(width(), kViewHeight);
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
    case ViewKind::Kino:
        showDrawView(BuildGameView(m_folder, code, m_state.FirstYear, m_state.KinoPeriodFile));
        // The line of the next draw comes when the service answers, never holding up the view.
        showNextDraw(code);
        m_nextDraw->request(code);
        break;
    case ViewKind::Stock: showMarketView(MarketKind::Stock); break;
    case ViewKind::Bet: showCoupon(); break;
    case ViewKind::Funds: showMarketView(MarketKind::Funds); break;
    }
}

void MainWindow::showNextDraw(GameCode game)
{
    const std::optional<NextDraw> next = m_nextDraw->known(game);
    m_leftPanel->setNextDraw(next && next->active ? ToQString(NextDrawLine(*next->active)) : QString());
}

std::optional<DrawPrizes> MainWindow::servedDrawPrizes(GameCode game, QDate date) const
{
    const std::optional<NextDraw> next = m_nextDraw->known(game);
    if (next && next->last && next->last->prizes.date == date && !next->last->prizes.categories.empty()) {
        return next->last->prizes;
    }
    return std::nullopt;
}

void MainWindow::showDrawView(DrawView view)
{
    m_titleLabel->setText(ToQString(view.title));
    m_mainGrid->showGrid(std::move(view.grid)); // a long history is not copied again
    if (view.clearsStatus) {
        setStatusNotice(QString());
    }
    resize(GamePanel::kWidth + view.widthAdded, height());
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

void MainWindow::showMarketView(MarketKind kind)
{
    const bool stock = kind == MarketKind::Stock;
    m_state.ExportBaseName = stock ? "STOCK" : "AMB";
    m_leftPanel->hide();
    resize(stock ? 871 : 959, height());
    m_titleLabel->setText(stock ? QStringLiteral("S T O C K") : QStringLiteral("Α Μ Ο Ι Β Α Ι Α"));
    const int lastDay = m_market->show(kind);
    onDaySelected(lastDay);
    setStatusNotice(QString());
    m_state.FirstYearRow = 1;
}

void MainWindow::onDaySelected(int row)
{
    const GameCode game = m_state.GameCode;
    if (IsMarket(game)) {
        guarded([this, game, row] { m_market->showDay(MarketKindOf(game), row); });
    }
}

void MainWindow::onMenuClicked()
{
    if (m_state.GameCode == GameCode::Bet) {
        m_bet->store();
    }
    m_leftPanel->show();
    onGameButtonClicked(kOpeningGame);
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
        guarded([this] { m_updater->updateMarket(); });
    } else {
        guarded([this] { m_updater->updateDrawGame(); });
    }
}

void MainWindow::onUpdateAllTriggered()
{
    // The dialog's own event processing must not start a second run.
    if (m_updatingAll) {
        return;
    }
    m_updatingAll = true;
    guarded([this] { m_updater->updateEveryGame(); });
    m_updatingAll = false;
}

void MainWindow::onKeyPressed(int key)
{
    if (key == kKeyF3) {
        runCommand(kF3MenuPosition);
    }
}

void MainWindow::onCommandsClicked()
{
    m_commandMenu->popup(m_updateAllAction);
}

void MainWindow::runCommand(int position)
{
    emit commandRun(CommandNumber(m_state.GameCode, position));
    guarded([this, position] { m_commandMenu->run(position); });
}

void MainWindow::setStatusNotice(const QString& text)
{
    m_statusBar->setNotice(text);
}

void MainWindow::onWebLinkClicked()
{
    m_ui.ShellOpen("https://github.com/karvo-app/karvo");
}

} // namespace karvo
