// The PROPO update: one year's coupons of the Sunday, Saturday or Wednesday pools, fetched as
// a workbook or an HTML page, written into the year's block of the game's results file.
#pragma once

#include "update/UpdateContext.h"

namespace karvo {

// gameCode 1 (Sunday, Propok.krv), 2 (Saturday, Propos.krv), 3 (Wednesday, Propot.krv).
// A failed download stops at once; an answer without coupons of the year, or out of format,
// is refused with a warning and nothing is written.
UpdateResult UpdatePropo(UpdateContext& context, int gameCode);

// The results file of a PROPO game.
const char* PropoResultsFile(int gameCode);

} // namespace karvo
