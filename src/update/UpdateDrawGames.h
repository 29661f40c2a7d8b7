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

// What follows the fetch of one of these games, for the update of one game and of every game:
// the workbook (a file in DATA) of year read and merged into stored, the results file's bytes as
// read before the fetch, and the file of folder written. Returns the refusal (Windows-1253) of an
// out-of-format workbook, when nothing is written; empty once written.
std::string StoreDrawWorkbook(const std::string& folder, GameCode game, const std::string& stored,
                              const std::string& workbook, int year, int currentYear);

} // namespace karvo
