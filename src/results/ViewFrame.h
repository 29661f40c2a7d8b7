// Pieces shared by the draw-results views: the frame of title, headers and widths, the grid
// sized once for its final row count, and the small cell-text formats.
#pragma once

#include "results/DrawViews.h"

#include <cstdint>
#include <string>

namespace karvo {

// Texts in UTF-8; header1 may be replaced by a ready Windows-1253 text (KINO's period).
struct ViewSettings
{
    const char* title;
    const char* exportBaseName;
    int widthAdded;
    int column0Width;
    const char* header0;
    const char* header1;
};

// A view with its settings and a two-column grid of dataRows rows below the header; with no
// data row the grid holds one empty row. FirstYearRow starts at 0.
DrawView StartView(const ViewSettings& settings, std::int64_t dataRows);

// Marks row as the export start when it is the first of firstYear or later.
inline void NoteFirstYear(DrawView& view, int row, int year, int firstYear)
{
    if (view.FirstYearRow == 0 && year >= firstYear) {
        view.FirstYearRow = row + 1;
    }
}

// n right-aligned in width characters; wider numbers are kept whole.
std::string RightAligned(std::int64_t n, int width);

// "dd-mm-yyyy".
std::string DateText(int day, int month, int year);

// RightAligned(n, width) + ' ' + DateText(day, month, year). Built in place: a view makes one
// per row, and each passing text costs a heap block once a history is long.
std::string NumberedDate(std::int64_t n, int width, int day, int month, int year);

} // namespace karvo
