#include "update/NumberGameMerge.h"

#include "util/Numbers.h"
#include "util/Sorting.h"

#include <algorithm>
#include <span>

namespace karvo {

MergeResult MergeNumberGame(GameCode code, const std::string& stored, const WorkbookRows& rows, int selectedYear,
                            int currentYear)
{
    const GameInfo& info = GameInfoFor(code);
    const int firstYear = info.firstStoredYear;
    const int recordSize = info.recordSize;
    // JOKER's joker number stays in sixth place: only the leading numbers are sorted.
    const int numbers = info.draw.numbers + info.draw.bonus;
    const std::size_t yearBytes = static_cast<std::size_t>(SlotsPerYear) * recordSize;
    if (selectedYear < firstYear) {
        return MergeResult::refuse(YearNotStoredText(selectedYear));
    }
    if (rows.countDrawRows() > SlotsPerYear) {
        return MergeResult::refuse(TooManyDrawsText(selectedYear, SlotsPerYear));
    }
    // A clock set back must not cut stored years off: the computed length is only a minimum.
    const std::size_t total = std::max<std::size_t>(
        {stored.size(), static_cast<std::size_t>(std::max(currentYear - firstYear + 1, 0)) * yearBytes,
         static_cast<std::size_t>(selectedYear - firstYear + 1) * yearBytes});
    MergeResult result;
    result.bytes = stored;
    result.bytes.resize(total, '\0');
    const std::size_t base = static_cast<std::size_t>(selectedYear - firstYear) * yearBytes;
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
        if (!ReadRowValues(rows, row, info.workbook.firstNumberColumn, numbers, values, bad)) {
            return MergeResult::refuse(ValueOutOfRangeText(row, bad));
        }
        SortInts(0, info.draw.numbers - 1, false, std::span<int>(values, numbers));
        StoreDrawRecord(result.bytes, offset, date, values, numbers);
        offset += recordSize;
    }
    return result;
}

} // namespace karvo
