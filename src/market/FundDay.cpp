#include "market/FundDay.h"

#include "market/MarketFiles.h"
#include "market/MarketText.h"
#include "util/Text.h"

#include <algorithm>

namespace karvo {

namespace {

constexpr const char* kCategoryMark = "MenuHeaderSub";

char GroupLetter(int groupNumber)
{
    return static_cast<char>(96 + groupNumber);
}

// A cell's text goes into one line of the file: line breaks and tabs inside it become blanks.
std::string OneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return text;
}

// The text of the next cell after position: between the ">" that closes the next "<td" and the
// following "<". position moves to that "<"; past the last cell it moves to the end of section.
std::string NextCell(const std::string& section, int& position)
{
    const int td = TextPosFrom(section, "<td", position + 1);
    const int open = td > 0 ? TextPosFrom(section, ">", td + 1) : 0;
    const int close = open > 0 ? TextPosFrom(section, "<", open + 1) : 0;
    if (close == 0) {
        position = TextLength(section);
        return {};
    }
    position = close;
    return OneLine(Chars(section, open + 1, close - 1));
}

// Where the table row holding the mark at markPosition starts (1 when no row starts before it).
int RowStart(const std::string& page, int markPosition)
{
    const int start = TextPosFrom(page, "<tr", -markPosition);
    return start > 0 ? start : 1;
}

// The report from the row of its first category up to the "<" of the table's end; empty when
// either is missing.
std::string CutReport(const std::string& page)
{
    const int mark = TextPos(page, kCategoryMark);
    if (mark == 0) {
        return {};
    }
    const int from = RowStart(page, mark);
    const int end = TextPosFrom(page, "</table>", mark);
    if (end == 0) {
        return {};
    }
    return Chars(page, from, end);
}

} // namespace

std::string FundReportDate(const std::string& page, const std::string& dayText)
{
    const int heading = TextPos(page, "</h1");
    if (heading == 0) {
        return dayText;
    }
    const int b = heading > 1 ? std::max(TextPosFrom(page, " ", -(heading - 1)), 0) : 0;
    return Chars(page, b + 7, b + 10) + "-" + Chars(page, b + 4, b + 5) + "-" + Chars(page, b + 1, b + 2);
}

void ParseFundGroup(int groupNumber, std::vector<std::string>& lines, int position, const std::string& section)
{
    const std::string letter(1, GroupLetter(groupNumber));
    while ((position = TextPosFrom(section, "<tr", position + 1)) > 0) {
        std::string cells[5];
        for (std::string& cell : cells) {
            cell = NextCell(section, position);
        }
        std::string record = Spaces(49) + letter + " " + cells[0];
        const int ends[4] = {16, 32, 42, 49};
        for (int i = 0; i < 4; ++i) {
            PlaceRight(record, ends[i], cells[i + 1].empty() ? std::string("-") : cells[i + 1]);
        }
        lines.push_back(std::move(record));
    }
}

FundDay FundDayFromPage(const std::string& page)
{
    FundDay day;
    // The service sends an HTML page; a NUL means a damaged or foreign answer, none of whose rows
    // can be trusted to replace a stored day.
    if (page.find('\0') != std::string::npos) {
        return day;
    }
    const std::string report = CutReport(page);
    std::vector<int> starts;
    int end = TextLength(report) - 1;
    for (int mark = TextPos(report, kCategoryMark); mark > 0; mark = TextPosFrom(report, kCategoryMark, mark + 1)) {
        const int start = RowStart(report, mark);
        // The categories beyond the last one kept are left out whole, rows and all.
        if (static_cast<int>(starts.size()) == kMostFundCategories) {
            day.cut = true;
            end = start;
            break;
        }
        starts.push_back(start);
    }
    starts.push_back(end);
    for (std::size_t g = 0; g + 1 < starts.size(); ++g) {
        const int length = std::max(starts[g + 1] - starts[g], 0);
        const std::string section = ReplaceAll(Chars(report, starts[g], starts[g] + length - 1), "&nbsp;", "");
        int position = 0;
        // The title is the first cell's text; the funds follow in the rows after it.
        const std::string title = NextCell(section, position);
        const int groupNumber = static_cast<int>(g) + 1;
        day.lines.push_back(Spaces(49) + GroupLetter(groupNumber) + "  " + title);
        ParseFundGroup(groupNumber, day.lines, position, section);
    }
    return day;
}

std::string FundDayFile(const std::string& folder, QDate day)
{
    return FundDayFileOf(folder, CompactDay(day));
}

} // namespace karvo
