// One game within the update of every game: what it held before, the scratch files its
// workbooks arrive in, and each delivered step handled as the game's own update handles it
// after its fetch. A step that fails ends the game; the report says why.
#pragma once

#include "download/Download.h"
#include "update/UpdateAll.h"

#include <map>
#include <memory>

namespace karvo {

class GameRun
{
public:
    GameRun(const UpdateAllContext& context, const GamePlan& plan);

    // Reads what the game holds before the run; false when that failed, the report saying why
    // (nothing is fetched then).
    bool begin();
    // The requests of the plan's steps, in order: workbooks into scratch files made as each
    // starts, market days in memory.
    std::vector<FetchRequest> requests();
    // Handles the body of step index; false when the step failed and the game with it.
    bool handle(std::size_t index, FetchedBody body);
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
    enum class Kind { Draws, Propo, Kino, Super3, Stock, Funds };

    bool fail(std::string cause);
    bool handleWorkbook(std::size_t index, const FetchedBody& body);
    std::string storeWorkbook(const UpdateStep& step, const std::string& local);
    bool handleDay(std::size_t index, const FetchedBody& body);
    std::string dayUrl(const UpdateStep& step) const;
    std::int64_t drawCount() const;
    // The year of the last draw the game's file holds now, 0 when none or unreadable.
    int lastStoredYear() const;
    std::int64_t kinoMonthCount(const std::string& monthFile) const;
    std::string workbookUrl(const UpdateStep& step) const;
    std::string localWorkbook(const UpdateStep& step) const;

    const UpdateAllContext& m_context;
    const GamePlan& m_plan;
    Kind m_kind;
    GameReport m_report;
    bool m_finished = false;
    std::size_t m_job = 0;
    int openScratch(std::size_t index);

    std::vector<std::unique_ptr<DownloadScratch>> m_scratch; // a workbook step's while it is under way
    std::string m_scratchFailure;                            // why a scratch file could not be made
    std::int64_t m_drawsBefore = 0;
    std::int64_t m_heldAfterLastStep = 0; // draws (KINO: records added) after the last step stored
    bool m_nothingBefore = false;         // no draw stored before the run
    bool m_broughtDraws = false;          // a step of this run stored draws
    std::int64_t m_kinoRecords = 0;       // records added to the month files handled
    int m_kept = 0;                       // SUPER3's workbooks new or changed; market days stored
    int m_notPublished = 0;               // years before the first stored one the archive does not hold
};

} // namespace karvo
