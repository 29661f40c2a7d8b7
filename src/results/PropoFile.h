// The PROPO results files (Propok.krv, Propos.krv, Propot.krv): a 7-byte header nobody reads,
// 16-bit little-endian values V[0], V[1], ... from offset 7, and one trailing byte (two when the
// length is odd); an extended file ends with 1A.
//
// Draw w (1..60) of year Y is slot d = (Y - 1959) * 60 + w and occupies V[2d - 1] (signs 1..7)
// and V[2d] (signs 8..14). Sign j of a value sits in bits 2(j - 1) (weight 1) and 2(j - 1) + 1
// (weight 2): 0 "X", 1 "1", 2 "2", 3 no sign. An empty slot holds 3FFF in both values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

// Capacity of PropoWords: the most values one file may hold.
inline constexpr std::int64_t PropoWordsLimit = 199'001;
inline constexpr std::uint16_t PropoEmptyValue = 0x3FFF;
inline constexpr int PropoFirstYear = 1959;
inline constexpr int PropoSlotsPerYear = 60;

// Slot d of draw w of year Y.
int PropoSlot(int year, int draw);

// V[0..n] with n = (length - 10) div 2; empty for a missing file or one shorter than 9 bytes.
// A file holding more than PropoWordsLimit values throws KarvoError and is not read.
std::vector<std::uint16_t> ReadPropoFile(const std::string& path);

// Stores values into the file in one atomic replacement.
// - A missing (or shorter than 7 bytes) file starts as our 7-byte header and the end mark 1A.
// - While the file is shorter than 15,000 bytes or does not reach the block of year (values up
//   to (year - 1959) * 120 + 120), it is extended: everything after the last whole value is
//   dropped, then 3000 empty values (FF 3F) and the end mark 1A are appended. A new file thus
//   grows to 6008, 12008, 18008 bytes.
// - values[i] is stored for every i the file holds; values past the end of the vector keep what
//   the file holds, values past the end of the file are not stored.
// Throws KarvoError when the file cannot be written (the old file stays byte for byte) or would
// exceed PropoWordsLimit.
void WritePropoFile(const std::string& path, const std::vector<std::uint16_t>& values, int year);

// Sign j (1..14) of a slot whose values are first and second: 'X', '1', '2' or ' '.
char PropoSign(std::uint16_t first, std::uint16_t second, int j);

// The 18-character display line of a slot: signs 1-3, blank, 4-7, blank, 8-10, blank, 11-14,
// blank. Eighteen blanks for an empty slot.
std::string PropoSignLine(std::uint16_t first, std::uint16_t second);

} // namespace karvo
