// Where a game's update fetches from and how it stores what arrives, one kind of source each:
// a year's results workbook, a KINO month's workbook, SUPER3's month workbook kept as it is, a
// market day. A GameRun asks its source for each step's request and hands it each answer.
#pragma once

#include "download/FetchRunner.h"
#include "update/UpdateAll.h"

#include <cstdint>
#include <memory>
#include <string>

namespace karvo {

// How a step ended: stored something, nothing new, or failed (the game with it).
struct StepResult
{
    bool stored = false;
    GameFailure failure = GameFailure::None;
    std::string cause;   // Windows-1253
    std::string message; // UTF-8, for a Named failure or a Fault

    static StepResult Stored(bool stored) { return {stored, GameFailure::None, {}, {}}; }
    static StepResult Failed(GameFailure failure, std::string cause, std::string message = {})
    {
        return {false, failure, std::move(cause), std::move(message)};
    }
    bool failed() const { return failure != GameFailure::None; }
};

class StepSource
{
public:
    virtual ~StepSource() = default;
    // Reads what the game holds before the run: the last draw or day into report. A file that
    // cannot be read throws KarvoError; nothing is fetched then.
    virtual void begin(GameReport& report) = 0;
    // The request of step index.
    virtual FetchRequest request(std::size_t index) = 0;
    // Stores the answer of step index. A file that cannot be read or written, or an answer that
    // is no workbook, throws KarvoError.
    virtual StepResult handle(std::size_t index, const FetchedBody& body) = 0;
    // Drops what step index kept while under way (its scratch file).
    virtual void release(std::size_t /*index*/) { }
    // What the steps stored in all: draws, KINO's records, SUPER3's months or market days.
    virtual std::int64_t storedCount() const = 0;
    // Once every step was handled: a failure the steps tell only together, if any.
    virtual StepResult settle() const { return {}; }
};

// The source of plan's game within context.
std::unique_ptr<StepSource> MakeStepSource(const UpdateAllContext& context, const GamePlan& plan);

} // namespace karvo
