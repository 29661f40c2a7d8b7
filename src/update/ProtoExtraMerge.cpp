#include "update/ProtoExtraMerge.h"

#include "domain/Games.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Sorting.h"

#include <algorithm>
#include <span>

namespace karvo {

namespace {

// EXTRA's slots are its draw numbers, so a draw far past the file means years not yet fetched.
std::string DrawTooFarText(int row, int draw, std::int64_t storedSlots)
{
    return Utf8ToCp1253("Η κλήρωση " + std::to_string(draw) + " της γραμμής " + std::to_string(row + 1)
                        + " είναι πολύ μετά την τελευταία θέση του αρχείου (" + std::to_string(storedSlots)
                        + "). Ενημερώστε πρώτα τα προηγούμενα έτη, με τη σειρά. Δεν καταχωρήθηκε τίποτα.");
}

} // namespace

MergeResult MergeProto(const std::string& stored, const WorkbookRows& rows, int selectedYear, int currentYear)
{
    const int firstYear = GameInfoFor(GameCode::Proto).firstStoredYear;
    const int recordSize = GameInfoFor(GameCode::Proto).recordSize;
    const std::size_t yearBytes = std::size_t{ProtoSlotsPerYear} * static_cast<std::size_t>(recordSize);
    if (selectedYear < firstYear) {
        return MergeResult::refuse(YearNotStoredText(selectedYear));
    }
    if (rows.countDrawRows() > ProtoSlotsPerYear) {
        return MergeResult::refuse(TooManyDrawsText(selectedYear, ProtoSlotsPerYear));
    }
    const std::size_t total = std::max<std::size_t>(
        {stored.size(), static_cast<std::size_t>(std::max(currentYear - firstYear + 1, 0)) * yearBytes,
         static_cast<std::size_t>(selectedYear - firstYear + 1) * yearBytes});
    MergeResult result;
    result.bytes = stored;
    result.bytes.resize(total, '\0');
    std::size_t offset = static_cast<std::size_t>(selectedYear - firstYear) * yearBytes;
    int digits[7];
    for (int row = rows.rowCount - 1; row >= 0; --row) {
        if (rows.drawNumber(row) <= 0) {
            continue;
        }
        unsigned char date[3];
        int bad = 0;
        if (!DateBytes(rows.cell(row, 2), date)) {
            return MergeResult::refuse(UnreadableDateText(row, rows.cell(row, 2)));
        }
        // The seven digits of the drawn number keep their workbook order.
        if (!ReadRowValues(rows, row, GameInfoFor(GameCode::Proto).workbook.firstNumberColumn, 7, digits, bad)) {
            return MergeResult::refuse(ValueOutOfRangeText(row, bad));
        }
        StoreDrawRecord(result.bytes, offset, date, digits, 7);
        offset += static_cast<std::size_t>(recordSize);
    }
    return result;
}

MergeResult MergeExtra(const std::string& stored, const WorkbookRows& rows)
{
    const std::size_t extraRecordSize = static_cast<std::size_t>(GameInfoFor(GameCode::Extra).recordSize);
    const std::int64_t storedSlots = static_cast<std::int64_t>(stored.size() / extraRecordSize);
    const std::int64_t slotLimit = storedSlots + ExtraNewSlots;
    std::int64_t highest = 0;
    for (int row = 0; row < rows.rowCount; ++row) {
        const int draw = rows.drawNumber(row);
        if (draw > slotLimit) {
            return MergeResult::refuse(DrawTooFarText(row, draw, storedSlots));
        }
        highest = std::max<std::int64_t>(highest, draw);
    }
    MergeResult result;
    result.bytes = stored;
    result.bytes.resize(std::max<std::size_t>(stored.size(), highest * extraRecordSize), '\0');
    int numbers[5];
    for (int row = 0; row < rows.rowCount; ++row) {
        const int draw = rows.drawNumber(row);
        if (draw <= 0) {
            continue;
        }
        unsigned char date[3];
        int bad = 0;
        if (!DateBytes(rows.cell(row, 2), date)) {
            return MergeResult::refuse(UnreadableDateText(row, rows.cell(row, 2)));
        }
        if (!ReadRowValues(rows, row, GameInfoFor(GameCode::Extra).workbook.firstNumberColumn, 5, numbers, bad)) {
            return MergeResult::refuse(ValueOutOfRangeText(row, bad));
        }
        SortInts(0, 4, false, std::span<int>(numbers, 5));
        // A draw read again lands on its own slot with the same bytes.
        StoreDrawRecord(result.bytes, static_cast<std::size_t>(draw - 1) * extraRecordSize, date, numbers, 5);
    }
    return result;
}

} // namespace karvo
