#include "prizes/DrawPrizesView.h"

#include "prizes/PrizeWorkbook.h"
#include "util/Cp1253.h"

namespace karvo {

std::optional<std::string> DrawPrizesMenuCaption(GameCode game)
{
    if (!HasPrizeTables(game)) {
        return std::nullopt;
    }
    return Utf8ToCp1253("Κέρδη κλήρωσης");
}

QDate DateOfResultsRow(const std::string& firstCell)
{
    std::string cell = firstCell;
    while (!cell.empty() && cell.back() == ' ') {
        cell.pop_back();
    }
    if (cell.size() < 10) {
        return {};
    }
    const QString text = QString::fromLatin1(cell.substr(cell.size() - 10));
    return QDate::fromString(text, QStringLiteral("dd-MM-yyyy"));
}

DrawPrizesView BuildDrawPrizesView(GameCode game, const DrawPrizes& draw, const NumberFormat& format)
{
    DrawPrizesView view;
    view.title = GameInfoFor(game).caption + std::string(": κλήρωση ") + std::to_string(draw.draw);
    if (draw.date.isValid()) {
        view.title += " της " + draw.date.toString(QStringLiteral("dd-MM-yyyy")).toStdString();
    }
    if (draw.columnsPlayed) {
        view.title += ", " + Cp1253ToUtf8(GroupedWhole(*draw.columnsPlayed, format)) + " στήλες";
    }
    view.title = Utf8ToCp1253(view.title);
    const int rows = static_cast<int>(draw.categories.size()) + 1;
    view.grid.reset(3, rows);
    view.grid.setCell(0, 0, Utf8ToCp1253("Κατηγορία"));
    view.grid.setCell(1, 0, Utf8ToCp1253("Επιτυχίες"));
    view.grid.setCell(2, 0, Utf8ToCp1253("Κέρδη ανά επιτυχία €"));
    view.grid.rightAligned() = {false, true, true};
    for (int row = 1; row < rows; ++row) {
        const PrizeCategory& category = draw.categories[static_cast<std::size_t>(row - 1)];
        view.grid.setCell(0, row, category.name);
        if (category.winners) {
            view.grid.setCell(1, row,
                              *category.winners == 0 ? std::string("-") : GroupedWhole(*category.winners, format));
        }
        if (category.jackpot) {
            view.grid.setCell(2, row, Utf8ToCp1253("ΤΖΑΚ-ΠΟΤ"));
        } else if (category.cents) {
            view.grid.setCell(2, row, AmountText(*category.cents, format));
        } else if (category.winners == 0) {
            view.grid.setCell(2, row, "-");
        }
    }
    view.grid.setCurrentRow(rows > 1 ? 1 : -1);
    return view;
}

} // namespace karvo
