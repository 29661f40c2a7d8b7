// Reads the cell texts of an .xlsx workbook with a byte scanner (no XML parser) into CellTable,
// in exactly the cell order the updates rely on: columns by the order of the <c> elements,
// rows by the order of the <row> elements, the rows of later sheets following the first's.
#pragma once

#include "workbook/CellTable.h"
#include "workbook/ZipArchive.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karvo {

struct WorkbookLimits
{
    std::size_t maxSharedStrings = 50000;
    std::size_t maxCells = 3000000; // rows × width
    std::uint64_t maxPartBytes = MaxZipPartBytes;
};

// One Windows-1253 text per <t> element, in document order. Throws beyond the limit.
std::vector<std::string> ReadSharedStrings(std::string_view xml, std::size_t maxCount);

// Scans one worksheet part, adding its rows after row lastRow (-1 before the first) to table.
// Returns the new last row.
int ScanSheet(std::string_view xml, const std::vector<std::string>& sharedStrings, int width, int lastRow,
              CellTable& table, std::size_t maxCells);

// Turns spreadsheet serial day numbers (above 5000, without "/") in column dateColumn into
// "dd/mm/yyyy"; day 0 is 30 December 1899.
void ConvertSerialDates(CellTable& table, int rowCount, int width, int dateColumn);
// "dd/mm/yyyy" of a serial day number.
std::string SerialDateText(long long serial);

// Fills table with cell (row, column) at row × width + column, row from 0 and column 1 to
// width; cells a row does not provide are empty. dateColumn 0 converts no dates.
// Returns the number of rows. Throws KarvoError when the file is not a workbook, lacks
// "xl/sharedStrings.xml" or a sheet part up to the highest found (of at most 3), or is too large.
int ReadWorkbook(const std::string& path, int width, int dateColumn, CellTable& table,
                 const WorkbookLimits& limits = WorkbookLimits());
int ReadWorkbook(const ZipArchive& archive, int width, int dateColumn, CellTable& table,
                 const WorkbookLimits& limits = WorkbookLimits());

} // namespace karvo
