#include "workbook/WorkbookReader.h"

#include "util/Cp1253.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"
#include "workbook/ZipArchive.h"

#include <charconv>

namespace karvo {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The end of a cell: the first "/>" or "</c>" after its "<c", or npos. Every candidate begins
// at a "/", so one pass over the slashes finds the nearer of the two.
std::size_t CellEnd(std::string_view row, std::size_t from)
{
    for (std::size_t j = row.find('/', from); j != npos; j = row.find('/', j + 1)) {
        if (j + 1 < row.size() && row[j + 1] == '>') {
            return j;
        }
        if (row[j - 1] == '<' && j + 2 < row.size() && row[j + 1] == 'c' && row[j + 2] == '>') {
            return j - 1;
        }
    }
    return npos;
}

// The text of one cell from its attributes and content: the cached value, a shared string
// when the cell says t="s", the empty text without a value.
std::string CellValue(std::string_view cell, const std::vector<std::string>& sharedStrings)
{
    const std::size_t v = cell.find("<v>");
    if (v == npos) {
        return {};
    }
    const std::size_t end = cell.find("</v>", v + 1);
    const std::string_view raw = end == npos ? std::string_view() : cell.substr(v + 3, end - v - 3);
    if (cell.find("t=\"s\"") == npos) {
        return Utf8ToCp1253(raw);
    }
    const int index = TextToInt(std::string(raw));
    if (index < 0 || static_cast<std::size_t>(index) >= sharedStrings.size()) {
        return {};
    }
    return sharedStrings[static_cast<std::size_t>(index)];
}

void ScanRow(std::string_view row, const std::vector<std::string>& sharedStrings, int width, std::size_t base,
             CellTable& table)
{
    int column = 0;
    for (std::size_t c = row.find("<c"); c != npos && column < width; c = row.find("<c", c)) {
        const std::size_t end = CellEnd(row, c + 1);
        // A cell left open takes the rest of the row.
        const std::string_view cell = end == npos ? row.substr(c + 2) : row.substr(c + 2, end - c - 2);
        ++column;
        table.at(base + static_cast<std::size_t>(column)) = CellValue(cell, sharedStrings);
        if (end == npos) {
            break;
        }
        c = end + 1;
    }
}

// n with leading zeros to at least width digits, the sign before them ("-001").
std::string ZeroFilled(long long n, int width)
{
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, n < 0 ? -n : n).ptr;
    std::string text(digits, end);
    const int places = n < 0 ? width - 1 : width;
    if (static_cast<int>(text.size()) < places) {
        text.insert(0, static_cast<std::size_t>(places) - text.size(), '0');
    }
    return n < 0 ? "-" + text : text;
}

} // namespace

std::vector<std::string> ReadSharedStrings(std::string_view xml, std::size_t maxCount)
{
    std::vector<std::string> strings;
    for (std::size_t p = xml.find("<t"); p != npos; p = xml.find("<t", p)) {
        if (strings.size() >= maxCount) {
            throw KarvoError("Το βιβλίο εργασίας έχει περισσότερα από " + std::to_string(maxCount)
                             + " κοινά κείμενα, περισσότερα από όσα διαβάζει το πρόγραμμα.");
        }
        const std::size_t open = xml.find('>', p + 1);
        const std::size_t close = open == npos ? npos : xml.find("</t>", open + 1);
        // A text left open is the empty last entry.
        if (close == npos) {
            strings.emplace_back();
            break;
        }
        strings.push_back(Utf8ToCp1253(xml.substr(open + 1, close - open - 1)));
        p = close;
    }
    return strings;
}

int ScanSheet(std::string_view xml, const std::vector<std::string>& sharedStrings, int width, int lastRow,
              CellTable& table, std::size_t maxCells)
{
    // Parts this short hold no rows: an empty sheet.
    if (xml.size() < 33) {
        return lastRow;
    }
    const std::size_t data = xml.find("<sheetData>");
    std::size_t from = data == npos ? 0 : data + 1;
    const auto w = static_cast<std::size_t>(width);
    for (;;) {
        const std::size_t start = xml.find("<row", from);
        const std::size_t open = start == npos ? npos : xml.find('>', start + 1);
        const std::size_t close = open == npos ? npos : xml.find("</row>", open + 1);
        if (close == npos) {
            return lastRow;
        }
        // A self-closing <row/> runs on to the next row's end and takes that row's cells.
        ++lastRow;
        const std::size_t cells = (static_cast<std::size_t>(lastRow) + 1) * w;
        if (cells > maxCells) {
            throw KarvoError("Το βιβλίο εργασίας έχει περισσότερα από " + std::to_string(maxCells)
                             + " κελιά, περισσότερα από όσα διαβάζει το πρόγραμμα.");
        }
        table.growTo(cells + 1);
        ScanRow(xml.substr(open + 1, close - open - 1), sharedStrings, width, static_cast<std::size_t>(lastRow) * w,
                table);
        from = close + 1;
    }
}

std::string SerialDateText(long long serial)
{
    // Civil date of a day count from 1 March of year 0 (era arithmetic of the Gregorian calendar).
    const long long z = serial - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long day = doy - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return ZeroFilled(day, 2) + "/" + ZeroFilled(month, 2) + "/" + ZeroFilled(year, 4);
}

void ConvertSerialDates(CellTable& table, int rowCount, int width, int dateColumn)
{
    if (dateColumn < 1 || dateColumn > width) {
        return;
    }
    for (int row = 0; row < rowCount; ++row) {
        const std::size_t index = static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + dateColumn;
        const std::string& text = table[index];
        if (text.find('/') == std::string::npos) {
            const int serial = TextToInt(text);
            if (serial > 5000) {
                table.set(index, SerialDateText(serial));
            }
        }
    }
}

int ReadWorkbook(const ZipArchive& archive, int width, int dateColumn, CellTable& table, const WorkbookLimits& limits)
{
    width = std::max(width, 0);
    const std::vector<std::string> sharedStrings =
        ReadSharedStrings(archive.read("xl/sharedStrings.xml", limits.maxPartBytes), limits.maxSharedStrings);
    const int sheets = CountSheets(archive.entryNames(250));
    table.resetTo(0);
    int lastRow = -1;
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        const std::string xml =
            archive.read("xl/worksheets/sheet" + std::to_string(sheet) + ".xml", limits.maxPartBytes);
        lastRow = ScanSheet(xml, sharedStrings, width, lastRow, table, limits.maxCells);
    }
    const int rowCount = lastRow + 1;
    ConvertSerialDates(table, rowCount, width, dateColumn);
    return rowCount;
}

int ReadWorkbook(const std::string& path, int width, int dateColumn, CellTable& table, const WorkbookLimits& limits)
{
    return ReadWorkbook(ZipArchive::open(path), width, dateColumn, table, limits);
}

} // namespace karvo
