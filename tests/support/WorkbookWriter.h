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
    // When 0 or more: the uncompressed size the central directory claims instead of the true one.
    std::int64_t declaredSize = -1;
};

// Local headers with zero sizes and the data-descriptor flag, as the operator's files have them.
std::string ZipBytes(const std::vector<ZipEntry>& entries);

// A worksheet's rows of UTF-8 texts; an empty text is written as an empty styled cell
// (<c r="B40" s="4"/>), which still counts as a column.
using SheetRows = std::vector<std::vector<std::string>>;

// An operator-style workbook of the given sheets: sharedStrings.xml (one <t> per <si>, with
// xml:space="preserve" on texts with blanks), sheet1.xml, sheet2.xml, ...; a sheet without rows
// is written as <sheetData/>.
using OperatorWorkbook = std::vector<SheetRows>;
std::string OperatorWorkbookBytes(const OperatorWorkbook& sheets);

// A worksheet part holding the given <row> elements verbatim inside <sheetData>.
std::string SheetXml(const std::string& rowsXml);
// A sharedStrings.xml part with one <si><t>text</t></si> per text, written verbatim.
std::string SharedStringsXml(const std::vector<std::string>& texts);

// The folder of the committed test files (KARVO_TEST_DATA), ending in "/".
std::string TestDataFolder();

} // namespace karvo::test
