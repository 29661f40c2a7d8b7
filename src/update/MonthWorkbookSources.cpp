#include "update/MonthWorkbookSources.h"

#include "results/DrawHistory.h"
#include "update/WorkbookStores.h"
#include "util/Files.h"

namespace karvo {

namespace {

std::int64_t RecordsIn(const std::string& monthFile)
{
    std::string buffer;
    return ReadKinoMonth(KinoMonthFile{monthFile, 0}, buffer).count;
}

} // namespace

void KinoMonthSource::begin(GameReport& report)
{
    const HistoryEnd end = LastStoredDraw(m_context.folder, GameCode::Kino);
    report.lastDrawBefore = end.date;
    report.drawsThatDayBefore = end.drawsThatDay;
    prepare();
}

StepResult KinoMonthSource::store(const UpdateStep& step, const std::string& local, const std::string&)
{
    const std::string monthFile = m_context.folder + KinoMonthFileName(step.year, step.month);
    const std::int64_t before = RecordsIn(monthFile);
    const std::string refusal = StoreKinoMonth(monthFile, local, step.month);
    if (!refusal.empty()) {
        return StepResult::Failed(GameFailure::Refused, refusal);
    }
    const std::int64_t added = RecordsIn(monthFile) - before;
    m_records += added;
    return StepResult::Stored(added > 0);
}

void Super3MonthSource::begin(GameReport& report)
{
    const HistoryEnd end = HistoryEndOf(LoadHistory(m_context.folder, GameCode::Super3));
    report.lastDrawBefore = end.date;
    report.drawsThatDayBefore = end.drawsThatDay;
    prepare();
}

StepResult Super3MonthSource::store(const UpdateStep&, const std::string& local, const std::string& before)
{
    const bool changed = LoadTextFile(local) != before;
    m_kept += changed ? 1 : 0;
    return StepResult::Stored(changed);
}

} // namespace karvo
