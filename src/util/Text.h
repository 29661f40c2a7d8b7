// Text operations on single-byte (Windows-1253) texts. Positions count from 1; a position of 0
// means "not found".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace karvo {

int TextLength(const std::string& s);
int TextPos(const std::string& s, const std::string& sub);
// start >= 1: first occurrence beginning at or after start. start <= -1: last occurrence
// beginning at or before -start. start 0 or an empty sub: 0.
int TextPosFrom(const std::string& s, const std::string& sub, int start);
// Non-overlapping occurrences, left to right.
int CountOccurrences(const std::string& s, const std::string& sub);
std::string Spaces(int n);
std::string Replicate(int n, char ch);
// n < 0: all but the last -n characters.
std::string LeftPart(const std::string& s, int n);
std::string RightPart(const std::string& s, int n);
std::string TailFrom(const std::string& s, int p);
// Characters from..to (1-based, inclusive) of s; positions outside s give nothing.
std::string Chars(const std::string& s, int from, int to);
// Writes sub over s from position p; s keeps its length.
void Overwrite(std::string& s, int p, const std::string& sub);
std::string ReplaceAll(const std::string& s, const std::string& find, const std::string& repl);

// Flags 0: drop every blank. -1: drop tabs and blanks. Otherwise bits: 8 tabs to blanks,
// 1 leading blanks, 4 trailing blanks, 2 runs of blanks to one, 16 trailing tabs.
std::string CleanSpaces(const std::string& s, int flags);

// Splits at every occurrence of delim; k delimiters give k + 1 fields, empty ones included.
// A single blank as delimiter first cleans the text with flags 7. An empty text gives no field.
// At most capacity fields are returned; the rest of the text is dropped.
std::vector<std::string> SplitFields(const std::string& s, const std::string& delim, std::size_t capacity = 999);

} // namespace karvo
