// The main window's handlers: start-up, game selection, the views, the menu button, the keys and
// the command dispatcher.
#include "app/TForm1.h"

#include "app/Appearance.h"
#include "app/BetView.h"
#include "app/FetchProgressDialog.h"
#include "app/GameCatalogue.h"
#include "app/StatsCommands.h"
#include "commands/Commands.h"
#include "market/MarketFiles.h"
#include "results/DrawViews.h"
#include "update/UpdateDriver.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Games.h"
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
constexpr int kKeyF3 = 114;

} // namespace

void TForm1::guarded(const std::function<void()>& body)
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

void TForm1::FormShow()
{
    SBar->setFont(SansPointFont(10));
    m_panel0->setText(QStringLiteral("ΚAΛΗ ΤΥΧΗ !"));
    m_state.KinoPeriodFile.clear();
    CreateFolder(m_folder + "Data");
    CreateFolder(MarketFolder(m_folder));
    RemoveStaleScratchFiles(m_folder, {"DATA", kMarketFolderName}, TempFolder(), std::time(nullptr));
    m_state.FirstYear = FirstYearFor(m_today().year());
    m_state.CouponImportCount = 0;
    setTag(1);
    m_starting = true;
    OPAPClick(this);
    m_starting = false;
}

void TForm1::OPAPClick(QObject* sender)
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
    UPDATE->setText(UpdateCaption(code));
    UPDATE->setVisible(game.update != UpdateKind::None);
    // MENU leads back from the screens that hide the game buttons: the market and the coupon.
    MENU->setVisible(!IsDrawGame(code));
    MENU->move(730, MENU->y());
    if (!IsMarket(code)) {
        SG->setMinimumWidth(0);
        SG->setMaximumWidth(QWIDGETSIZE_MAX);
        SG1->setFont(FixedPixelFont(11));
        SG1->horizontalHeader()->setFont(SG1->font());
        SG->show();
        SG1->hide();
        CLICK->show();
    }
    guarded([this, code] { showGameView(code); });
}

void TForm1::showGameView(GameCode code)
{
    const GameInfo& game = GameInfoFor(code);
    switch (game.view) {
    case ViewKind::Propo: VIEWPROPO(game.variant); break;
    case ViewKind::NumberGame: VIEWLOTTO(game.variant); break;
    case ViewKind::Proto: VIEWPROTO(); break;
    case ViewKind::Extra: VIEWEXTRA(); break;
    case ViewKind::Super3: VIEWSUPER3(); break;
    case ViewKind::Kino: VIEWKINO(); break;
    case ViewKind::Stock: VIEWSTOCK(); break;
    case ViewKind::Bet: VIEWBET(); break;
    case ViewKind::Funds: VIEWAMB(); break;
    }
}

void TForm1::VIEWPROPO(int game)
{
    showDrawView(BuildPropoView(m_folder, game, m_state.FirstYear));
}

void TForm1::VIEWLOTTO(int variant)
{
    showDrawView(BuildLottoView(m_folder, variant, m_state.FirstYear));
}

void TForm1::VIEWPROTO()
{
    showDrawView(BuildProtoView(m_folder, m_state.FirstYear));
}

void TForm1::VIEWEXTRA()
{
    showDrawView(BuildExtraView(m_folder, m_state.FirstYear));
}

void TForm1::VIEWSUPER3()
{
    showDrawView(BuildSuper3View(m_folder, m_state.FirstYear));
}

void TForm1::VIEWKINO()
{
    showDrawView(BuildKinoView(m_folder, m_state.KinoPeriodFile));
}

void TForm1::showDrawView(DrawView view)
{
    P_TOP->setText(ToQString(view.title));
    SG->showGrid(std::move(view.grid)); // a long history is not copied again
    if (view.clearsStatus) {
        StatusNotice(QString());
    }
    resize(kLeftPanelWidth + view.widthAdded, height());
    m_state.FirstYearRow = view.FirstYearRow;
    m_state.ExportBaseName = view.ExportBaseName;
}

void TForm1::VIEWBET()
{
    P_LEFT->hide();
    resize(852, height());
    P_TOP->setText(QStringLiteral("Σ Τ Ο Ι Χ Η Μ Α"));
    // The coupon fills the window; only its last column, the user's system, takes typing.
    SG->hide();
    SG1->setMinimumWidth(0);
    SG1->setMaximumWidth(QWIDGETSIZE_MAX);
    m_bet->show();
    SG1->show();
}

