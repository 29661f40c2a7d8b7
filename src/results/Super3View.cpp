// The SUPER3 view: the text file holds three digits per draw and no dates; the date follows
// from the draw number, the game having run two, then three, then ten draws a day.
#include "results/DrawViews.h"
#include "results/ViewFrame.h"
#include "util/Files.h"

#include <QDate>

namespace karvo {

namespace {

const ViewSettings Super3Settings = {"SUPER3", "SUPER3", 300, 139, "   No Ημερομηνία", "   Νικήτριες"};

// The day before the first draw day, 25 November 2002.
const QDate Super3Base(2002, 11, 24);

} // namespace

QDate Super3DrawDate(std::int64_t n)
{
    if (n < 267) {
        return Super3Base.addDays(1 + (n - 1) / 2);
    }
    if (n < 9237) {
        return Super3Base.addDays(45 + n / 3);
    }
    return Super3Base.addDays(2201 + (n - 7) / 10);
}

DrawView BuildSuper3View(const std::string& folder, int firstYear)
{
    const std::string text = LoadTextFile(folder + "Super3.krv");
    const std::int64_t draws = static_cast<std::int64_t>(text.size()) / 3;
    DrawView view = StartView(Super3Settings, draws);
    if (draws == 0) {
        return view;
    }
    // Up to ten draws share a day: the date text is made once per day.
    QDate day;
    std::string dateText;
    for (std::int64_t n = 1; n <= draws; ++n) {
        const QDate date = Super3DrawDate(n);
        if (date != day) {
            day = date;
            dateText = ' ' + DateText(date.day(), date.month(), date.year());
        }
        const int row = static_cast<int>(n);
        view.grid.setCell(0, row, RightAligned(n, 5) + dateText);
        std::string numbers = "    ";
        numbers.reserve(13);
        for (std::size_t k = 0; k < 3; ++k) {
            numbers += text[static_cast<std::size_t>(3 * (n - 1)) + k];
            numbers += "  ";
        }
        view.grid.setCell(1, row, std::move(numbers));
        NoteFirstYear(view, row, day.year(), firstYear);
    }
    ScrollToLastDraw(view.grid);
    return view;
}

} // namespace karvo
