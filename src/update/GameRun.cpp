#include "update/GameRun.h"

#include "util/Cp1253.h"
#include "util/KarvoError.h"

#include <algorithm>

namespace karvo {

namespace {

StepResult FaultOf(const KarvoError& error)
{
    return StepResult::Failed(GameFailure::Fault, Utf8ToCp1253(error.what()), error.what());
}

} // namespace

GameRun::GameRun(const UpdateAllContext& context, const GamePlan& plan)
    : m_plan(plan)
    , m_source(MakeStepSource(context, plan))
{
    m_report.game = plan.game;
    m_report.steps = static_cast<int>(plan.steps.size());
}

bool GameRun::begin()
{
    try {
        m_source->begin(m_report);
        m_begun = true;
    } catch (const KarvoError& error) {
        return fail(FaultOf(error));
    }
    return true;
}

std::vector<FetchRequest> GameRun::requests()
{
    std::vector<FetchRequest> requests;
    requests.reserve(m_plan.steps.size());
    for (std::size_t i = 0; i < m_plan.steps.size(); ++i) {
        requests.push_back(m_source->request(i));
    }
    return requests;
}

bool GameRun::handle(std::size_t index, const FetchedBody& body)
{
    StepResult result;
    try {
        result = m_source->handle(index, body);
    } catch (const KarvoError& error) {
        result = FaultOf(error);
    }
    m_source->release(index);
    if (result.failed()) {
        return fail(result);
    }
    if (result.stored) {
        m_report.storedSteps.push_back(m_plan.steps[index].label);
    }
    ++m_report.stepsDone;
    return true;
}

bool GameRun::fail(const StepResult& result)
{
    m_report.outcome = GameOutcome::Failed;
    m_report.failure = result.failure;
    m_report.cause = result.cause;
    m_report.message = result.message;
    for (std::size_t i = 0; i < m_plan.steps.size(); ++i) {
        m_source->release(i);
    }
    return false;
}

void GameRun::finish(GameOutcome unfinished)
{
    for (std::size_t i = 0; i < m_plan.steps.size(); ++i) {
        m_source->release(i);
    }
    m_finished = true;
    // A game that could not begin stored nothing; its count would measure from nothing.
    m_report.stored = m_begun ? static_cast<int>(std::max<std::int64_t>(m_source->storedCount(), 0)) : 0;
    if (m_report.outcome == GameOutcome::Failed) {
        return;
    }
    if (m_report.stepsDone < m_report.steps) {
        m_report.outcome = unfinished;
        return;
    }
    if (const StepResult settled = m_source->settle(); settled.failed()) {
        fail(settled);
        return;
    }
    m_report.outcome = m_report.stored > 0 ? GameOutcome::Stored : GameOutcome::UpToDate;
}

} // namespace karvo
