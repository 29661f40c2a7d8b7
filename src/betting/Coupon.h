// The betting coupon: its grid layout, the payout and chance columns derived from the odds, adding
// a match by hand, and keeping the coupon while another game is shown.
#pragma once

#include "util/CellGrid.h"

#include <string>
#include <vector>

namespace karvo {

// Columns of the coupon grid; row 0 is the header, rows 1 to last the matches.
enum CouponColumn {
    CodeColumn = 0,
    HomeColumn = 1,
    AwayColumn = 2,
    Odd1Column = 3,
    OddXColumn = 4,
    Odd2Column = 5,
    PayoutColumn = 6,  // "ΚΕΡΔΟΣ": the share of the stakes the three odds return, in percent
    Chance1Column = 7, // implied chances of the three outcomes, whole percent
    ChanceXColumn = 8,
    Chance2Column = 9,
    SystemColumn = 10, // the user's signs for the match
};
inline constexpr int kCouponColumns = 11;
inline constexpr int kFreshCouponRows = 40;

// An empty coupon of rows grid rows (header included) with its captions and column widths.
CellGrid NewCoupon(int rows);
// Puts the captions and widths on a grid of any size, making it 11 columns wide.
void SetCouponHeader(CellGrid& coupon);

// The value of an odd as typed: "," or "." as decimal separator, blanks anywhere; 0 when the cell
// does not begin with a number.
double CouponOdd(const std::string& cell);
// The six-character payout cell for a percentage above 0: 93.2241 gives " 93,22", 100 " 100,0".
std::string PayoutText(double percent);
// The three-character chance cell, whole percent right-aligned: 50.4 gives " 50".
std::string ChanceText(double percent);

// Rewrites the payout and chance columns of every match row from its odds. A row without a
// readable positive odd gets them empty.
void RecalcCoupon(CellGrid& coupon);

// Writes home, away and the three odds (in that order, as typed) into the first row whose payout
// cell is empty, or a new row at the end, makes it current and recalculates. Returns that row.
int AddMatch(CellGrid& coupon, const std::vector<std::string>& fiveFields);

// The coupon kept while another game is shown: cell (0, 0) holds the row count as text, cell
// (c, r) from row 1 the coupon's cell. Every row is kept, however long the coupon.
void StoreCoupon(const CellGrid& coupon, CellGrid& store);
// The coupon back from the store; a store that was never filled gives a fresh 40-row coupon.
CellGrid RestoreCoupon(const CellGrid& store);

} // namespace karvo
