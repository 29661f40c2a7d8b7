// The update of every game (or of the games named) from the command line: a line per game and
// fetch as the run goes, then the summary, a line per game.
#pragma once

#include "stats/TicketResults.h"
#include "update/UpdateAll.h"

#include <functional>
#include <string_view>

namespace karvo {

// Where a command writes: the output and the error stream, UTF-8 text.
struct Console
{
    std::function<void(std::string_view)> out;
    std::function<void(std::string_view)> err;
};

// What the terminal shows of a run; cancelled() answers stop().
class ConsoleUpdateObserver : public UpdateAllObserver
{
public:
    ConsoleUpdateObserver(Console& console, std::function<bool()> stop);

    void planned(const std::vector<GamePlan>& plans) override;
    void stepStarted(GameCode game, const UpdateStep& step) override;
    void stepDone(GameCode game, const UpdateStep& step, int stepsDone) override;
    void gameFinished(const GameReport& report) override;
    bool cancelled() override;

private:
    Console& m_console;
    std::function<bool()> m_stop;
    std::vector<GamePlan> m_plans;
    bool m_stopSeen = false;
};

// "LOTTO          2025        2/3": the game, the step's label and the steps done of the game's steps.
std::string StepLine(GameCode game, const UpdateStep& step, int stepsDone, int steps);

// The games of a run that stored new draws, for the check of the kept tickets.
std::vector<NewDraws> NewDrawsOf(const std::vector<GameReport>& reports);

// Plans and runs the update in context.folder; returns the exit status: 0 when every game
// succeeded or was current, 1 when one failed or the run was stopped. The tickets' lines never
// change it: a results file that cannot be read for them is told on the error stream.
int RunUpdateCommand(const UpdateAllContext& context, const UpdateAllOptions& options, Console& console,
                     const std::function<bool()>& stop);

} // namespace karvo
