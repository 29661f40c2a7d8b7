// Finding a PROPO year's coupons in a downloaded answer: the answer as a sequence of cell
// texts (a workbook's cells or an HTML page's lines), the backward scan for date cells, and the
// packing of fourteen results into two 16-bit words.
#pragma once

#include "results/PropoFile.h"
#include "workbook/CellTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

constexpr int PropoWordsPerYear = 120;

// The texts the scan walks, numbered from 1 to count; any other index reads as empty.
struct PropoCells
{
    const CellTable* table = nullptr; // workbook cells, row * 17 + column
    std::vector<std::string> lines;   // page lines: line i is lines[i - 1]
    std::int64_t count = 0;

    const std::string& operator[](std::int64_t index) const;
};

// head: the first bytes of the saved answer. A page begins, after a byte-order mark and blanks,
// with "<html" or "<!doctype html" in any letter case.
bool IsHtmlAnswer(const std::string& head);

// page: the markup as saved. Line ends become CR LF before the tags go, so that a page with
// bare LF line ends still yields one line per table cell.
PropoCells PropoCellsFromPage(const std::string& page);
PropoCells PropoCellsFromWorkbook(const CellTable& table, int rowCount);

struct PropoScan
{
    std::vector<std::array<std::uint16_t, 2>> coupons; // coupon 1 first: the one nearest the end
    std::string refusal;                               // Windows-1253 warning; empty when accepted
};

// Coupons dated in selectedYear or the year after count for selectedYear. Refuses an answer with
// no coupon, more than 60, or a result cell other than 1, X, 2, empty or "-".
PropoScan ScanPropoCoupons(const PropoCells& cells, int selectedYear);

// Seven result codes (0 X, 1 "1", 2 "2", 3 none), match 1 in the lowest two bits.
std::uint16_t PackPropoSigns(const int codes[7]);

// The index of coupon k's first word (matches 1 to 7) in the file's values; k from 1.
inline std::int64_t PropoCouponWord(int year, int k)
{
    return static_cast<std::int64_t>(year - PropoFirstYear) * PropoWordsPerYear + std::int64_t{2} * k - 1;
}

} // namespace karvo
