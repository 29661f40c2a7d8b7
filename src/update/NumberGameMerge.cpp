#include "update/NumberGameMerge.h"

#include "util/Numbers.h"
#include "util/Sorting.h"

#include <algorithm>
#include <span>

namespace karvo {

namespace {

// LOTTO, GOAL and JOKER, in the order of the game table's variant.
const NumberGame games[] = {
    {1990, 6, 6, 3, 9},
    {1996, 8, 8, 4, 11},
    {1997, 6, 5, 3, 9},
};

} // namespace

const NumberGame& NumberGameOf(int kind)
{
    return kind >= 1 && kind <= 3 ? games[kind - 1] : games[0];
}

MergeResult MergeNumberGame(const NumberGame& game, const std::string& stored, const WorkbookRows& rows,
                            int selectedYear, int currentYear)
{
    const std::size_t yearBytes = static_cast<std::size_t>(SlotsPerYear) * game.recordSize;
    if (selectedYear < game.firstYear) {
        return MergeResult::refuse(YearNotStoredText(selectedYear));
    }
    if (rows.countDrawRows() > SlotsPerYear) {
        return MergeResult::refuse(TooManyDrawsText(selectedYear, SlotsPerYear));
    }
    // A clock set back must not cut stored years off: the computed length is only a minimum.
    const std::size_t total = std::max<std::size_t>(
        {stored.size(), static_cast<std::size_t>(std::max(currentYear - game.firstYear + 1, 0)) * yearBytes,
         static_cast<std::size_t>(selectedYear - game.firstYear + 1) * yearBytes});
    MergeResult result;
    result.bytes = stored;
    result.bytes.resize(total, '\0');
    const std::size_t base = static_cast<std::size_t>(selectedYear - game.firstYear) * yearBytes;
    std::size_t offset = base;
    int values[8];
    for (int row = rows.rowCount - 1; row >= 0; --row) {
        if (rows.drawNumber(row) <= 0) {
            continue;
        }
        unsigned char date[3];
        if (!DateBytes(rows.cell(row, 2), date)) {
            return MergeResult::refuse(UnreadableDateText(row, rows.cell(row, 2)));
        }
        int bad = 0;
        if (!ReadRowValues(rows, row, game.firstNumberColumn, game.numbers, values, bad)) {
            return MergeResult::refuse(ValueOutOfRangeText(row, bad));
        }
        // JOKER's joker number stays in sixth place: only the leading numbers are sorted.
        SortInts(0, game.sortedNumbers - 1, false, std::span<int>(values, game.numbers));
        StoreDrawRecord(result.bytes, offset, date, values, game.numbers);
        offset += game.recordSize;
    }
    return result;
}

} // namespace karvo
