// One game within an update run: its source's requests, each delivered answer handed to the
// source, and the report. A step that fails ends the game; the report says why.
#pragma once

#include "update/StepSource.h"

#include <memory>

namespace karvo {

class GameRun
{
public:
    GameRun(const UpdateAllContext& context, const GamePlan& plan);

    // Reads what the game holds before the run; false when that failed, the report saying why
    // (nothing is fetched then).
    bool begin();
    // The requests of the plan's steps, in order.
    std::vector<FetchRequest> requests();
    // Handles the body of step index; false when the step failed and the game with it.
    bool handle(std::size_t index, const FetchedBody& body);
    // Counts what was stored and settles the outcome; a game whose steps were not all handled
    // and did not fail ends as unfinished says (Cancelled).
    void finish(GameOutcome unfinished = GameOutcome::Cancelled);

    GameReport& report() { return m_report; }
    const GamePlan& plan() const { return m_plan; }
    bool finished() const { return m_finished; }
    // The runner's job of the game's requests.
    std::size_t job() const { return m_job; }
    void setJob(std::size_t job) { m_job = job; }

private:
    bool fail(const StepResult& result);

    const GamePlan& m_plan;
    std::unique_ptr<StepSource> m_source;
    GameReport m_report;
    bool m_begun = false;
    bool m_finished = false;
    std::size_t m_job = 0;
};

} // namespace karvo
