#include "update/YearWorkbookSource.h"

#include "results/DrawHistory.h"
#include "update/WorkbookStores.h"
#include "util/Cp1253.h"
#include "util/KarvoError.h"

namespace karvo {

void YearWorkbookSource::begin(GameReport& report)
{
    const DrawHistory history = LoadHistory(m_context.folder, m_plan.game);
    m_drawsBefore = history.drawCount();
    m_heldAfterLastStep = m_drawsBefore;
    m_nothingBefore = history.dates.empty();
    const HistoryEnd end = HistoryEndOf(history);
    report.lastDrawBefore = end.date;
    report.drawsThatDayBefore = end.drawsThatDay;
    prepare();
}

std::optional<StepResult> YearWorkbookSource::passOver(std::size_t index, long status)
{
    // A year the user chose is asked for itself: its 404 is a failed download.
    if (status != 404 || m_plan.chosen) {
        return std::nullopt;
    }
    // The operator's archive may begin later than the first year it is known to hold.
    if (m_nothingBefore && !m_broughtDraws) {
        ++m_notPublished;
        return StepResult::Stored(false);
    }
    // A new year's workbook appears with its first draw: until then last year's stored draws
    // are all there is, and nothing is missing.
    const int year = m_plan.steps[index].year;
    if (year == m_context.today.year() && index + 1 == m_plan.steps.size() && lastStoredYear() == year - 1) {
        return StepResult::Stored(false);
    }
    return std::nullopt;
}

std::int64_t YearWorkbookSource::smallest() const
{
    // The pools may come as a small page with a table.
    return IsPropo(m_plan.game) ? 1 : WorkbookSource::smallest();
}

StepResult YearWorkbookSource::store(const UpdateStep& step, const std::string& local, const std::string&)
{
    const std::string refusal = IsPropo(m_plan.game)
        ? StorePropoAnswer(m_context.folder, m_plan.game, local, step.year)
        : StoreDrawWorkbook(m_context.folder, m_plan.game, local, step.year, m_context.today.year());
    if (!refusal.empty()) {
        return StepResult::Failed(GameFailure::Refused, refusal);
    }
    m_broughtDraws = true;
    // What the game holds now, against what it held after the previous step: one read a step.
    const std::int64_t held = drawCount();
    const bool stored = held > m_heldAfterLastStep;
    m_heldAfterLastStep = held;
    return StepResult::Stored(stored);
}

std::int64_t YearWorkbookSource::drawCount() const
{
    return LoadHistory(m_context.folder, m_plan.game).drawCount();
}

int YearWorkbookSource::lastStoredYear() const
{
    try {
        const DrawHistory history = LoadHistory(m_context.folder, m_plan.game);
        return history.dates.empty() ? 0 : YearOf(history.dates.back());
    } catch (const KarvoError&) {
        return 0;
    }
}

std::int64_t YearWorkbookSource::storedCount() const
{
    try {
        return drawCount() - m_drawsBefore;
    } catch (const KarvoError&) {
        return 0; // written a moment ago and unreadable now: nothing to count
    }
}

StepResult YearWorkbookSource::settle() const
{
    // An archive that answered no year at all is no archive that is up to date.
    if (m_notPublished > 0 && m_notPublished == static_cast<int>(m_plan.steps.size())) {
        return StepResult::Failed(GameFailure::Download,
                                  Utf8ToCp1253("Ο διακομιστής δεν έχει κανένα έτος από " + m_plan.steps.front().label
                                               + " ως " + m_plan.steps.back().label
                                               + " (HTTP 404). Δεν καταχωρήθηκε τίποτα."));
    }
    return {};
}

} // namespace karvo
