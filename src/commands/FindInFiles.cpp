#include "commands/FindInFiles.h"

#include "market/MarketFiles.h"
#include "market/MarketViews.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Text.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace karvo {

namespace {

// Each file takes part with its first lines only.
constexpr int kLinesPerFile = 999;

// The matching lines of a file, in order. The whole file is upper-cased once and searched as one
// text, so only the lines that hold a match are cut out: a search runs over years of day files.
void ForEachMatchingLine(const std::string& name, const std::string& searchText,
                         const std::function<void(const std::string&)>& take)
{
    if (searchText.empty()) {
        return; // an empty text matches nothing
    }
    const std::string text = LoadTextFile(name);
    // Lines end at CR, the byte after it taken as LF; the text beyond the last line read is cut.
    std::size_t end = 0;
    for (int line = 0; line < kLinesPerFile && end < text.size(); ++line) {
        const std::size_t cr = text.find('\r', end);
        end = cr == std::string::npos ? text.size() : cr + 2;
    }
    const std::string upper = ToUpper(std::string_view(text).substr(0, std::min(end, text.size())));
    for (std::size_t at = upper.find(searchText); at != std::string::npos; at = upper.find(searchText, at)) {
        const std::size_t cr = upper.rfind('\r', at);
        const std::size_t start = cr == std::string::npos ? 0 : cr + 2;
        const std::size_t stop = std::min(upper.find('\r', at), upper.size());
        take(text.substr(start, stop - start));
        at = stop;
    }
}

// "yyyy-mm-dd" from the day characters of a day file's name.
std::string DashedDayOfName(const std::string& name, MarketKind kind)
{
    const std::string day = CompactDayOfName(name, kind);
    return Chars(day, 1, 4) + "-" + Chars(day, 5, 6) + "-" + Chars(day, 7, 8);
}

int AddRow(CellGrid& grid, int count)
{
    grid.setRowCount(count + 2);
    return count + 1;
}

} // namespace

int FindAllInStockFiles(const std::string& folder, const std::string& searchText, CellGrid& grid)
{
    const std::vector<std::string> names = SortedDayFiles(folder, MarketKind::Stock);
    if (names.empty()) {
        return -1;
    }
    int count = 0;
    grid.setRowCount(1);
    for (const std::string& name : names) {
        const std::string day = DashedDayOfName(name, MarketKind::Stock);
        ForEachMatchingLine(MarketFolder(folder) + name, searchText, [&](const std::string& line) {
            const int row = count = AddRow(grid, count);
            FillStockColumns(grid, row, line);
            grid.setCell(1, row, day);
        });
    }
    grid.setCell(1, 0, Utf8ToCp1253("Ημερομηνία"));
    return count;
}

int FindAllInFundFiles(const std::string& folder, const std::string& searchText, CellGrid& grid)
{
    const std::vector<std::string> names = SortedDayFiles(folder, MarketKind::Funds);
    if (names.empty()) {
        return -1;
    }
    int count = 0;
    grid.setRowCount(1);
    for (const std::string& name : names) {
        const std::string day = DashedDayOfName(name, MarketKind::Funds);
        ForEachMatchingLine(MarketFolder(folder) + name, searchText, [&](const std::string& line) {
            const int row = count = AddRow(grid, count);
            grid.setCell(0, row, day + " " + TailFrom(line, 50));
            FillFundColumns(grid, row, line);
        });
    }
    return count;
}

} // namespace karvo
