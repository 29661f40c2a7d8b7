// Building a KINO month file from the month's workbook: a header record with the draw number of
// the first record, then one 23-byte record per draw from the bottom row of the sheet upwards.
#pragma once

#include "results/ResultsFiles.h"
#include "update/DrawRows.h"
#include "update/MergeResult.h"

#include <cstddef>
#include <string>

namespace karvo {

// month: the chosen month as two digits ("03"); it tells day/month from month/day dates.
MergeResult BuildKinoMonth(const WorkbookRows& rows, const std::string& month);

// The day of a date text in either order: characters 1-2 unless they equal the month.
int KinoDay(const std::string& date, const std::string& month);

// Hour and minute of a time cell, "hh:mm" or a fraction of a day. False for a text shorter
// than three characters.
bool KinoTime(const std::string& text, int& hour, int& minute);

} // namespace karvo
