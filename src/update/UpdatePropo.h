// The PROPO update: one year's coupons of the Sunday, Saturday or Wednesday pools, fetched as
// a workbook or an HTML page, written into the year's block of the game's results file.
#pragma once

#include "update/UpdateContext.h"

namespace karvo {

// game: one of the three pools games. A failed download stops at once; an answer without coupons
// of the year, or out of format, is refused with a warning and nothing is written.
UpdateResult UpdatePropo(UpdateContext& context, GameCode game);

} // namespace karvo
