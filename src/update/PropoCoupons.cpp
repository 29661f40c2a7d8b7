#include "update/PropoCoupons.h"

#include "domain/Games.h"
#include "util/Cp1253.h"
#include "util/Markup.h"
#include "util/Text.h"

#include <cctype>

namespace karvo {

namespace {

bool StartsWithNoCase(const std::string& text, std::size_t at, const char* word)
{
    for (std::size_t i = 0; word[i] != '\0'; ++i) {
        if (at + i >= text.size() || std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) {
            return false;
        }
    }
    return true;
}

// 0 X, 1, 2, or -1 for a text that is no result. The Greek capital chi stands for X as well,
// in Windows-1253 (a workbook's cells) or in UTF-8 (a page saved as sent).
int SignCode(const std::string& cleaned)
{
    if (cleaned == "1") {
        return 1;
    }
    if (cleaned == "2") {
        return 2;
    }
    if (cleaned.empty() || cleaned == "-" || cleaned == "X" || cleaned == "\xD7" || cleaned == "\xCE\xA7") {
        return 0;
    }
    return -1;
}

std::string BadResultText(const std::string& date, const std::string& cell)
{
    return Utf8ToCp1253("Το δελτίο της ") + date + Utf8ToCp1253(" έχει άκυρο αποτέλεσμα (\"") + cell
        + Utf8ToCp1253("\"). Δεν καταχωρήθηκε τίποτα.");
}

} // namespace

const std::string& PropoCells::operator[](std::int64_t index) const
{
    static const std::string empty;
    if (index < 1 || index > count) {
        return empty;
    }
    return table != nullptr ? (*table)[static_cast<std::size_t>(index)] : lines[static_cast<std::size_t>(index - 1)];
}

bool IsHtmlAnswer(const std::string& head)
{
    std::size_t at = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (at < head.size() && (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n')) {
        ++at;
    }
    return StartsWithNoCase(head, at, "<html") || StartsWithNoCase(head, at, "<!doctype html");
}

PropoCells PropoCellsFromPage(const std::string& page)
{
    const std::string crlf = ReplaceAll(ReplaceAll(page, "\r\n", "\n"), "\n", "\r\n");
    const std::string text = ReplaceAll(MarkupToText(crlf, false), "\r\n\r\n", "\r\n");
    PropoCells cells;
    cells.lines = SplitFields(text, "\r\n", CellTable::Capacity - 1);
    cells.count = static_cast<std::int64_t>(cells.lines.size());
    return cells;
}

PropoCells PropoCellsFromWorkbook(const CellTable& table, int rowCount)
{
    PropoCells cells;
    cells.table = &table;
    cells.count = static_cast<std::int64_t>(rowCount) * GameInfoFor(GameCode::PropoSunday).workbook.columns;
    return cells;
}

std::uint16_t PackPropoSigns(const int codes[7])
{
    std::uint16_t word = 0;
    for (int j = 0; j < 7; ++j) {
        word |= static_cast<std::uint16_t>((codes[j] & 3) << (2 * j));
    }
    return word;
}

PropoScan ScanPropoCoupons(const PropoCells& cells, int selectedYear)
{
    const std::string yearTag = "/" + std::to_string(selectedYear);
    const std::string nextTag = "/" + std::to_string(selectedYear + 1);
    PropoScan scan;
    std::int64_t i = cells.count;
    // Walking backwards makes the coupon nearest the end coupon 1 of the year.
    do {
        --i;
        const std::string& date = cells[i];
        if (date.find(yearTag) == std::string::npos && date.find(nextTag) == std::string::npos) {
            continue;
        }
        int codes[14];
        for (int j = 1; j <= 14; ++j) {
            const std::string cleaned = CleanSpaces(cells[i + j], 0);
            codes[j - 1] = SignCode(cleaned);
            if (codes[j - 1] < 0) {
                scan.refusal = BadResultText(date, cells[i + j]);
                return scan;
            }
            // A coupon of thirteen matches has no fourteenth result.
            if (j == 14 && (cleaned.empty() || cleaned == "-")) {
                codes[13] = 3;
            }
        }
        if (scan.coupons.size() == PropoSlotsPerYear) {
            scan.refusal = Utf8ToCp1253("Βρέθηκαν περισσότερα από 60 δελτία του " + std::to_string(selectedYear)
                                        + ". Δεν καταχωρήθηκε τίποτα.");
            return scan;
        }
        scan.coupons.push_back({PackPropoSigns(codes), PackPropoSigns(codes + 7)});
        i -= 10;
    } while (i >= 2);
    if (scan.coupons.empty()) {
        scan.refusal = Utf8ToCp1253("Δεν βρέθηκε κανένα δελτίο του " + std::to_string(selectedYear)
                                    + ". Δεν καταχωρήθηκε τίποτα.");
    }
    return scan;
}

} // namespace karvo
