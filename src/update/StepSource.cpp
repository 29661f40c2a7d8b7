#include "update/StepSource.h"

#include "update/MarketDaySource.h"
#include "update/MonthWorkbookSources.h"
#include "update/YearWorkbookSource.h"

namespace karvo {

std::unique_ptr<StepSource> MakeStepSource(const UpdateAllContext& context, const GamePlan& plan)
{
    switch (GameInfoFor(plan.game).view) {
    case ViewKind::Kino: return std::make_unique<KinoMonthSource>(context, plan);
    case ViewKind::Super3: return std::make_unique<Super3MonthSource>(context, plan);
    case ViewKind::Stock:
    case ViewKind::Funds: return std::make_unique<MarketDaySource>(context, plan);
    default: return std::make_unique<YearWorkbookSource>(context, plan);
    }
}

} // namespace karvo
