// The tabs of a number game's statistics window that show how the numbers of each draw fall
// together: odd and even, the sum, the pairs, the numbers of the draw before.
#pragma once

#include "app/stats/StatsTable.h"
#include "stats/DrawPatterns.h"

#include <array>
#include <string>

class QChartView;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace karvo {

class PatternTabs
{
public:
    // Adds the tabs to tabs; their files are named baseName and a word of their own.
    PatternTabs(QTabWidget& tabs, const std::string& baseName);

    void show(const DrawPatterns& patterns);
    // The chart and table of page, when it is one of these tabs.
    bool subjectOf(const QWidget* page, SaveSubject& subject) const;

private:
    struct Tab
    {
        QWidget* page = nullptr;
        StatsTableModel* model = nullptr;
        QSortFilterProxyModel* sorted = nullptr;
        QTableView* table = nullptr;
        QWidget* chartArea = nullptr;
        std::string baseName;
    };
    enum TabIndex { OddEvenTab, SumTab, PairsTab, RepeatTab, TabCount };

    Tab addTab(QTabWidget& tabs, const QString& caption, const char* name, const std::string& baseName);
    void showOddEven(const DrawPatterns& patterns);
    void showSums(const DrawPatterns& patterns);
    void showPairs(const DrawPatterns& patterns);
    void showRepeats(const DrawPatterns& patterns);

    std::array<Tab, TabCount> m_tabs;
    QChartView* m_oddEvenChart = nullptr;
    QChartView* m_sumChart = nullptr;
    QChartView* m_frequentPairsChart = nullptr;
    QChartView* m_absentPairsChart = nullptr;
    QChartView* m_repeatChart = nullptr;
};

} // namespace karvo
