#include "update/KinoMonth.h"

#include "domain/Games.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Sorting.h"
#include "util/Text.h"

#include <cmath>
#include <span>

namespace karvo {

namespace {

std::string ShortTimeText(int row, const std::string& time)
{
    return Utf8ToCp1253("Η κλήρωση της γραμμής " + std::to_string(row + 1) + " δεν έχει έγκυρη ώρα (\"") + time
        + Utf8ToCp1253("\"). Δεν καταχωρήθηκε τίποτα.");
}

std::string TooLargeMonthText(int draws)
{
    return Utf8ToCp1253("Ο μήνας έχει " + std::to_string(draws)
                        + " κληρώσεις, περισσότερες από όσες χωράει το αρχείο. Δεν καταχωρήθηκε τίποτα.");
}

void PutInt32(std::string& bytes, std::size_t offset, int value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
}

} // namespace

int KinoDay(const std::string& date, const std::string& month)
{
    const std::string first = date.substr(0, 2);
    const std::string second = date.size() > 3 ? date.substr(3, 2) : std::string();
    return TextToInt(first == month ? second : first);
}

bool KinoTime(const std::string& text, int& hour, int& minute)
{
    if (text.size() < 3) {
        return false;
    }
    if (text[2] == ':') {
        hour = TextToInt(text.substr(0, 2));
        minute = TextToInt(text.substr(3, 2));
        return true;
    }
    // A day fraction is rounded to the second first, as a spreadsheet shows it: 0.378472222222222
    // is 09:05, though its exact minutes fall a hair short.
    const double fraction = TextToFloat(text);
    const double inDay = fraction - std::floor(fraction);
    const std::int64_t seconds = std::llround(inDay * 86400.0) % 86400;
    hour = static_cast<int>(seconds / 3600);
    minute = static_cast<int>(seconds % 3600 / 60);
    return true;
}

MergeResult BuildKinoMonth(const WorkbookRows& rows, const std::string& month)
{
    const int draws = rows.countDrawRows();
    if (static_cast<std::int64_t>(draws + 1) * KinoRecordSize > ResultsBufferLimit) {
        return MergeResult::refuse(TooLargeMonthText(draws));
    }
    MergeResult result;
    result.bytes.assign(static_cast<std::size_t>(draws + 1) * KinoRecordSize, '\0');
    std::size_t offset = KinoRecordSize;
    int first = 0;
    int numbers[20];
    for (int row = rows.rowCount - 1; row >= 0; --row) {
        const int draw = rows.drawNumber(row);
        if (draw <= 0) {
            continue;
        }
        int bad = 0;
        if (!ReadRowValues(rows, row, GameInfoFor(GameCode::Kino).workbook.firstNumberColumn, 20, numbers, bad)) {
            return MergeResult::refuse(ValueOutOfRangeText(row, bad));
        }
        SortInts(0, 19, false, std::span<int>(numbers, 20));
        int hour = 0;
        int minute = 0;
        if (!KinoTime(rows.cell(row, 3), hour, minute)) {
            return MergeResult::refuse(ShortTimeText(row, rows.cell(row, 3)));
        }
        const int day = KinoDay(rows.cell(row, 2), month);
        for (int value : {day, hour, minute}) {
            if (!FitsByte(value)) {
                return MergeResult::refuse(ValueOutOfRangeText(row, value));
            }
        }
        for (int i = 0; i < 20; ++i) {
            result.bytes[offset + i] = static_cast<char>(numbers[i]);
        }
        result.bytes[offset + 20] = static_cast<char>(day);
        result.bytes[offset + 21] = static_cast<char>(hour);
        result.bytes[offset + 22] = static_cast<char>(minute);
        if (first == 0) {
            first = draw;
        }
        offset += KinoRecordSize;
    }
    // The header names the bottom row's draw; the records number upwards from it.
    PutInt32(result.bytes, 0, first);
    return result;
}

} // namespace karvo
