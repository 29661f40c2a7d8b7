// STOCK and ΑΜΟΙΒΑΙΑ: each step is a weekday's answer of the market service, fetched in memory
// and stored as the day's file. Only a whole answer without records is a day without data (a
// holiday); no answer, a cut or oversized one and an error status fail the step.
#pragma once

#include "market/MarketFiles.h"
#include "update/StepSource.h"

namespace karvo {

class MarketDaySource : public StepSource
{
public:
    MarketDaySource(const UpdateAllContext& context, const GamePlan& plan);

    void begin(GameReport& report) override;
    FetchRequest request(std::size_t index) override;
    StepResult handle(std::size_t index, const FetchedBody& body) override;
    std::int64_t storedCount() const override { return m_kept; }

private:
    std::string url(const UpdateStep& step) const;
    MarketKind kind() const;

    const UpdateAllContext& m_context;
    const GamePlan& m_plan;
    int m_kept = 0; // days stored
};

} // namespace karvo
