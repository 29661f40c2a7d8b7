// The PROPO view: one row per stored coupon of the Sunday, Saturday or Wednesday pools, the
// running number with year and draw in column 0, the fourteen signs in column 1.
#include "results/PropoView.h"

#include "results/PropoFile.h"
#include "results/ViewFrame.h"
#include "util/Numbers.h"

#include <vector>

namespace karvo {

namespace {

// The title is the game's name, the export's name its results file's without ".krv".
ViewSettings PropoSettings(const GameInfo& info, std::string& exportName)
{
    const std::string file = info.resultsFile;
    exportName = file.substr(0, file.find('.'));
    return {info.caption, exportName.c_str(), 300, 105, "  No ΕΤΟΣ", "      Νικήτριες"};
}

bool EmptySlot(std::uint16_t first, std::uint16_t second)
{
    return (first & PropoEmptyValue) == PropoEmptyValue && (second & PropoEmptyValue) == PropoEmptyValue;
}

} // namespace

DrawView BuildPropoView(const std::string& folder, GameCode game, int firstYear)
{
    const GameInfo& info = GameInfoFor(game);
    const std::vector<std::uint16_t> values = ReadPropoFile(folder + info.resultsFile);
    // Slot d lies in V[2d - 1] and V[2d]; V[0] belongs to no slot.
    const std::int64_t slots = values.empty() ? 0 : static_cast<std::int64_t>(values.size() - 1) / 2;

    std::int64_t shown = 0;
    for (std::int64_t d = 1; d <= slots; ++d) {
        shown += EmptySlot(values[2 * d - 1], values[2 * d]) ? 0 : 1;
    }
    std::string exportName;
    DrawView view = StartView(PropoSettings(info, exportName), shown);
    int row = 0;
    for (std::int64_t d = 1; d <= slots; ++d) {
        const std::uint16_t first = values[2 * d - 1];
        const std::uint16_t second = values[2 * d];
        if (EmptySlot(first, second)) {
            continue;
        }
        ++row;
        const int year = static_cast<int>((d - 1) / PropoSlotsPerYear) + PropoFirstYear;
        const int draw = static_cast<int>((d - 1) % PropoSlotsPerYear) + 1;
        view.grid.setCell(0, row, RightAligned(row, 4) + ' ' + IntToText(year) + '-' + IntToText(draw));
        view.grid.setCell(1, row, ' ' + PropoSignLine(first, second));
        NoteFirstYear(view, row, year, firstYear);
    }
    ScrollToLastDraw(view.grid);
    return view;
}

} // namespace karvo
