#include "update/UpdateDriver.h"

#include "market/MarketUpdate.h"
#include "results/ResultsFiles.h"
#include "update/UpdateAll.h"
#include "update/UpdateLists.h"
#include "update/WorkbookStores.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Paths.h"

namespace karvo {

namespace {

// How the run of the chosen step ended, for the window.
struct StepTold
{
    bool failed = false; // the download failed, held nothing or was cancelled: its notice stays
    bool refused = false;
    bool cancelled = false;
};

// The window's progress while the run lasts: its Cancel stops the run.
class ProgressObserver : public UpdateAllObserver
{
public:
    ProgressObserver(UserInterface& ui, FetchProgress* progress)
        : m_ui(ui)
        , m_progress(progress)
    {
    }
    void planned(const std::vector<GamePlan>&) override { }
    void stepStarted(GameCode, const UpdateStep&) override { }
    void stepDone(GameCode, const UpdateStep&, int stepsDone) override
    {
        if (m_progress != nullptr) {
            m_progress->advance(stepsDone);
        }
    }
    void gameFinished(const GameReport&) override { }
    bool cancelled() override
    {
        if (m_progress == nullptr) {
            m_ui.processPendingEvents();
            return false;
        }
        return m_progress->cancelled();
    }

private:
    UserInterface& m_ui;
    FetchProgress* m_progress;
};

// Runs the step the user chose and tells its end as the update button does: a notice for a
// failed or cancelled download, a warning for a refused workbook, a KarvoError for the rest.
StepTold RunChosenStep(UpdateContext& context, GameCode game, const UpdateStep& step)
{
    const UpdateAllContext run{context.folder, context.today, context.servers, MarketServersInUse(), context.limits, 1};
    const GamePlan plan{game, {step}, true};
    ProgressObserver observer(context.ui, context.progress);
    GameReport report;
    {
        ProgressScope scope(context.progress, 1);
        context.ui.processPendingEvents();
        report = RunUpdateAll(run, {plan}, observer).front();
    }
    StepTold told;
    if (report.outcome == GameOutcome::Cancelled) {
        context.ui.StatusNotice(CancelledNoticeText());
        told.failed = true;
        told.cancelled = true;
        return told;
    }
    if (report.outcome != GameOutcome::Failed) {
        return told;
    }
    switch (report.failure) {
    case GameFailure::Refused:
        context.ui.ShowNotice(NoticeKind::Warning, report.cause);
        told.refused = true;
        return told;
    case GameFailure::Named:
    case GameFailure::Fault: throw KarvoError(report.message);
    default:
        // An answer too small to be a workbook is as good as none: the notice must say so, or a
        // failed update would look like one that found nothing new.
        context.ui.StatusNotice(DownloadErrorNotice);
        told.failed = true;
        return told;
    }
}

UpdateOutcome RunKinoUpdate(UpdateContext& context)
{
    const std::vector<KinoPeriod> periods = KinoPeriods(context.today.year(), context.today.month());
    const int choice =
        context.ui.ChooseFromList(Utf8ToCp1253("Ενημέρωση Νικητριών"), KinoPeriodLabels(periods), "", true);
    UpdateOutcome outcome;
    if (choice < 1 || choice > static_cast<int>(periods.size())) {
        return outcome;
    }
    const KinoPeriod& period = periods[static_cast<std::size_t>(choice - 1)];
    context.state.SelectedYear = period.year;
    context.state.KinoPeriodFile = KinoMonthFileName(period.year, period.month);
    const std::string monthFile = context.folder + context.state.KinoPeriodFile;
    // A past month kept on disk is final; the current month grows and is always fetched again.
    const bool current = period.year == context.today.year() && period.month == context.today.month();
    if (current || FileSizeOf(monthFile) <= kSmallestKinoMonthFile) {
        // The month is built anew from the workbook, but a kept file that cannot be read is a
        // fault the user must see before anything is fetched.
        ReadKinoFile(monthFile);
        context.ui.StatusNotice(WaitNoticeText());
        const StepTold told = RunChosenStep(context, GameCode::Kino, MonthStep(period.year, period.month));
        if (told.failed || told.refused) {
            return outcome;
        }
    }
    outcome.viewGame = GameCode::Kino;
    outcome.clearNotice = true;
    return outcome;
}

// SUPER3's workbook of a month is fetched unless a whole copy is kept, and opened by the desktop.
StepTold RunSuper3Update(UpdateContext& context, int year)
{
    const GameInfo& super3 = GameInfoFor(GameCode::Super3);
    StepTold told;
    int month = 0;
    if (year >= super3.firstPublishedYear) {
        month = context.ui.ChooseFromList("Super3 " + std::to_string(year), Super3MonthItems(), "", true);
        if (month < 1 || month > 12) {
            return told;
        }
    }
    context.ui.StatusNotice(WaitNoticeText());
    if (year < super3.firstPublishedYear) {
        return told;
    }
    const std::string local = Super3Workbook(context.folder, year, month);
    if (FileSizeOf(local) < kWholeSuper3Workbook) {
        told = RunChosenStep(context, GameCode::Super3, MonthStep(year, month));
        if (told.cancelled) {
            return told;
        }
    }
    // The desktop opens whatever copy there is; it reports a missing file in its own way.
    context.ui.ShellOpen(PathToSingleByte(NativePath(local).toStdString()));
    return told;
}

} // namespace

std::string CancelledNoticeText()
{
    return Utf8ToCp1253("Διακόπηκε από τον χρήστη.");
}

UpdateContext MakeUpdateContext(ProgramState& state, UserInterface& ui, const std::string& folder, QDate today,
                                FetchProgress* progress)
{
    return UpdateContext{state, ui, folder, today, ServersInUse(), DownloadLimits{}, progress};
}

UpdateOutcome RunUpdate(UpdateContext& context)
{
    const GameCode game = context.state.GameCode;
    const GameInfo& info = GameInfoFor(game);
    UpdateOutcome outcome;
    if (info.view == ViewKind::Kino) {
        return RunKinoUpdate(context);
    }
    // The market games ask for their days in the market library, run by the window.
    if (info.update != UpdateKind::YearResults && info.update != UpdateKind::Period) {
        return outcome;
    }
    const std::vector<std::string> years = YearListItems(context.today.year());
    const int choice = context.ui.ChooseFromList(Utf8ToCp1253("Ενημέρωση Νικητριών"), years, "", true);
    // A cancelled choice touches nothing, not even the status bar.
    if (choice < 1 || choice > static_cast<int>(years.size())) {
        return outcome;
    }
    const int year = FirstFetchYear - 1 + choice;
    context.state.SelectedYear = year;
    StepTold told;
    if (info.view == ViewKind::Super3) {
        told = RunSuper3Update(context, year);
    } else {
        context.ui.StatusNotice(WaitNoticeText());
        told = RunChosenStep(context, game, YearStep(year));
    }
    outcome.viewGame = game;
    // A failed download's notice stays: otherwise it would look like an update that found nothing new.
    outcome.clearNotice = !told.failed;
    return outcome;
}

} // namespace karvo
