// A draw game's stored history as one flat table of values, oldest draw first, read through the
// results readers; and the layout that says which values form a range of numbers.
#pragma once

#include "util/Games.h"

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
    // Keeps draws first..end - 1 only.
    void keep(std::int64_t first, std::int64_t end);
};

inline int YearOf(std::int32_t date)
{
    return date / 10000;
}

// The stored draws of a game in folder (ending in "/"), empty slots and records skipped. KINO
// reads every month file of DATA from fromYear on (0: all) in month order. A file too large for
// the program's buffers throws KarvoError.
DrawHistory LoadHistory(const std::string& folder, GameCode game, int fromYear = 0);

// The KINO month files of folder from fromYear on, oldest first, as paths.
std::vector<std::string> KinoMonthFiles(const std::string& folder, int fromYear);

// Appends the draws of one KINO month file's bytes; year and month come from its name.
void AppendKinoMonth(DrawHistory& history, const std::string& bytes, int year, int month);

} // namespace karvo
