// The stock and fund views on the main window's two grids: the list of stored days on the wide
// grid, the selected day's securities or funds beside it and the caption sort.
#pragma once

#include "app/main/GridView.h"
#include "domain/Games.h"
#include "domain/ProgramState.h"
#include "market/MarketFiles.h"

#include <QObject>
#include <string>

namespace karvo {

class MarketView : public QObject
{
    Q_OBJECT
public:
    MarketView(GridView* dayList, GridView* dayGrid, ProgramState& state, std::string folder, QObject* parent);

    // Lays both grids out for kind and fills the day list without loading the days it passes;
    // returns the row of the last day, which the caller loads.
    int show(MarketKind kind);
    // Shows the day of a row (1..n) of the day list; throws when its file cannot be read.
    void showDay(MarketKind kind, int row);
    // A press on a caption of the day's grid: sorts by that column, the other way at each press.
    void sortBy(int column);

signals:
    // The user moved the day list's selection to a row (1..n).
    void daySelected(int row);

private:
    GridView* m_dayList;
    GridView* m_dayGrid;
    ProgramState& m_state;
    std::string m_folder;
    bool m_quietSelect = false; // the day list is being rebuilt: its selection loads nothing yet
};

// The kind of market figures a game code shows; Stock for the stock view, Funds otherwise.
MarketKind MarketKindOf(GameCode game);

} // namespace karvo
