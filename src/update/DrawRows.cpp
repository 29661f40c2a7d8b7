#include "update/DrawRows.h"

#include "domain/Games.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace karvo {

int WorkbookRows::drawNumber(int row) const
{
    return TextToInt(cell(row, 1));
}

int WorkbookRows::countDrawRows() const
{
    int count = 0;
    for (int row = 0; row < rowCount; ++row) {
        if (drawNumber(row) > 0) {
            ++count;
        }
    }
    return count;
}

bool DateBytes(const std::string& text, unsigned char bytes[3])
{
    const std::vector<std::string> fields = SplitFields(text, "/");
    if (fields.size() < 3) {
        return false;
    }
    const int day = TextToInt(fields[0]);
    const int month = TextToInt(fields[1]);
    const int year = TextToInt(fields[2]);
    // Day 0 would mark the slot empty and lose the draw; the year byte counts from 1950.
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < kRecordYearBase || year > kRecordYearBase + 255) {
        return false;
    }
    bytes[0] = static_cast<unsigned char>(day);
    bytes[1] = static_cast<unsigned char>(month);
    bytes[2] = static_cast<unsigned char>(year - kRecordYearBase);
    return true;
}

bool ReadRowValues(const WorkbookRows& rows, int row, int firstColumn, int count, int* values, int& bad)
{
    for (int i = 0; i < count; ++i) {
        values[i] = TextToInt(rows.cell(row, firstColumn + i));
        if (!FitsByte(values[i])) {
            bad = values[i];
            return false;
        }
    }
    return true;
}

void StoreDrawRecord(std::string& bytes, std::size_t offset, const unsigned char date[3], const int* values, int count)
{
    for (int i = 0; i < 3; ++i) {
        bytes[offset + i] = static_cast<char>(date[i]);
    }
    for (int i = 0; i < count; ++i) {
        bytes[offset + 3 + i] = static_cast<char>(values[i]);
    }
}

std::string TooManyDrawsText(int year, int limit)
{
    return Utf8ToCp1253("Το αρχείο αποτελεσμάτων του " + std::to_string(year) + " έχει περισσότερες από "
                        + std::to_string(limit) + " κληρώσεις. Δεν καταχωρήθηκε τίποτα.");
}

std::string YearNotStoredText(int year)
{
    return Utf8ToCp1253("Το έτος " + std::to_string(year)
                        + " δεν χωράει στο αρχείο νικητριών. Δεν καταχωρήθηκε τίποτα.");
}

std::string UnreadableDateText(int row, const std::string& date)
{
    return Utf8ToCp1253("Η κλήρωση της γραμμής " + std::to_string(row + 1) + " δεν έχει έγκυρη ημερομηνία (\"") + date
        + Utf8ToCp1253("\"). Δεν καταχωρήθηκε τίποτα.");
}

std::string ValueOutOfRangeText(int row, int value)
{
    return Utf8ToCp1253("Η γραμμή " + std::to_string(row + 1) + " έχει τιμή εκτός ορίων (" + std::to_string(value)
                        + "). Δεν καταχωρήθηκε τίποτα.");
}

} // namespace karvo
