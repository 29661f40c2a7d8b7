#include "update/UpdateAll.h"

#include "domain/GameNames.h"
#include "market/MarketFiles.h"
#include "update/GameRun.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/ScratchFiles.h"

namespace karvo {

void RemoveStaleUpdateScratch(const std::string& folder, std::time_t now)
{
    std::string temp;
    try {
        temp = TempFolder();
    } catch (const KarvoError&) {
        temp = folder; // no temporary folder takes files: downloads would fail before leaving any
    }
    RemoveStaleScratchFiles(folder, {kDataFolderName, kMarketFolderName}, temp, now);
}

UpdateAllContext MakeUpdateAllContext(const std::string& folder, QDate today)
{
    return UpdateAllContext{folder, today, ServersInUse(), MarketServersInUse(), DownloadLimits{}, kTransfersAtOnce};
}

std::vector<GameReport> RunUpdateAll(const UpdateAllContext& context, const std::vector<GamePlan>& plans,
                                     UpdateAllObserver& observer)
{
    observer.planned(plans);
    FetchRunner runner(context.transfersAtOnce, context.limits);
    bool cancelled = false;
    // Once cancelled, the transfers under way are aborted and their partial bodies dropped:
    // nothing fetched after the stop is stored.
    const auto checkCancel = [&] {
        cancelled = cancelled || observer.cancelled();
        return cancelled;
    };
    const auto finish = [&](GameRun& game) {
        game.finish();
        observer.gameFinished(game.report());
    };
    // A step that fails ends its game: the next run starts again from what is stored.
    const auto deliver = [&](GameRun& game, std::size_t index, const FetchedBody& body) {
        const GameCode code = game.plan().game;
        const std::vector<UpdateStep>& steps = game.plan().steps;
        if (!game.handle(index, body)) {
            runner.stopJob(game.job());
            finish(game);
        } else {
            observer.stepDone(code, steps[index], game.report().stepsDone);
            if (index + 1 == steps.size()) {
                finish(game);
            } else if (!checkCancel()) {
                observer.stepStarted(code, steps[index + 1]);
            }
        }
    };
    std::vector<std::unique_ptr<GameRun>> games;
    for (const GamePlan& plan : plans) {
        games.push_back(std::make_unique<GameRun>(context, plan));
        GameRun* game = games.back().get();
        if (plan.steps.empty() || !game->begin()) {
            finish(*game);
            continue;
        }
        game->setJob(runner.add(game->requests(), [game, &deliver](std::size_t index, const FetchedBody& body) {
            deliver(*game, index, body);
        }));
        observer.stepStarted(plan.game, plan.steps.front());
    }
    if (!checkCancel()) {
        runner.run(checkCancel);
    }
    std::vector<GameReport> reports;
    for (const auto& game : games) {
        if (!game->finished()) {
            finish(*game);
        }
        reports.push_back(game->report());
    }
    return reports;
}

namespace {

// "2024, 2025"; a long list by its ends and count: "01/12/2026 έως 12/12/2026 (9)".
std::string StepList(const std::vector<std::string>& labels)
{
    if (labels.size() > 4) {
        return labels.front() + " έως " + labels.back() + " (" + std::to_string(labels.size()) + ")";
    }
    std::string text;
    for (const std::string& label : labels) {
        text += (text.empty() ? "" : ", ") + label;
    }
    return text;
}

} // namespace

std::string ReportLine(const GameReport& report)
{
    std::string text;
    const bool days = report.game == GameCode::Stock || report.game == GameCode::Funds;
    const bool one = report.stored == 1;
    switch (report.outcome) {
    case GameOutcome::UpToDate: text = "ενημερωμένο, τίποτα νέο"; break;
    case GameOutcome::Stored:
        if (days) {
            text = std::to_string(report.stored) + (one ? " νέα ημέρα" : " νέες ημέρες");
        } else if (report.game == GameCode::Super3) {
            text = std::to_string(report.stored) + (one ? " νέος μήνας" : " νέοι μήνες");
        } else {
            text = std::to_string(report.stored) + (one ? " νέα κλήρωση" : " νέες κληρώσεις");
        }
        break;
    case GameOutcome::Failed: return GameName(report.game) + Utf8ToCp1253(": απέτυχε: ") + report.cause;
    case GameOutcome::Cancelled:
        text = "διακόπηκε";
        if (!report.storedSteps.empty()) {
            text += ", αφού αποθηκεύτηκαν: " + StepList(report.storedSteps); // labels are ASCII
        }
        break;
    }
    return GameName(report.game) + Utf8ToCp1253(": " + text);
}

bool AllSucceeded(const std::vector<GameReport>& reports)
{
    for (const GameReport& report : reports) {
        if (report.outcome == GameOutcome::Failed || report.outcome == GameOutcome::Cancelled) {
            return false;
        }
    }
    return true;
}

} // namespace karvo
