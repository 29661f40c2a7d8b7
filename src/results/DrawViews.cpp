#include "results/DrawViews.h"

#include "results/KinoView.h"
#include "results/PropoView.h"
#include "results/SlotViews.h"
#include "results/Super3View.h"
#include "results/ViewFrame.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <algorithm>
#include <charconv>

namespace karvo {

DrawView StartView(const ViewSettings& settings, std::int64_t dataRows)
{
    DrawView view;
    view.title = Utf8ToCp1253(settings.title);
    view.ExportBaseName = settings.exportBaseName;
    view.widthAdded = settings.widthAdded;
    // An empty history still shows one (empty) row under the headers.
    const std::int64_t rows = dataRows > 0 ? dataRows : 1;
    view.grid.reset(2, static_cast<int>(rows + 1));
    view.grid.columnWidths() = {settings.column0Width, 999};
    view.grid.setCell(0, 0, Utf8ToCp1253(settings.header0));
    view.grid.setCell(1, 0, Utf8ToCp1253(settings.header1));
    view.grid.setCurrentRow(1);
    return view;
}

std::string RightAligned(std::int64_t n, int width)
{
    std::string digits = IntToText(n);
    const int pad = width - TextLength(digits);
    return pad > 0 ? Spaces(pad) + digits : digits;
}

namespace {

// Two digits of n (0 to 99) at out.
char* TwoDigits(char* out, int n)
{
    *out++ = static_cast<char>('0' + n / 10 % 10);
    *out++ = static_cast<char>('0' + n % 10);
    return out;
}

char* PutDate(char* out, int day, int month, int year)
{
    out = TwoDigits(out, day);
    *out++ = '-';
    out = TwoDigits(out, month);
    *out++ = '-';
    return std::to_chars(out, out + 12, year).ptr;
}

} // namespace

std::string DateText(int day, int month, int year)
{
    char text[24];
    return std::string(text, PutDate(text, day, month, year));
}

std::string NumberedDate(std::int64_t n, int width, int day, int month, int year)
{
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    const auto length = static_cast<int>(end - digits);
    char text[80];
    char* out = text;
    for (int pad = width - length; pad > 0 && out < text + 32; --pad) {
        *out++ = ' ';
    }
    out = std::copy(digits, end, out);
    *out++ = ' ';
    return std::string(text, PutDate(out, day, month, year));
}

void ScrollToLastDraw(CellGrid& grid)
{
    grid.setCurrentRow(1);
    int last = 1;
    for (int r = grid.rowCount() - 1; r >= 1; --r) {
        if (!grid.cell(1, r).empty()) {
            last = r;
            break;
        }
    }
    grid.setCurrentRow(last);
    grid.setRowCount(last + 1);
}

DrawView BuildGameView(const std::string& folder, GameCode game, int firstYear, const std::string& kinoPeriodFile)
{
    const GameInfo& info = GameInfoFor(game);
    switch (info.view) {
    case ViewKind::Propo: return BuildPropoView(folder, game, firstYear);
    case ViewKind::NumberGame: return BuildLottoView(folder, game, firstYear);
    case ViewKind::Proto: return BuildProtoView(folder, firstYear);
    case ViewKind::Extra: return BuildExtraView(folder, firstYear);
    case ViewKind::Super3: return BuildSuper3View(folder, firstYear);
    case ViewKind::Kino: return BuildKinoView(folder, kinoPeriodFile);
    default: return {};
    }
}

} // namespace karvo
