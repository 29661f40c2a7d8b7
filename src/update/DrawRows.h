// Reading draw rows out of a workbook's cell table: the cell of a row and column, the day,
// month and year of a date text, and the checks that every stored value fits its byte.
#pragma once

#include "workbook/CellTable.h"

#include <string>

namespace karvo {

// The rows a workbook read laid out: cell (row, column) at row * width + column, rows from 0,
// columns from 1.
struct WorkbookRows
{
    const CellTable& table;
    int rowCount = 0;
    int width = 0;

    const std::string& cell(int row, int column) const
    {
        return table[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + column];
    }
    // A draw row has a positive draw number in column 1; header and note rows do not.
    int drawNumber(int row) const;
    int countDrawRows() const;
};

// A date text "d/m/yyyy" split at "/" into the three bytes of a record: day, month, year - 1950.
// False when the text holds no such date (day 1..31, month 1..12, year 1950..2205).
bool DateBytes(const std::string& text, unsigned char bytes[3]);

// One byte of a record; false outside 0..255.
inline bool FitsByte(int value)
{
    return value >= 0 && value <= 255;
}

// Reads count values from consecutive columns with TextToInt; false, with the value in bad,
// when one falls outside a byte.
bool ReadRowValues(const WorkbookRows& rows, int row, int firstColumn, int count, int* values, int& bad);

// Writes the three date bytes and count values at offset (0-based) of an unmasked slot file.
void StoreDrawRecord(std::string& bytes, std::size_t offset, const unsigned char date[3], const int* values, int count);

// The warning texts of a refused workbook (Windows-1253).
std::string TooManyDrawsText(int year, int limit);
std::string YearNotStoredText(int year);
std::string UnreadableDateText(int row, const std::string& date);
std::string ValueOutOfRangeText(int row, int value);

} // namespace karvo
