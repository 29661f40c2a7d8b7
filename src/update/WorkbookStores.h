// What follows the fetch of a results workbook: the workbook, kept in the data folder, read and
// stored into the game's history. Each store reads the file it replaces first, so a history that
// cannot be read is never overwritten; an out-of-format workbook is refused and nothing is
// written; a file that is no workbook throws KarvoError.
#pragma once

#include "domain/Games.h"

#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

// A saved answer smaller than this holds no workbook (the pools' pages and SUPER3's workbooks,
// which are not read here, may be smaller).
inline constexpr std::int64_t SmallestWorkbook = 99;
// A KINO month file no larger than this holds no draws: the month counts as not kept.
inline constexpr std::int64_t kSmallestKinoMonthFile = 99;
// A kept SUPER3 workbook this large is taken as a whole one and not fetched again.
inline constexpr std::int64_t kWholeSuper3Workbook = 999;

// LOTTO, GOAL, JOKER, ΠΡΟΤΟ and EXTRA: the workbook of year merged into the game's results file
// of folder. Returns the refusal (Windows-1253) of an out-of-format workbook, when nothing is
// written; empty once written.
std::string StoreDrawWorkbook(const std::string& folder, GameCode game, const std::string& workbook, int year,
                              int currentYear);

// The pools: the answer (a workbook or a page with a table) read, and its coupons of year
// written into the year's block of the game's results file. Refusals as StoreDrawWorkbook.
std::string StorePropoAnswer(const std::string& folder, GameCode game, const std::string& answer, int year);

// KINO: the month's file (a path) built anew from the workbook of month (1 to 12). A kept month
// file that cannot be read throws before anything replaces it. Refusals as StoreDrawWorkbook.
std::string StoreKinoMonth(const std::string& monthFile, const std::string& workbook, int month);

// Where SUPER3's workbook of a month is kept in folder's data folder.
std::string Super3Workbook(const std::string& folder, int year, int month);

} // namespace karvo
