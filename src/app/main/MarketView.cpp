#include "app/main/MarketView.h"

#include "app/main/Appearance.h"
#include "domain/Games.h"
#include "market/MarketViews.h"
#include "util/Cp1253.h"

#include <QHeaderView>
#include <algorithm>

namespace karvo {

namespace {

constexpr int kDayListWidth = 165;
// SortDirections flags that a new day resets.
constexpr int kResetSortColumns = 21;

} // namespace

MarketKind MarketKindOf(GameCode game)
{
    return game == GameCode::Stock ? MarketKind::Stock : MarketKind::Funds;
}

MarketView::MarketView(GridView* dayList, GridView* dayGrid, ProgramState& state, std::string folder, QObject* parent)
    : QObject(parent)
    , m_dayList(dayList)
    , m_dayGrid(dayGrid)
    , m_state(state)
    , m_folder(std::move(folder))
{
    connect(m_dayList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_quietSelect && current.isValid()) {
                    emit daySelected(GridModel::gridRow(current.row()));
                }
            });
    // The second press of a double click arrives as the double click alone: it sorts too.
    for (auto signal : {&QHeaderView::sectionPressed, &QHeaderView::sectionDoubleClicked}) {
        connect(m_dayGrid->horizontalHeader(), signal, this, [this](int section) { sortBy(section); });
    }
}

int MarketView::show(MarketKind kind)
{
    const bool stock = kind == MarketKind::Stock;
    // "Arial" itself where the system has it or a font of the same metrics (Liberation Sans):
    // the fund captions are measured for it.
    QFont font = NamedFont("Courier", 8);
    if (!stock) {
        font = QFont(QStringLiteral("Arial"), 8);
        font.setStyleHint(QFont::SansSerif);
    }
    m_dayGrid->setFont(font);
    m_dayGrid->horizontalHeader()->setFont(font);
    m_dayList->setFixedWidth(kDayListWidth);
    m_dayGrid->setMinimumWidth(0);
    m_dayGrid->setMaximumWidth(QWIDGETSIZE_MAX);
    m_dayGrid->showGrid(MarketGridFrame(kind));
    m_dayGrid->show();
    // The list is filled without loading every day it passes; the last day is loaded once.
    m_quietSelect = true;
    CellGrid days = MarketDateList(m_folder, kind);
    const int last = days.currentRow();
    m_dayList->showGrid(std::move(days));
    m_quietSelect = false;
    return last;
}

void MarketView::showDay(MarketKind kind, int row)
{
    std::fill_n(m_state.SortDirections.begin(), kResetSortColumns, 0);
    if (kind == MarketKind::Stock) {
        m_dayGrid->gridModel()->change([](CellGrid& grid) { grid.setCell(1, 0, Utf8ToCp1253("ΜΕΤΑΒΟΛΗ%")); });
    }
    std::optional<CellGrid> day = MarketDayGrid(m_folder, kind, m_dayList->grid(), row);
    if (day) {
        m_dayGrid->showGrid(std::move(*day));
    }
}

void MarketView::sortBy(int column)
{
    const GameCode game = m_state.GameCode;
    if (!IsMarket(game) || column < 0 || column >= static_cast<int>(m_state.SortDirections.size())) {
        return;
    }
    int& direction = m_state.SortDirections[static_cast<std::size_t>(column)];
    direction = 1 - direction;
    const MarketKind kind = MarketKindOf(game);
    m_dayGrid->gridModel()->change(
        [column, direction, kind](CellGrid& grid) { SortMarketRows(grid, column, direction == 1, kind); });
}

} // namespace karvo
