#include "update/MarketDaySource.h"

#include "market/MarketFiles.h"
#include "market/MarketText.h"
#include "update/WorkbookSource.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <algorithm>

namespace karvo {

MarketDaySource::MarketDaySource(const UpdateAllContext& context, const GamePlan& plan)
    : m_context(context)
    , m_plan(plan)
{
}

MarketKind MarketDaySource::kind() const
{
    return m_plan.game == GameCode::Stock ? MarketKind::Stock : MarketKind::Funds;
}

void MarketDaySource::begin(GameReport& report)
{
    std::int32_t last = 0;
    for (const std::string& name : ListDayFiles(m_context.folder, kind())) {
        last = std::max(last, DayOfFileName(name, kind()));
    }
    report.lastDrawBefore = last;
    CreateFolder(MarketFolder(m_context.folder));
}

std::string MarketDaySource::url(const UpdateStep& step) const
{
    return MarketDayUrl(kind(), m_context.marketServers, step.day);
}

FetchRequest MarketDaySource::request(std::size_t index)
{
    return MarketDayRequest(url(m_plan.steps[index]));
}

StepResult MarketDaySource::handle(std::size_t index, const FetchedBody& body)
{
    const UpdateStep& step = m_plan.steps[index];
    const MarketDayAnswer answer = StoreMarketAnswer(kind(), m_context.folder, step.day, body);
    if (answer.failed) {
        return StepResult::Failed(GameFailure::Download,
                                  DownloadFailedText("της ημέρας " + step.label, body, url(step), m_context.limits));
    }
    m_kept += answer.stored ? 1 : 0;
    return StepResult::Stored(answer.stored);
}

} // namespace karvo
