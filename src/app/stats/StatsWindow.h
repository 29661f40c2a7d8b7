// The number statistics of a draw game: the period choice, a sortable table of the figures and a
// bar chart of the frequencies with the expected level drawn across; for the games drawing numbers
// of a range, tabs beside them with the patterns of the draws.
#pragma once

#include "app/stats/StatsTable.h"
#include "stats/DrawPatterns.h"
#include "stats/NumberStats.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QChartView;
class QComboBox;
class QLabel;
class QSortFilterProxyModel;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace karvo {

class PatternTabs;

class StatsWindow : public QWidget
{
    Q_OBJECT
public:
    // The figures of the window's game for a period, taken again at each change of period; may
    // throw KarvoError. The whole history's are taken at once, for the choice's limits.
    using Source = std::function<GameStats(const StatsPeriod&)>;
    // The patterns of the draws for a period, taken when one of their tabs is shown; may throw
    // KarvoError. Empty for a game without them: the window then has no tabs.
    using PatternSource = std::function<DrawPatterns(const StatsPeriod&)>;
    StatsWindow(GameCode game, Source source, PatternSource patterns, const SaveTarget& target,
                QWidget* parent = nullptr);
    ~StatsWindow() override;

    // Where a game's figures come from in folder: KINO's from its month files each time, the
    // other games' from their history, read once and kept.
    static Source SourceFor(GameCode game, const std::string& folder);
    // The patterns come from the game's history, KINO's too, read at the first call and kept.
    static PatternSource PatternSourceFor(GameCode game, const std::string& folder);

    // Chooses the period as the controls would, and shows its figures.
    void setPeriod(const StatsPeriod& period);
    const GameStats& stats() const { return m_stats; }
    const DrawPatterns& patterns() const { return m_patterns; }

private:
    void buildControls(const SaveTarget& target);
    void periodKindChosen(int index);
    void recompute();
    void fillTable();
    void fillChart();
    void showPatternsIfSeen();
    QString rowLabel(const NumberRow& row) const;

    GameLayout m_layout;
    Source m_source;
    GameStats m_whole; // over every stored draw
    StatsPeriod m_period;
    GameStats m_stats;
    StatsTableModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QComboBox* m_periodKind = nullptr;
    QSpinBox* m_periodValue = nullptr;
    QLabel* m_summary = nullptr;
    QTableView* m_statsTable = nullptr;
    QChartView* m_statsChart = nullptr;
    bool m_settingPeriod = false;
    PatternSource m_patternSource;
    DrawPatterns m_patterns;
    bool m_patternsStale = true;
    QTabWidget* m_tabs = nullptr;
    std::unique_ptr<PatternTabs> m_patternTabs;
};

} // namespace karvo
