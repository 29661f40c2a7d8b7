#include "update/MarketDaySource.h"

#include "market/MarketFiles.h"
#include "market/MarketText.h"
#include "update/WorkbookSource.h"
#include "util/Files.h"

#include <algorithm>

namespace karvo {

std::string MarketDayUrl(GameCode game, const MarketServers& servers, QDate day)
{
    return game == GameCode::Stock ? StockDayUrl(servers.stock, DashedDay(day))
                                   : FundDayUrl(servers.funds, DashedDay(day));
}

bool StoreMarketDay(GameCode game, const std::string& folder, QDate day, const std::string& body, bool& cut)
{
    return game == GameCode::Stock ? StoreStockDay(folder, day, body, cut) : StoreFundDay(folder, day, body, cut);
}

MarketDaySource::MarketDaySource(const UpdateAllContext& context, const GamePlan& plan)
    : m_context(context)
    , m_plan(plan)
{
}

void MarketDaySource::begin(GameReport& report)
{
    const MarketKind kind = m_plan.game == GameCode::Stock ? MarketKind::Stock : MarketKind::Funds;
    std::int32_t last = 0;
    for (const std::string& name : ListDayFiles(m_context.folder, kind)) {
        last = std::max(last, DayOfFileName(name, kind));
    }
    report.lastDrawBefore = last;
    CreateFolder(MarketFolder(m_context.folder));
}

std::string MarketDaySource::url(const UpdateStep& step) const
{
    return MarketDayUrl(m_plan.game, m_context.marketServers, step.day);
}

FetchRequest MarketDaySource::request(std::size_t index)
{
    return {url(m_plan.steps[index]), -1, {}, kMarketDayMaxBytes};
}

StepResult MarketDaySource::handle(std::size_t index, const FetchedBody& body)
{
    const UpdateStep& step = m_plan.steps[index];
    if (body.failure != FetchFailure::None || body.status >= 400) {
        return StepResult::Failed(GameFailure::Download,
                                  DownloadFailedText("της ημέρας " + step.label, body, url(step), m_context.limits));
    }
    bool cut = false;
    const bool stored = StoreMarketDay(m_plan.game, m_context.folder, step.day, body.body, cut);
    m_kept += stored ? 1 : 0;
    return StepResult::Stored(stored);
}

} // namespace karvo
