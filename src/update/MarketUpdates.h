// The market-data updates behind the update button of STOCK and ΑΜΟΙΒΑΙΑ. They ask for their
// own period and fetch their own day files; until they are built they change nothing.
#pragma once

#include "update/UpdateContext.h"

namespace karvo {

void UpdateStockPrices(UpdateContext& context);
void UpdateFundFigures(UpdateContext& context);

} // namespace karvo
