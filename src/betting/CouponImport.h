// Cutting the text the user copies from the operator's betting page into coupon rows.
#pragma once

#include "util/CellGrid.h"

#include <string>
#include <vector>

namespace karvo {

// One match of a pasted coupon; every field carries one leading blank, as the grid shows it.
struct CouponLine
{
    std::string code, home, away, odd1, oddX, odd2;
};

// The lines of pasted text, cut at CR LF, at a lone LF and at a lone CR.
std::vector<std::string> PastedLines(const std::string& text);

// A coupon line is blank-separated tokens: the code, the home-win odd, the home team (any number
// of words), the draw odd, the away team, the away-win odd, then odds of other markets. Only a line
// with at least 9 commas is one; false for any other. Odds keep their decimal comma.
bool CutCouponLine(const std::string& line, CouponLine& match);

// Writes the match lines of text into the coupon from row startRow + 1 on, leaving the system
// column and the derived columns alone, and sets the row count to one past the last written row.
// Returns the number of matches written.
int PasteCoupon(CellGrid& coupon, const std::string& text, int startRow);

} // namespace karvo
