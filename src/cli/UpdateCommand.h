// The update of every game (or of the games named) from the command line: a line per game and
// fetch as the run goes, then the summary, a line per game.
#pragma once

#include "tickets/TicketResults.h"
#include "update/UpdateAll.h"

#include <functional>
#include <string_view>

namespace karvo {

// Where a command writes: the output and the error stream, UTF-8 text.
struct Console
{
    std::function<void(std::string_view)> out;
    std::function<void(std::string_view)> err;
    // A desktop notification (title, body; UTF-8), where the program can send one; may be empty.
    std::function<void(const std::string&, const std::string&)> notify = {};
};

// What the terminal shows of a run; cancelled() answers stop(). quiet: no step lines.
class ConsoleUpdateObserver : public UpdateAllObserver
{
public:
    ConsoleUpdateObserver(Console& console, std::function<bool()> stop, bool quiet = false);

    void planned(const std::vector<GamePlan>& plans) override;
    void stepStarted(GameCode game, const UpdateStep& step) override;
    void stepDone(GameCode game, const UpdateStep& step, int stepsDone) override;
    void gameFinished(const GameReport& report) override;
    bool cancelled() override;

private:
    Console& m_console;
    std::function<bool()> m_stop;
    bool m_quiet = false;
    std::vector<GamePlan> m_plans;
    bool m_stopSeen = false;
};

// "LOTTO          2025        2/3": the game, the step's label and the steps done of the game's steps.
std::string StepLine(GameCode game, const UpdateStep& step, int stepsDone, int steps);

// The games of a run that stored new draws, for the check of the kept tickets.
std::vector<NewDraws> NewDrawsOf(const std::vector<GameReport>& reports);

// Plans and runs the update in context.folder; returns the exit status: 0 when every game
// succeeded or was current, 1 when one failed, the run was stopped or the kept tickets cannot be
// read. Each failed game and an unreadable tickets file get a line on the error stream. quiet:
// neither the step lines nor the summary, only those lines and the tickets' wins. notify: the
// tickets' wins also go to console.notify, all in one.
int RunUpdateCommand(const UpdateAllContext& context, const UpdateAllOptions& options, Console& console,
                     const std::function<bool()>& stop, bool quiet = false, bool notify = false);

} // namespace karvo
