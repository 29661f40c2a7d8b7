// Bringing every game's stored history up to date in one run: what each game is missing is
// worked out from the files in the working folder, then fetched through one FetchRunner, the
// games side by side and at most a few transfers at a time across all of them. Each game keeps
// its own order and its own rules; every file is written as the single updates write it. One
// game's failure never stops the others.
#pragma once

#include "domain/Endpoints.h"
#include "download/FetchRunner.h"
#include "market/MarketUpdate.h"
#include "update/UpdatePlan.h"

#include <QDate>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace karvo {

enum class GameOutcome {
    UpToDate,  // nothing new
    Stored,    // new draws, days or month workbooks stored
    Failed,    // a step failed: the cause says why; what was stored before it stays
    Cancelled, // the user stopped the run before the game's last step
};

// What made a game fail, for the update button that tells each in its own way.
enum class GameFailure {
    None,
    Download, // no answer, an error answer, or one too small to be what was asked for
    Named,    // a transfer stopped by one of the program's limits, or its file not written
    Refused,  // an answer out of format: nothing was written
    Fault,    // a file that cannot be read or written, an answer that is no workbook
};

struct GameReport
{
    GameCode game = GameCode::Lotto;
    GameOutcome outcome = GameOutcome::UpToDate;
    int steps = 0;     // fetches planned
    int stepsDone = 0; // fetches delivered and handled
    int stored = 0;    // new draws (days for STOCK and ΑΜΟΙΒΑΙΑ, month workbooks for SUPER3)
    std::string cause; // Windows-1253: why the game failed, for the summary
    GameFailure failure = GameFailure::None;
    std::string message; // UTF-8: a Named failure or a Fault as a message box says it
    // The labels of the steps that stored something ("2024", "2024-03", "05/12/2026"), in order.
    std::vector<std::string> storedSteps;
    // yyyymmdd of the last draw stored before the run, 0 when none: the draws after it are new.
    std::int32_t lastDrawBefore = 0;
    // The draws dated lastDrawBefore stored before the run (KINO draws many a day).
    std::int64_t drawsThatDayBefore = 0;
};

// What a run shows as it goes: the window's table, the command line's lines.
class UpdateAllObserver
{
public:
    virtual ~UpdateAllObserver() = default;
    virtual void planned(const std::vector<GamePlan>& plans) = 0;
    virtual void stepStarted(GameCode game, const UpdateStep& step) = 0;
    // stepsDone: the game's steps handled so far, this one included.
    virtual void stepDone(GameCode game, const UpdateStep& step, int stepsDone) = 0;
    virtual void gameFinished(const GameReport& report) = 0;
    // Asked at least every kFetchPollMs while transfers run: keeps the window answering; true
    // once the user has cancelled. Then the transfers under way are aborted at once, nothing
    // more is stored, and the games not finished are reported cancelled with what they stored.
    virtual bool cancelled() = 0;
};

struct UpdateAllContext
{
    std::string folder; // the working folder, ending in "/"
    QDate today;
    OperatorServers servers;
    MarketServers marketServers;
    DownloadLimits limits;
    int transfersAtOnce = kTransfersAtOnce;
};

// Removes the scratch files older than an hour that a killed run left where updates write: the
// working folder (ending in "/"), its DATA and market folders and the temporary folder.
void RemoveStaleUpdateScratch(const std::string& folder, std::time_t now);

// The context the program runs with: the servers in use, the program's limits.
UpdateAllContext MakeUpdateAllContext(const std::string& folder, QDate today);

// Runs the plans and reports every game, in the plans' order. Nothing is asked of the user.
std::vector<GameReport> RunUpdateAll(const UpdateAllContext& context, const std::vector<GamePlan>& plans,
                                     UpdateAllObserver& observer);

// One line of the summary, Windows-1253: "LOTTO: 12 νέες κληρώσεις", "KINO: ενημερωμένο, τίποτα
// νέο", "EXTRA: απέτυχε: <cause>", "STOCK: διακόπηκε", "GOAL: διακόπηκε, αφού αποθηκεύτηκαν: 2024".
std::string ReportLine(const GameReport& report);

// True when no game failed (cancelled ones count as failed for the command line's exit status).
bool AllSucceeded(const std::vector<GameReport>& reports);

} // namespace karvo
