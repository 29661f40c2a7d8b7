// A draw game's stored history as one flat table of values, oldest draw first, read through the
// results readers; and the layout that says which values form a range of numbers.
#pragma once

#include "domain/Games.h"
#include "results/ResultsFiles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

// Values first..first + count - 1 of a draw, each drawn from low..high. LOTTO has one group;
// JOKER its five main numbers and the joker apart; PROTO and SUPER3 one group a digit position.
struct NumberGroup
{
    int first;
    int count;
    int low;
    int high;
};

struct GameLayout
{
    int width = 0; // values a draw
    std::vector<NumberGroup> groups;
    bool propo = false;  // values are the signs 0 X, 1 "1", 2 "2", 3 none
    bool digits = false; // one group a position, digits 0..9
};

// The layout of a draw game; an empty one for the market and coupon games.
const GameLayout& LayoutOf(GameCode game);

// Dates are yyyymmdd; a PROPO draw has no day and is dated yyyy0000 + its draw number in the year.
// KINO keeps its records as the month files hold them (stride 23: the 20 numbers, then day and
// time), so that a month goes in with one copy; the other games keep width values a draw.
struct DrawHistory
{
    int width = 0;
    int stride = 0;                   // bytes a draw in values; at least width
    std::vector<std::uint8_t> values; // draw d's values at d * stride .. d * stride + width - 1
    std::vector<std::int32_t> dates;

    std::int64_t drawCount() const { return static_cast<std::int64_t>(dates.size()); }
    const std::uint8_t* draw(std::int64_t d) const { return values.data() + d * stride; }
};

inline int YearOf(std::int32_t date)
{
    return date / 10000;
}

// The stored draws of a game in folder (ending in "/"), empty slots and records skipped. KINO
// reads every month file of DATA from fromYear on (0: all) in month order. A file too large for
// the program's buffers throws KarvoError.
DrawHistory LoadHistory(const std::string& folder, GameCode game, int fromYear = 0);

// Where a stored history ends: the date of its last draw and how many stored draws carry that
// date. KINO draws every few minutes, so a later update may bring more draws of that same day.
struct HistoryEnd
{
    // drawsThatDay below 0: every draw of the date, whatever their number.
    HistoryEnd(std::int32_t lastDate = 0, std::int64_t drawsOfThatDay = -1)
        : date(lastDate)
        , drawsThatDay(drawsOfThatDay)
    {
    }
    std::int32_t date;
    std::int64_t drawsThatDay;
    friend bool operator==(const HistoryEnd&, const HistoryEnd&) = default;
};

HistoryEnd HistoryEndOf(const DrawHistory& history);

// Where the stored history of a game ends; a date of 0 when nothing is stored. KINO reads only its
// newest month file that holds a draw.
HistoryEnd LastStoredDraw(const std::string& folder, GameCode game);

// The index of the first draw of history stored after end.
std::int64_t FirstDrawAfter(const DrawHistory& history, const HistoryEnd& end);

// A KINO month file of DATA and its month, yyyymm00.
struct KinoMonthFile
{
    std::string path;
    std::int32_t monthDate = 0;
};

// The KINO month files of folder from fromYear on, oldest first.
std::vector<KinoMonthFile> KinoMonthFiles(const std::string& folder, int fromYear);

// A month file's draws as they lie in the buffer it was read into, records without numbers taken
// out: draw d's record at first + d * KinoRecordSize (the 20 numbers, then day and time).
struct KinoMonth
{
    std::int32_t monthDate = 0;
    const std::uint8_t* first = nullptr;
    std::int64_t count = 0;

    std::int32_t dateOf(std::int64_t draw) const { return monthDate + first[draw * KinoRecordSize + 20]; }
};

// Reads a month file into buffer, reusing its room. A file that cannot be read throws KarvoError.
KinoMonth ReadKinoMonth(const KinoMonthFile& file, std::string& buffer);

} // namespace karvo
