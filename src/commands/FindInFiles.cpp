#include "commands/FindInFiles.h"

#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Sorting.h"
#include "util/Text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

namespace karvo {

namespace {

// Each file takes part with its first lines only.
constexpr int kLinesPerFile = 999;

std::string Part(const std::string& s, int from, int to)
{
    if (from > TextLength(s)) {
        return {};
    }
    return s.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1));
}

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
        const void* cr = std::memchr(text.data() + end, '\r', text.size() - end);
        end = cr == nullptr ? text.size() : static_cast<std::size_t>(static_cast<const char*>(cr) - text.data()) + 2;
    }
    // The casing table is copied once: a call per byte would cost more than reading the files.
    static const std::array<char, 256> kUpper = [] {
        std::array<char, 256> table{};
        for (std::size_t b = 0; b < table.size(); ++b) {
            table[b] = UpperByte(static_cast<char>(b));
        }
        return table;
    }();
    std::string upper = text.substr(0, std::min(end, text.size()));
    for (char& c : upper) {
        c = kUpper[static_cast<unsigned char>(c)];
    }
    for (std::size_t at = upper.find(searchText); at != std::string::npos; at = upper.find(searchText, at)) {
        const std::size_t cr = upper.rfind('\r', at);
        const std::size_t start = cr == std::string::npos ? 0 : cr + 2;
        const std::size_t stop = std::min(upper.find('\r', at), upper.size());
        take(text.substr(start, stop - start));
        at = stop;
    }
}

// The file names of mask in name order (the names are the days).
std::vector<std::string> DayFiles(const std::string& mask)
{
    std::vector<std::string> names = ListFiles(mask, ListKinds::Files);
    SortTexts(0, static_cast<int>(names.size()) - 1, false, names);
    return names;
}

int AddRow(CellGrid& grid, int count)
{
    grid.setRowCount(count + 2);
    return count + 1;
}

} // namespace

int FindAllInStockFiles(const std::string& folder, const std::string& searchText, CellGrid& grid)
{
    const std::vector<std::string> names = DayFiles(folder + "Data-STOCK/*.TXT");
    if (names.empty()) {
        return -1;
    }
    int count = 0;
    grid.setRowCount(1);
    for (const std::string& name : names) {
        const std::string day = Part(name, 1, 4) + "-" + Part(name, 5, 6) + "-" + Part(name, 7, 8);
        ForEachMatchingLine(folder + "Data-STOCK/" + name, searchText, [&](const std::string& line) {
            std::vector<std::string> f = SplitFields(line, " ", 99);
            f.resize(std::max<std::size_t>(f.size(), 10));
            const int row = count = AddRow(grid, count);
            grid.setCell(0, row, f[0]);
            grid.setCell(1, row, day);
            grid.setCell(2, row, RightPart(Spaces(6) + f[2], 8));
            grid.setCell(3, row, RightPart(Spaces(9) + f[4], 9));
            grid.setCell(4, row, RightPart(Spaces(6) + f[5], 8));
            grid.setCell(5, row, RightPart(Spaces(6) + f[6], 8));
            grid.setCell(6, row, RightPart(Spaces(12) + f[7], 12));
            grid.setCell(7, row, RightPart(Spaces(5) + f[8], 5));
            grid.setCell(8, row, RightPart(Spaces(6) + f[9], 8));
        });
    }
    grid.setCell(1, 0, Utf8ToCp1253("Ημερομηνία"));
    return count;
}

int FindAllInFundFiles(const std::string& folder, const std::string& searchText, CellGrid& grid)
{
    const std::vector<std::string> names = DayFiles(folder + "Data-STOCK/*.amb");
    if (names.empty()) {
        return -1;
    }
    int count = 0;
    grid.setRowCount(1);
    for (const std::string& name : names) {
        const std::string day = Part(name, 2, 5) + "-" + Part(name, 6, 7) + "-" + Part(name, 8, 9);
        ForEachMatchingLine(folder + "Data-STOCK/" + name, searchText, [&](const std::string& line) {
            const int row = count = AddRow(grid, count);
            grid.setCell(0, row, day + " " + TailFrom(line, 50));
            grid.setCell(1, row, Part(line, 1, 16));
            grid.setCell(2, row, Part(line, 17, 32));
            grid.setCell(3, row, Part(line, 33, 42));
            grid.setCell(4, row, "   " + Part(line, 43, 48));
        });
    }
    return count;
}

} // namespace karvo
