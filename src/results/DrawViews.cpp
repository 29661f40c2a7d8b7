#include "results/DrawViews.h"

#include "results/ViewFrame.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Text.h"

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

std::string DateText(int day, int month, int year)
{
    std::string text;
    text.reserve(10);
    text += ZeroPad(day, 2);
    text += '-';
    text += ZeroPad(month, 2);
    text += '-';
    text += IntToText(year);
    return text;
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

} // namespace karvo
