// The main window's update of every game: the plan, the run under its progress dialog, the
// view rebuilt when its game got something new, and once the summary is closed what the new
// draws won for the kept tickets.
#include "app/dialogs/UpdateAllDialog.h"
#include "app/main/MainWindow.h"
#include "app/tickets/TicketWinsNotice.h"
#include "cli/UpdateCommand.h"
#include "tickets/TicketResults.h"
#include "update/UpdateAll.h"
#include "util/FolderLock.h"
#include "util/KarvoError.h"

#include <algorithm>

namespace karvo {

void MainWindow::onUpdateAllTriggered()
{
    // The dialog's own event processing must not start a second run.
    if (m_updatingAll) {
        return;
    }
    m_updatingAll = true;
    guarded([this] {
        FolderLock lock(m_folder);
        if (!lock.tryLock()) {
            throw KarvoError(FolderBusyText());
        }
        const QDate today = m_today();
        const std::vector<GamePlan> plans = PlanUpdateAll(m_folder, today, UpdateAllOptions{});
        UpdateAllDialog dialog(this);
        dialog.show();
        const std::vector<GameReport> reports = RunUpdateAll(MakeUpdateAllContext(m_folder, today), plans, dialog);
        const GameCode shown = m_state.GameCode;
        if (std::any_of(reports.begin(), reports.end(),
                        [shown](const GameReport& report) { return report.game == shown && report.stored > 0; })) {
            showGameView(shown);
        }
        dialog.showSummary(reports);
        ShowTicketWins(this, TicketWinsOfUpdate(m_folder, NewDrawsOf(reports)));
    });
    m_updatingAll = false;
}

} // namespace karvo
