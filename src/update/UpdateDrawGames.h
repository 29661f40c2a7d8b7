// The updates of the draw games whose results are kept by year: LOTTO, GOAL and JOKER,
// ΠΡΟΤΟ and EXTRA. Each fetches the workbook of state.SelectedYear, merges its draws into the
// game's results file and writes the file atomically. An out-of-format workbook is refused with
// a warning and nothing is written; a file that is no workbook throws KarvoError.
#pragma once

#include "update/UpdateContext.h"

namespace karvo {

// kind: 1 LOTTO, 2 GOAL, 3 JOKER.
UpdateResult UpdateNumberGame(UpdateContext& context, GameCode game);
UpdateResult UpdateProto(UpdateContext& context);
UpdateResult UpdateExtra(UpdateContext& context);

} // namespace karvo