void TForm1::MENUClick()
{
    if (m_state.GameCode == GameCode::Bet) {
        storeBetGrid();
    }
    P_LEFT->show();
    setTag(1);
    OPAPClick(this);
}

void TForm1::storeBetGrid()
{
    m_bet->store();
}

void TForm1::UpdateClick()
{
    if (IsMarket(m_state.GameCode)) {
        guarded([this] { runMarketUpdate(); });
        return;
    }
    guarded([this] {
        FetchProgressDialog progress(this, QStringLiteral("Ενημέρωση Νικητριών"), QString());
        UpdateContext context = MakeUpdateContext(m_state, m_ui, m_folder, m_today(), &progress);
        UpdateOutcome outcome;
        try {
            outcome = RunUpdate(context);
        } catch (const std::exception&) {
            StatusNotice(QString()); // the wait notice must not outlast the failure's box
            throw;
        }
        if (!outcome.viewGame) {
            return;
        }
        // A failed download's notice outlasts the view, even the KINO view that clears the bar.
        const QString notice = m_panel1->text().mid(2);
        showGameView(*outcome.viewGame);
        StatusNotice(outcome.clearNotice ? QString() : notice);
    });
}

void TForm1::FormKeyDown(int key)
{
    if (key != kKeyF3) {
        return;
    }
    setTag(2);
    RunCommand(tag());
}

void TForm1::CLICKClick()
{
    // A new menu on every press, built for the game current now; the previous one goes.
    if (m_commandMenu) {
        m_commandMenu->deleteLater();
    }
    m_commandMenu = new QMenu(this);
    m_commandMenu->setObjectName(QStringLiteral("CommandMenu"));
    const std::vector<std::string> captions = MenuCaptions(m_state.GameCode);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        QAction* item = m_commandMenu->addAction(ToQString(captions[i]));
        item->setData(position);
        connect(item, &QAction::triggered, this, [this, position] { RunCommand(position); });
    }
    AddStatsMenuItems(*m_commandMenu, *this);
    m_commandMenu->popup(QCursor::pos());
}

void TForm1::RunCommand(int position)
{
    emit commandRun(CommandNumber(m_state.GameCode, position));
    guarded([this, position] {
        // The user may have moved the selection since the grids were filled.
        CellGrid& sg = SG->gridModel()->mutableGrid();
        CellGrid& sg1 = SG1->gridModel()->mutableGrid();
        sg.setCurrentRow(SG->currentGridRow());
        sg1.setCurrentRow(SG1->currentGridRow());
        CommandContext context{m_state, sg,       sg1,
                               m_ui,    m_folder, [this](Command command) { m_bet->runCommand(command); }};
        const int rowsBefore[2] = {sg.rowCount(), sg1.rowCount()};
        CellGrid* changed = karvo::RunCommand(position, context);
        if (changed == nullptr) {
            return;
        }
        GridView* view = changed == &sg ? SG : SG1;
        const int column = std::max(view->currentIndex().column(), 0);
        // Find-all commands rewrite the side grid's rows and may change a caption.
        const int command = CommandNumber(m_state.GameCode, position);
        const bool findAll =
            command == static_cast<int>(Command::FindAllInList) || command == static_cast<int>(Command::FindAllInFiles);
        if (changed->rowCount() != rowsBefore[changed == &sg ? 0 : 1] || findAll) {
            view->gridModel()->refresh(); // rows were dropped: the list itself changed
        }
        view->selectGridRow(changed->currentRow(), column);
    });
}

void TForm1::StatusNotice(const QString& text)
{
    m_panel1->setText(QStringLiteral("  ") + text);
    if (text.isEmpty()) {
        SBar->setAutoFillBackground(false);
        SBar->setPalette(QPalette());
    } else {
        QPalette palette = SBar->palette();
        palette.setColor(QPalette::Window, colours::yellow);
        SBar->setPalette(palette);
        SBar->setAutoFillBackground(true);
    }
    // Painted now: the notice must be seen before a long fetch blocks the window.
    SBar->repaint();
}

void TForm1::WEBMouseMove(bool overLabel)
{
    QPalette palette = WEB->palette();
    palette.setColor(QPalette::WindowText, overLabel ? QColor(Qt::blue) : colours::silver);
    WEB->setPalette(palette);
}

void TForm1::WEBClick()
{
    m_ui.ShellOpen("https://github.com/karvo-app/karvo");
}

} // namespace karvo
