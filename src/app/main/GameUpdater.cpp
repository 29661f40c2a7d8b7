#include "app/main/GameUpdater.h"

#include "app/dialogs/FetchProgressDialog.h"
#include "app/dialogs/UpdateAllDialog.h"
#include "app/main/MarketView.h"
#include "app/main/NoticeBar.h"
#include "app/tickets/TicketWinsNotice.h"
#include "cli/UpdateCommand.h"
#include "market/MarketUpdate.h"
#include "market/MarketViews.h"
#include "tickets/TicketResults.h"
#include "update/UpdateAll.h"
#include "update/UpdateDriver.h"
#include "util/Cp1253.h"
#include "util/FolderLock.h"
#include "util/KarvoError.h"

#include <algorithm>

namespace karvo {

GameUpdater::GameUpdater(QWidget& window, ProgramState& state, QtUserInterface& ui, std::string folder,
                         std::function<QDate()> today, NoticeBar& notices, std::function<void(GameCode)> showView)
    : QObject(&window)
    , m_window(window)
    , m_state(state)
    , m_ui(ui)
    , m_folder(std::move(folder))
    , m_today(std::move(today))
    , m_notices(notices)
    , m_showView(std::move(showView))
{
}

void GameUpdater::updateDrawGame()
{
    // The draws dated after the last one stored now are the new ones the tickets are checked against.
    const GameCode game = m_state.GameCode;
    const std::optional<HistoryEnd> lastDrawBefore = LastDrawBeforeUpdate(m_folder, game);
    FetchProgressDialog progress(&m_window, QStringLiteral("Ενημέρωση Νικητριών"), QString());
    UpdateContext context = MakeUpdateContext(m_state, m_ui, m_folder, m_today(), &progress);
    UpdateOutcome outcome;
    try {
        outcome = RunUpdate(context);
    } catch (const std::exception&) {
        m_notices.setNotice(QString()); // the wait notice must not outlast the failure's box
        throw;
    }
    if (!outcome.viewGame) {
        return;
    }
    // A failed download's notice outlasts the view, even the KINO view that clears the bar.
    const QString notice = m_notices.notice();
    m_showView(*outcome.viewGame);
    m_notices.setNotice(outcome.clearNotice ? QString() : notice);
    TellTicketWins(&m_window, m_folder, game, lastDrawBefore);
}

void GameUpdater::updateMarket()
{
    const GameCode game = m_state.GameCode;
    const MarketKind kind = MarketKindOf(game);
    FetchProgressDialog progress(&m_window, QStringLiteral("ΗΜΕΡΟΜΗΝΙΕΣ  ΑΠΟ - ΕΩΣ"),
                                 QStringLiteral("Ημέρες: %1 από %2"));
    MarketContext context{m_ui, m_folder, m_today(), MarketServersInUse(), &FetchDays, &progress};
    MarketReport report;
    try {
        report = kind == MarketKind::Stock ? UpdateStock(context) : UpdateFunds(context);
    } catch (...) {
        m_showView(game); // the days stored before the failure are shown
        throw;
    }
    if (!report.ran) {
        return;
    }
    m_showView(game);
    m_notices.setNotice(ToQString(MarketAccount(report)));
    // The days stored before a day file failed are shown with their account, then the failure.
    if (!report.writeFailure.empty()) {
        throw KarvoError(report.writeFailure);
    }
    // Silence would look like a range without trading days.
    if (report.serverUnreachable()) {
        m_ui.ShowNotice(NoticeKind::Warning, UnreachableWarning(report));
    }
}

void GameUpdater::updateEveryGame()
{
    FolderLock lock(m_folder);
    if (!lock.tryLock()) {
        throw KarvoError(FolderBusyText());
    }
    const QDate today = m_today();
    const std::vector<GamePlan> plans = PlanUpdateAll(m_folder, today, UpdateAllOptions{});
    UpdateAllDialog dialog(&m_window);
    dialog.show();
    const std::vector<GameReport> reports = RunUpdateAll(MakeUpdateAllContext(m_folder, today), plans, dialog);
    // The view is rebuilt when its game got something new.
    const GameCode shown = m_state.GameCode;
    if (std::any_of(reports.begin(), reports.end(),
                    [shown](const GameReport& report) { return report.game == shown && report.stored > 0; })) {
        m_showView(shown);
    }
    dialog.showSummary(reports);
    ShowTicketWins(&m_window, TicketWinsOfUpdate(m_folder, NewDrawsOf(reports)));
}

} // namespace karvo
