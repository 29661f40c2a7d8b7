// The SUPER3 view: the text file holds three digits per draw and no dates; the date follows
// from the draw number, the game having run two, then three, then ten draws a day.
#include "results/Super3View.h"

#include "results/ResultsFiles.h"
#include "results/ViewFrame.h"
#include "results/WholeFile.h"

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
    // Three bytes a draw, one grid row each: the rows a view holds bound the file.
    const std::string text =
        LoadWithinLimit(folder + GameInfoFor(GameCode::Super3).resultsFile, 3 * (ResultsLinesLimit - 1));
    const std::int64_t draws = static_cast<std::int64_t>(text.size()) / 3;
    DrawView view = StartView(Super3Settings, draws);
    if (draws == 0) {
        return view;
    }
    // Up to ten draws share a day: its day, month and year are worked out once.
    QDate day;
    int d = 0, m = 0, y = 0;
    for (std::int64_t n = 1; n <= draws; ++n) {
        const QDate date = Super3DrawDate(n);
        if (date != day) {
            day = date;
            day.getDate(&y, &m, &d);
        }
        const int row = static_cast<int>(n);
        view.grid.setCell(0, row, NumberedDate(n, 5, d, m, y));
        // "    d  d  d  ": thirteen characters, within a string's own room.
        const char* digits = text.data() + 3 * (n - 1);
        const char numbers[13] = {' ', ' ', ' ', ' ', digits[0], ' ', ' ', digits[1], ' ', ' ', digits[2], ' ', ' '};
        view.grid.setCell(1, row, std::string(numbers, sizeof numbers));
        NoteFirstYear(view, row, y, firstYear);
    }
    ScrollToLastDraw(view.grid);
    return view;
}

} // namespace karvo
