#include "cli/UpdateCommand.h"

#include "domain/GameNames.h"
#include "tickets/TicketFile.h"
#include "util/Cp1253.h"

#include <algorithm>

namespace karvo {

namespace {

// Windows-1253 text padded with blanks to width characters (one byte each before the conversion).
std::string Padded(std::string text, std::size_t width)
{
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

// "Τα δελτία μου:" and a line a ticket and draw worth telling; nothing when there is none. False
// when the kept tickets cannot be read: that goes to the error stream.
bool PrintTicketWins(const std::string& folder, const std::vector<GameReport>& reports, Console& console,
                     std::vector<std::string>& lines)
{
    try {
        const TicketList list = LoadTickets(folder);
        if (list.readOnly()) {
            console.err("karvo: " + Cp1253ToUtf8(list.problem) + "\n");
            return false;
        }
        lines = TicketWinsOfUpdate(folder, NewDrawsOf(reports));
    } catch (const std::exception& error) {
        console.err(std::string("karvo: ") + error.what() + "\n");
        return false;
    }
    if (lines.empty()) {
        return true;
    }
    std::string text = "\nΤα δελτία μου:\n";
    for (const std::string& line : lines) {
        text += Cp1253ToUtf8(line) + "\n";
    }
    console.out(text);
    return true;
}

} // namespace

std::vector<NewDraws> NewDrawsOf(const std::vector<GameReport>& reports)
{
    std::vector<NewDraws> games;
    for (const GameReport& report : reports) {
        if (report.stored > 0 && !IsMarket(report.game)) {
            games.push_back({report.game, HistoryEnd(report.lastDrawBefore, report.drawsThatDayBefore)});
        }
    }
    return games;
}

std::string StepLine(GameCode game, const UpdateStep& step, int stepsDone, int steps)
{
    const std::string line =
        Padded(GameName(game), 15) + Padded(step.label, 12) + std::to_string(stepsDone) + "/" + std::to_string(steps);
    return Cp1253ToUtf8(line) + "\n";
}

ConsoleUpdateObserver::ConsoleUpdateObserver(Console& console, std::function<bool()> stop, bool quiet)
    : m_console(console)
    , m_stop(std::move(stop))
    , m_quiet(quiet)
{
}

void ConsoleUpdateObserver::planned(const std::vector<GamePlan>& plans)
{
    m_plans = plans;
}

void ConsoleUpdateObserver::stepStarted(GameCode, const UpdateStep&) { }

void ConsoleUpdateObserver::stepDone(GameCode game, const UpdateStep& step, int stepsDone)
{
    const auto plan = std::ranges::find(m_plans, game, &GamePlan::game);
    const int steps = plan == m_plans.end() ? stepsDone : static_cast<int>(plan->steps.size());
    if (!m_quiet) {
        m_console.out(StepLine(game, step, stepsDone, steps));
    }
}

void ConsoleUpdateObserver::gameFinished(const GameReport&) { }

bool ConsoleUpdateObserver::cancelled()
{
    if (!m_stopSeen && m_stop()) {
        m_stopSeen = true;
        m_console.err("karvo: διακοπή· οι λήψεις που τρέχουν σταματούν, ό,τι αποθηκεύτηκε μένει\n");
    }
    return m_stopSeen;
}

int RunUpdateCommand(const UpdateAllContext& context, const UpdateAllOptions& options, Console& console,
                     const std::function<bool()>& stop, bool quiet, bool notify)
{
    const std::vector<GamePlan> plans = PlanUpdateAll(context.folder, context.today, options);
    ConsoleUpdateObserver observer(console, stop, quiet);
    const std::vector<GameReport> reports = RunUpdateAll(context, plans, observer);
    std::string summary = "\n";
    for (const GameReport& report : reports) {
        summary += Cp1253ToUtf8(ReportLine(report)) + "\n";
    }
    if (!quiet) {
        console.out(summary);
    }
    // A crontab line sends the output away and keeps the errors: each failed game is one of them.
    for (const GameReport& report : reports) {
        if (report.outcome == GameOutcome::Failed) {
            console.err("karvo: " + Cp1253ToUtf8(ReportLine(report)) + "\n");
        }
    }
    std::vector<std::string> wins;
    const bool ticketsRead = PrintTicketWins(context.folder, reports, console, wins);
    // One desktop notification for all the wins of the run; none when nothing was won.
    if (notify && !wins.empty() && console.notify) {
        std::string body;
        for (const std::string& line : wins) {
            body += (body.empty() ? "" : "\n") + Cp1253ToUtf8(line);
        }
        console.notify("Karvo: κέρδη δελτίων", body);
    }
    // A stop that came after the last step (output nobody reads) still ends in failure.
    return AllSucceeded(reports) && ticketsRead && !stop() ? 0 : 1;
}

} // namespace karvo
