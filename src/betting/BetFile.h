// Bet files: a coupon saved as one cell per line, eleven lines a row, Windows-1253, CR LF.
#pragma once

#include "util/CellGrid.h"

#include <string>
#include <vector>

namespace karvo {

// Longest line and most lines a bet file may hold; anything larger is not a coupon.
inline constexpr std::size_t kBetFileMaxLine = 200;
inline constexpr std::size_t kBetFileMaxLines = 11000;

enum class BetFileStatus { Read, Empty, NotABetFile };

// The lines of a coupon's rows 1 to last, cells 0 to 10 of each, leading blanks kept.
std::vector<std::string> BetFileLines(const CellGrid& coupon);
// The file's bytes: every line followed by CR LF.
std::string BetFileText(const CellGrid& coupon);

// Reads the bytes of a bet file into the coupon's rows from row 1, eleven lines a row; a short
// last row gets empty cells. The row count becomes the rows read + 1, the header is kept, nothing
// is recalculated. Lines end at CR LF, LF or CR. The coupon is left alone unless Read is returned.
BetFileStatus ReadBetFile(const std::string& bytes, CellGrid& coupon);

} // namespace karvo
