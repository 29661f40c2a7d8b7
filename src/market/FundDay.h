// The fund day file: the daily report page of the fund companies' association reduced to one
// title line per fund category and one fixed-column line per fund. No header line.
#pragma once

#include <QDate>
#include <string>
#include <vector>

namespace karvo {

// A report keeps at most this many categories (group letters from "a" on).
inline constexpr int kMostFundCategories = 98;

// The report date the page states in its heading (" dd/mm/yyyy" before the first "</h1"), as
// "yyyy-mm-dd"; dayText when the page has no "</h1".
std::string FundReportDate(const std::string& page, const std::string& dayText);

// Appends one fund line per table row after position (1-based) in section: group letter in
// column 50, the name from 52, the four values right-aligned to end in 16, 32, 42 and 49, or
// "-" in that column when the cell is empty.
void ParseFundGroup(int groupNumber, std::vector<std::string>& lines, int position, const std::string& section);

struct FundDay
{
    std::vector<std::string> lines;
    bool cut = false; // the page had more categories than a day file keeps
};

// The lines of a report page (already Windows-1253). A page without a category or without the
// end of its table gives no lines.
FundDay FundDayFromPage(const std::string& page);

// The day's fund day file in folder (see MarketFiles.h).
std::string FundDayFile(const std::string& folder, QDate day);

} // namespace karvo
