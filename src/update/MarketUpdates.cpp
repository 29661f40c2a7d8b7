#include "update/MarketUpdates.h"

namespace karvo {

// Stock prices: nothing is fetched yet; the driver shows the stock view as it stands.
void UpdateStockPrices(UpdateContext&)
{
}

// Mutual-fund figures: likewise.
void UpdateFundFigures(UpdateContext&)
{
}

} // namespace karvo
