// The KINO update: the user picks a month from November 2003 to the current one; its month
// file is built from the operator's monthly workbook unless it is kept already (the current
// month is always fetched again).
#pragma once

#include "update/UpdateContext.h"

#include <cstdint>
#include <string>

namespace karvo {

// Sets state.SelectedYear and state.KinoPeriodFile to the chosen month. showView is false on
// cancel and when the month could not be fetched or read.
UpdateResult UpdateKino(UpdateContext& context);

// A month file no larger than this holds no draws: the month counts as not kept.
inline constexpr std::int64_t kSmallestKinoMonthFile = 99;

// What follows the fetch, for the update of one game and of every game: the month's file built
// anew from the workbook (a file in DATA) of month (1 to 12) and written. Returns the refusal
// (Windows-1253) of an out-of-format workbook, when nothing is written; empty once written.
std::string StoreKinoMonth(const std::string& monthFile, const std::string& workbook, int month);

} // namespace karvo
