// Bet files: a coupon saved as one cell per line, eleven lines a row, Windows-1253, CR LF.
#pragma once

#include "betting/Coupon.h"
#include "util/CellGrid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

// What a bet file may hold, the same on saving and on opening: a file beyond any of these is not
// a coupon, so a coupon beyond them is not saved. Far above any coupon the operator publishes,
// appended imports included; low enough that a large file chosen by mistake costs little.
inline constexpr std::size_t kBetFileMaxLine = 4096;
inline constexpr std::size_t kBetFileMaxRows = 100000;
inline constexpr std::size_t kBetFileMaxLines = kBetFileMaxRows * kCouponColumns;
inline constexpr std::int64_t kBetFileMaxBytes = std::int64_t{64} * 1024 * 1024;

enum class BetFileStatus { Read, Empty, NotABetFile };

// Why a coupon would not make a bet file that opens again.
enum class BetFileFit { Fits, TooManyRows, CellTooLong, NulInCell, TooLarge };

// The lines of a coupon's rows 1 to last, cells 0 to 10 of each, leading blanks kept.
std::vector<std::string> BetFileLines(const CellGrid& coupon);
// The file's bytes: every line followed by CR LF.
std::string BetFileText(const CellGrid& coupon);
// Checks the coupon against the limits above, without building the file.
BetFileFit BetFileFitOf(const CellGrid& coupon);

// Reads the bytes of a bet file into the coupon's rows from row 1, eleven lines a row; a short
// last row gets empty cells. The row count becomes the rows read + 1, the header is kept, nothing
// is recalculated. Lines end at CR LF, LF or CR. The coupon is left alone unless Read is returned.
BetFileStatus ReadBetFile(const std::string& bytes, CellGrid& coupon);
// ReadBetFile of a file on disk, read only when it is within kBetFileMaxBytes (NotABetFile when
// larger); a missing file is Empty. A file that cannot be read throws KarvoError.
BetFileStatus LoadBetFile(const std::string& name, CellGrid& coupon);

} // namespace karvo
