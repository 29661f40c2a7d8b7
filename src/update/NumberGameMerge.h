// Merging a year's workbook of LOTTO, GOAL or JOKER into the game's slot file: 370 slots a
// year, the bottom row of the sheet in slot 1, the file covering every year to the current one.
#pragma once

#include "update/DrawRows.h"
#include "update/MergeResult.h"

#include <string>

namespace karvo {

struct NumberGame
{
    int firstYear;     // the first year the slot file holds
    int numbers;       // numbers stored per draw
    int sortedNumbers; // how many leading numbers are sorted
    int firstNumberColumn;
    int recordSize;
};

constexpr int SlotsPerYear = 370;

// kind 1..3; anything else is LOTTO.
const NumberGame& NumberGameOf(int kind);

// stored: the file's unmasked bytes (empty when missing). The result is never shorter than
// stored, and covers the current year and the selected one.
MergeResult MergeNumberGame(const NumberGame& game, const std::string& stored, const WorkbookRows& rows,
                            int selectedYear, int currentYear);

} // namespace karvo
