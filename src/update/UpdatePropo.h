// The PROPO update: one year's coupons of the Sunday, Saturday or Wednesday pools, fetched as
// a workbook or an HTML page, written into the year's block of the game's results file.
#pragma once

#include "update/UpdateContext.h"

#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

// game: one of the three pools games. A failed download stops at once; an answer without coupons
// of the year, or out of format, is refused with a warning and nothing is written.
UpdateResult UpdatePropo(UpdateContext& context, GameCode game);

// What follows the fetch, for the update of one game and of every game: the answer (a file in
// DATA, a workbook or a page) read, its coupons of year written into words, the results file's
// values as read before the fetch, and the file of folder written. Returns the refusal
// (Windows-1253) of an answer without coupons of the year or out of format, when nothing is
// written; empty once written.
std::string StorePropoAnswer(const std::string& folder, GameCode game, std::vector<std::uint16_t> words,
                             const std::string& answer, int year);

} // namespace karvo
