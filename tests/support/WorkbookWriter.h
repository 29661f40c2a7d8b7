// Builds test workbooks: ZIP archives written byte by byte (so that a test controls the
// data-descriptor flag and the sizes the central directory declares), and .xlsx files in the
// operator's layout, where every cell, numbers and dates included, is a shared string.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace karvo::test {

struct ZipEntry
{
    std::string name;
    std::string content;
    bool deflate = true;
    std::int64_t declaredSize = -1; // when 0 or more: the size the central directory claims
};

// Local headers with zero sizes and the data-descriptor flag, as the operator's files have them.
std::string ZipBytes(const std::vector<ZipEntry>& entries);

// Sheets of rows of UTF-8 texts, written as sharedStrings.xml (one <t> per <si>, xml:space on texts
// with blanks) and sheet1.xml, sheet2.xml, ...; an empty text is an empty styled cell
// (<c r="B40" s="4"/>), which still counts as a column; a sheet without rows is <sheetData/>.
using SheetRows = std::vector<std::vector<std::string>>;
using OperatorWorkbook = std::vector<SheetRows>;
std::string OperatorWorkbookBytes(const OperatorWorkbook& sheets);

// A worksheet part holding the given <row> elements verbatim, and a sharedStrings.xml part.
std::string SheetXml(const std::string& rowsXml);
std::string SharedStringsXml(const std::vector<std::string>& texts);

// The folder of the committed test files (KARVO_TEST_DATA), ending in "/".
std::string TestDataFolder();

} // namespace karvo::test
