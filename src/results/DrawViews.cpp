#include "results/DrawViews.h"

#include "util/Cp1253.h"

namespace karvo {

namespace {

// Title, headers and one empty row; the stored history is filled in by the file readers.
DrawView frame(const char* title, const char* baseName, int widthAdded, int column0Width, const char* header0,
               const std::string& header1)
{
    DrawView view;
    view.title = Utf8ToCp1253(title);
    view.ExportBaseName = baseName;
    view.widthAdded = widthAdded;
    view.grid.reset(2, 2);
    view.grid.columnWidths() = {column0Width, 999};
    view.grid.setCell(0, 0, Utf8ToCp1253(header0));
    view.grid.setCell(1, 0, header1);
    view.grid.setCurrentRow(1);
    return view;
}

} // namespace

DrawView BuildPropoView(const std::string&, int game, int)
{
    static const char* titles[] = {"ΠΡΟΠΟ ΚΥΡΙΑΚΗ", "ΠΡΟΠΟ ΣΑΒΒΑΤΟ", "ΠΡΟΠΟ ΤΕΤΑΡΤΗ"};
    static const char* names[] = {"Propok", "Propos", "Propot"};
    int i = game >= 1 && game <= 3 ? game - 1 : 0;
    return frame(titles[i], names[i], 300, 105, "  No ΕΤΟΣ", Utf8ToCp1253("      Νικήτριες"));
}

DrawView BuildLottoView(const std::string&, int variant, int)
{
    static const char* titles[] = {"LOTTO", "GOAL", "JOKER"};
    static const int widths[] = {365, 370, 365};
    int i = variant >= 1 && variant <= 3 ? variant - 1 : 0;
    return frame(titles[i], titles[i], widths[i], 130, "  No Ημερομηνία", Utf8ToCp1253("        Νικήτριες"));
}

DrawView BuildProtoView(const std::string&, int)
{
    return frame("PROTO", "PROTO", 300, 127, "  No Ημερομηνία", Utf8ToCp1253("    Νικήτριες"));
}

DrawView BuildExtraView(const std::string&, int)
{
    return frame("EXTRA", "EXTRA", 310, 140, "  No  Ημερομηνία", Utf8ToCp1253("    Νικήτριες"));
}

DrawView BuildSuper3View(const std::string&, int)
{
    return frame("SUPER3", "SUPER3", 300, 139, "   No Ημερομηνία", Utf8ToCp1253("   Νικήτριες"));
}

DrawView BuildKinoView(const std::string&, const std::string& kinoPeriodFile)
{
    std::string period = kinoPeriodFile.size() >= 17 ? kinoPeriodFile.substr(10, 7) : std::string();
    DrawView view = frame("K I N O", "KINO", 654, 135, "   No   Μερα-Ωρα",
                          "   " + period + Utf8ToCp1253("     Νικήτριες"));
    view.clearsStatus = true;
    return view;
}

void ScrollToLastDraw(CellGrid& grid)
{
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
