// Merging a year's workbook of LOTTO, GOAL or JOKER into the game's slot file: 370 slots a
// year, the bottom row of the sheet in slot 1, the file covering every year to the current one.
#pragma once

#include "domain/Games.h"
#include "update/DrawRows.h"
#include "update/MergeResult.h"

#include <string>

namespace karvo {

constexpr int SlotsPerYear = 370;

// stored: the file's unmasked bytes (empty when missing). The result is never shorter than
// stored, and covers the current year and the selected one.
MergeResult MergeNumberGame(GameCode code, const std::string& stored, const WorkbookRows& rows, int selectedYear,
                            int currentYear);

} // namespace karvo
