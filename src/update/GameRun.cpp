#include "update/GameRun.h"

#include "market/MarketFiles.h"
#include "market/MarketText.h"
#include "results/DrawHistory.h"
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "update/UpdateDrawGames.h"
#include "update/UpdateFetch.h"
#include "update/UpdateKino.h"
#include "update/UpdateLists.h"
#include "update/UpdatePropo.h"
#include "update/UpdateSuper3.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <algorithm>

namespace karvo {

namespace {

// "Η λήψη του 2019 απέτυχε (HTTP 404).", or with the transfer's failure and the host:
// "Η λήψη του 2019 απέτυχε: ο διακομιστής media.opap.gr δεν βρέθηκε."
std::string DownloadFailedText(const std::string& what, const FetchedBody& body, const std::string& url,
                               const DownloadLimits& limits)
{
    if (body.failure == FetchFailure::None) {
        return Utf8ToCp1253("Η λήψη " + what + " απέτυχε (HTTP " + std::to_string(body.status) + ").");
    }
    return Utf8ToCp1253("Η λήψη " + what + " απέτυχε: " + TransferFailureText(body, HostOf(url), limits) + ".");
}

std::string OfYear(const UpdateStep& step)
{
    return "του " + step.label;
}

std::int32_t LastDrawOf(const DrawHistory& history)
{
    return history.dates.empty() ? 0 : history.dates.back();
}

std::int32_t LastMarketDay(const std::string& folder, MarketKind kind)
{
    std::int32_t last = 0;
    for (const std::string& name : ListDayFiles(folder, kind)) {
        last = std::max(last, DayOfFileName(name, kind));
    }
    return last;
}

} // namespace

GameRun::GameRun(const UpdateAllContext& context, const GamePlan& plan)
    : m_context(context)
    , m_plan(plan)
{
    m_report.game = plan.game;
    m_report.steps = static_cast<int>(plan.steps.size());
    switch (plan.game) {
    case GameCode::Kino: m_kind = Kind::Kino; break;
    case GameCode::Super3: m_kind = Kind::Super3; break;
    case GameCode::Stock: m_kind = Kind::Stock; break;
    case GameCode::Funds: m_kind = Kind::Funds; break;
    default: m_kind = IsPropo(plan.game) ? Kind::Propo : Kind::Draws; break;
    }
}

bool GameRun::begin()
{
    const std::string& folder = m_context.folder;
    try {
        switch (m_kind) {
        case Kind::Draws:
        case Kind::Propo:
        case Kind::Super3: {
            const DrawHistory history = LoadHistory(folder, m_plan.game);
            m_drawsBefore = history.drawCount();
            m_heldAfterLastStep = m_drawsBefore;
            m_nothingBefore = history.dates.empty();
            const HistoryEnd end = HistoryEndOf(history);
            m_report.lastDrawBefore = end.date;
            m_report.drawsThatDayBefore = end.drawsThatDay;
            break;
        }
        case Kind::Kino: {
            const HistoryEnd end = LastStoredDraw(folder, GameCode::Kino);
            m_report.lastDrawBefore = end.date;
            m_report.drawsThatDayBefore = end.drawsThatDay;
            break;
        }
        case Kind::Stock: m_report.lastDrawBefore = LastMarketDay(folder, MarketKind::Stock); break;
        case Kind::Funds: m_report.lastDrawBefore = LastMarketDay(folder, MarketKind::Funds); break;
        }
        if (m_kind == Kind::Stock || m_kind == Kind::Funds) {
            CreateFolder(MarketFolder(folder));
            return true;
        }
        // Start-up makes the folder (as "Data"; names match in any case); it may have gone since.
        CreateFolder(folder + "DATA");
        m_scratch.resize(m_plan.steps.size());
    } catch (const KarvoError& error) {
        return fail(Utf8ToCp1253(error.what()));
    }
    return true;
}

int GameRun::openScratch(std::size_t index)
{
    try {
        m_scratch.at(index) = std::make_unique<DownloadScratch>();
        return m_scratch[index]->fd();
    } catch (const KarvoError& error) {
        m_scratchFailure = Utf8ToCp1253(error.what());
        return -1;
    }
}

std::vector<FetchRequest> GameRun::requests()
{
    std::vector<FetchRequest> requests;
    for (std::size_t i = 0; i < m_plan.steps.size(); ++i) {
        const UpdateStep& step = m_plan.steps[i];
        if (m_kind == Kind::Stock || m_kind == Kind::Funds) {
            requests.push_back({dayUrl(step), -1, {}, kMarketDayMaxBytes});
        } else {
            requests.push_back({workbookUrl(step), -1, [this, i] { return openScratch(i); }});
        }
    }
    return requests;
}

bool GameRun::handle(std::size_t index, FetchedBody body)
{
    bool handled = false;
    try {
        handled = m_kind == Kind::Stock || m_kind == Kind::Funds ? handleDay(index, body) : handleWorkbook(index, body);
    } catch (const KarvoError& error) {
        handled = fail(Utf8ToCp1253(error.what()));
    }
    if (index < m_scratch.size()) {
        m_scratch[index].reset();
    }
    m_report.stepsDone += handled ? 1 : 0;
    return handled;
}

bool GameRun::fail(std::string cause)
{
    m_report.outcome = GameOutcome::Failed;
    m_report.cause = std::move(cause);
    m_scratch.clear();
    return false;
}

std::string GameRun::workbookUrl(const UpdateStep& step) const
{
    return ResultEndpointFor(m_plan.game, step.year, std::max(step.month, 1), m_context.servers).url;
}

std::string GameRun::localWorkbook(const UpdateStep& step) const
{
    const ResultEndpoint endpoint = ResultEndpointFor(m_plan.game, step.year, std::max(step.month, 1), {});
    return LocalResultFile(m_context.folder, endpoint.fileName);
}

bool GameRun::handleWorkbook(std::size_t index, const FetchedBody& body)
{
    const UpdateStep& step = m_plan.steps[index];
    if (!m_scratch[index]) {
        return fail(m_scratchFailure);
    }
    const DownloadScratch& scratch = *m_scratch[index];
    if (body.failure == FetchFailure::WriteFailed) {
        return fail(Utf8ToCp1253(NamedFailureText(body, workbookUrl(step), scratch.folder(), m_context.limits)));
    }
    if (body.failure != FetchFailure::None) {
        return fail(DownloadFailedText(OfYear(step), body, workbookUrl(step), m_context.limits));
    }
    if (body.status >= 400) {
        // The operator's archive may begin later than the first year it is known to hold.
        const bool yearly = m_kind == Kind::Draws || m_kind == Kind::Propo;
        if (body.status == 404 && yearly && m_nothingBefore && !m_broughtDraws) {
            ++m_notPublished;
            return true;
        }
        // A new year's workbook appears with its first draw: until then last year's stored draws
        // are all there is, and nothing is missing.
        if (body.status == 404 && yearly && step.year == m_context.today.year() && index + 1 == m_plan.steps.size()
            && lastStoredYear() == step.year - 1) {
            return true;
        }
        return fail(DownloadFailedText(OfYear(step), body, workbookUrl(step), m_context.limits));
    }
    const std::int64_t size = scratch.size();
    if (size <= 0) {
        return fail(Utf8ToCp1253("Η λήψη του " + step.label + " δεν έφερε τίποτα."));
    }
    // Kept in DATA as the game's own update keeps it, also when too small to read.
    const std::string local = localWorkbook(step);
    const std::string before = m_kind == Kind::Super3 ? LoadTextFile(local) : std::string();
    KeepDownload(scratch, local);
    const std::int64_t smallest = m_kind == Kind::Propo || m_kind == Kind::Super3 ? 1 : SmallestWorkbook;
    if (size < smallest) {
        return fail(Utf8ToCp1253("Η απάντηση για το " + step.label + " είναι πολύ μικρή για βιβλίο εργασίας."));
    }
    if (m_kind == Kind::Super3) {
        if (LoadTextFile(local) != before) {
            ++m_kept;
            m_report.storedSteps.push_back(step.label);
        }
        return true;
    }
    const std::string refusal = storeWorkbook(step, local);
    if (!refusal.empty()) {
        return fail(refusal);
    }
    m_broughtDraws = true;
    // What the game holds now, against what it held after the previous step: one read a step.
    const std::int64_t held = m_kind == Kind::Kino ? m_kinoRecords : drawCount();
    if (held > m_heldAfterLastStep) {
        m_report.storedSteps.push_back(step.label);
    }
    m_heldAfterLastStep = held;
    return true;
}

// Each file is read before it is replaced: one that cannot be read fails the step untouched.
std::string GameRun::storeWorkbook(const UpdateStep& step, const std::string& local)
{
    const std::string& folder = m_context.folder;
    const std::string resultsFile = folder + GameInfoFor(m_plan.game).resultsFile;
    switch (m_kind) {
    case Kind::Propo: return StorePropoAnswer(folder, m_plan.game, ReadPropoFile(resultsFile), local, step.year);
    case Kind::Kino: {
        const std::string monthFile = folder + KinoMonthFileName(step.year, step.month);
        const std::int64_t before = kinoMonthCount(monthFile);
        std::string refusal = StoreKinoMonth(monthFile, local, step.month);
        m_kinoRecords += kinoMonthCount(monthFile) - before;
        return refusal;
    }
    default:
        return StoreDrawWorkbook(folder, m_plan.game, ReadMaskedFile(resultsFile), local, step.year,
                                 m_context.today.year());
    }
}

std::string GameRun::dayUrl(const UpdateStep& step) const
{
    return m_kind == Kind::Stock ? StockDayUrl(m_context.marketServers.stock, DashedDay(step.day))
                                 : FundDayUrl(m_context.marketServers.funds, DashedDay(step.day));
}

bool GameRun::handleDay(std::size_t index, const FetchedBody& body)
{
    const UpdateStep& step = m_plan.steps[index];
    // Only a whole answer without records is a day without data (a weekend, a holiday); no
    // answer, a cut or oversized one and an error status are failures.
    if (body.failure != FetchFailure::None || body.status >= 400) {
        return fail(DownloadFailedText("της ημέρας " + step.label, body, dayUrl(step), m_context.limits));
    }
    bool cut = false;
    const bool stored = m_kind == Kind::Stock ? StoreStockDay(m_context.folder, step.day, body.body, cut)
                                              : StoreFundDay(m_context.folder, step.day, body.body, cut);
    if (stored) {
        ++m_kept;
        m_report.storedSteps.push_back(step.label);
    }
    return true;
}

std::int64_t GameRun::kinoMonthCount(const std::string& monthFile) const
{
    std::string buffer;
    return ReadKinoMonth(KinoMonthFile{monthFile, 0}, buffer).count;
}

int GameRun::lastStoredYear() const
{
    try {
        return YearOf(LastDrawOf(LoadHistory(m_context.folder, m_plan.game)));
    } catch (const KarvoError&) {
        return 0;
    }
}

std::int64_t GameRun::drawCount() const
{
    return LoadHistory(m_context.folder, m_plan.game).drawCount();
}

void GameRun::finish(GameOutcome unfinished)
{
    m_scratch.clear();
    m_finished = true;
    std::int64_t stored = m_kept;
    if (m_kind == Kind::Kino) {
        stored = m_kinoRecords;
    } else if (m_kind == Kind::Draws || m_kind == Kind::Propo) {
        try {
            stored = drawCount() - m_drawsBefore;
        } catch (const KarvoError&) {
            stored = 0; // written a moment ago and unreadable now: nothing to count
        }
    }
    m_report.stored = static_cast<int>(std::max<std::int64_t>(stored, 0));
    if (m_report.outcome == GameOutcome::Failed) {
        return;
    }
    if (m_report.stepsDone < m_report.steps) {
        m_report.outcome = unfinished;
        return;
    }
    // An archive that answered no year at all is no archive that is up to date.
    if (m_notPublished > 0 && m_notPublished == m_report.steps) {
        m_report.outcome = GameOutcome::Failed;
        m_report.cause = Utf8ToCp1253("Ο διακομιστής δεν έχει κανένα έτος από " + m_plan.steps.front().label + " ως "
                                      + m_plan.steps.back().label + " (HTTP 404). Δεν καταχωρήθηκε τίποτα.");
        return;
    }
    m_report.outcome = m_report.stored > 0 ? GameOutcome::Stored : GameOutcome::UpToDate;
}

} // namespace karvo
