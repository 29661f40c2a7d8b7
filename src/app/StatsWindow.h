// The number statistics of a draw game: the period choice, a sortable table of the figures and a
// bar chart of the frequencies with the expected level drawn across.
#pragma once

#include "app/StatsTable.h"
#include "stats/NumberStats.h"

#include <QWidget>

class QChartView;
class QComboBox;
class QLabel;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

namespace karvo {

class StatsWindow : public QWidget
{
    Q_OBJECT
public:
    // history: the game's whole stored history; the window works on its own copy.
    StatsWindow(GameCode game, DrawHistory history, const SaveTarget& target, QWidget* parent = nullptr);

    // Chooses the period as the controls would, and shows its figures.
    void setPeriod(const StatsPeriod& period);
    const GameStats& stats() const { return m_stats; }

private:
    void buildControls(const SaveTarget& target);
    void periodKindChosen(int index);
    void recompute();
    void fillTable();
    void fillChart();
    QString rowLabel(const NumberRow& row) const;

    GameLayout m_layout;
    DrawHistory m_history;
    StatsPeriod m_period;
    GameStats m_stats;
    StatsTableModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QComboBox* m_kind = nullptr;
    QSpinBox* m_value = nullptr;
    QLabel* m_summary = nullptr;
    QTableView* m_table = nullptr;
    QChartView* m_chart = nullptr;
    bool m_settingPeriod = false;
};

} // namespace karvo
