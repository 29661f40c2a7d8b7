#include "app/stats/PatternTabs.h"

#include "app/stats/PatternCharts.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <functional>

namespace karvo {

namespace {

QString PercentCell(double x)
{
    return ToQString(FormatNumber("#,##0.00", x));
}

void SetChart(QChartView& view, QChart* chart)
{
    QChart* old = view.chart();
    view.setChart(chart);
    delete old;
}

QChartView* NewChartView(QWidget* parent, const char* name)
{
    auto* view = new QChartView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

// Rows of a figure taken once a draw: its caption, the draws, their share, and the expected share
// when withExpected. The caption column sorts by the figure's value.
void FillRows(StatsTableModel& model, const QString& caption, const std::vector<PatternRow>& rows, bool withExpected,
              const std::function<QString(int)>& label)
{
    QStringList headers{caption, QStringLiteral("Κληρώσεις"), QStringLiteral("Ποσοστό %")};
    if (withExpected) {
        headers << QStringLiteral("Αναμενόμενο %");
    }
    model.setTable(headers, static_cast<int>(rows.size()), [rows, label](int r, int c, int role) {
        const PatternRow& row = rows[static_cast<std::size_t>(r)];
        const bool key = role == Qt::UserRole;
        switch (c) {
        case StatsTableModel::kLabelColumn: return key ? QVariant(row.value) : QVariant(label(row.value));
        case 1: return key ? QVariant(static_cast<qlonglong>(row.draws)) : QVariant(CountCell(row.draws));
        case 2: return key ? QVariant(row.share) : QVariant(PercentCell(row.share));
        default: return key ? QVariant(row.expected) : QVariant(PercentCell(row.expected));
        }
    });
}

QStringList Labels(const std::vector<PatternRow>& rows, const std::function<QString(int)>& label)
{
    QStringList labels;
    for (const PatternRow& row : rows) {
        labels << label(row.value);
    }
    return labels;
}

QString PairCaption(const PairRow& pair)
{
    return QStringLiteral("%1-%2").arg(pair.first).arg(pair.second);
}

QString SinceCell(const PairRow& pair)
{
    return pair.since < 0 ? QStringLiteral("ποτέ") : CountCell(pair.since);
}

} // namespace

PatternTabs::PatternTabs(QTabWidget& tabs, const std::string& baseName)
{
    m_tabs[OddEvenTab] = addTab(tabs, QStringLiteral("Μονά/Ζυγά"), "oddEven", baseName + "_ODDEVEN");
    m_tabs[SumTab] = addTab(tabs, QStringLiteral("Άθροισμα"), "sum", baseName + "_SUMS");
    m_tabs[PairsTab] = addTab(tabs, QStringLiteral("Ζευγάρια"), "pairs", baseName + "_PAIRS");
    m_tabs[RepeatTab] = addTab(tabs, QStringLiteral("Επαναλήψεις"), "repeat", baseName + "_REPEATS");
    m_oddEvenChart = NewChartView(m_tabs[OddEvenTab].chartArea, "oddEvenChart");
    m_sumChart = NewChartView(m_tabs[SumTab].chartArea, "sumChart");
    m_frequentPairsChart = NewChartView(m_tabs[PairsTab].chartArea, "frequentPairsChart");
    m_absentPairsChart = NewChartView(m_tabs[PairsTab].chartArea, "absentPairsChart");
    m_repeatChart = NewChartView(m_tabs[RepeatTab].chartArea, "repeatChart");
    for (QChartView* view : {m_oddEvenChart, m_sumChart, m_frequentPairsChart, m_absentPairsChart, m_repeatChart}) {
        view->parentWidget()->layout()->addWidget(view);
    }
    // The two lists of pairs side by side, in the order the table has them; the table keeps its order.
    m_tabs[PairsTab].table->setSortingEnabled(false);
}

// A tab holds its table above its chart area, as the numbers' tab does; the area is saved as the
// tab's chart picture.
PatternTabs::Tab PatternTabs::addTab(QTabWidget& tabs, const QString& caption, const char* name,
                                     const std::string& baseName)
{
    Tab tab;
    tab.baseName = baseName;
    const QString prefix = QString::fromLatin1(name);
    tab.page = new QSplitter(Qt::Vertical);
    tab.page->setObjectName(prefix + QStringLiteral("Tab"));
    tab.model = new StatsTableModel(tab.page);
    tab.sorted = new QSortFilterProxyModel(tab.page);
    tab.sorted->setSourceModel(tab.model);
    tab.sorted->setSortRole(Qt::UserRole);
    tab.table = new QTableView(tab.page);
    tab.table->setObjectName(prefix + QStringLiteral("Table"));
    tab.table->setModel(tab.sorted);
    tab.table->setSortingEnabled(true);
    tab.table->sortByColumn(StatsTableModel::kLabelColumn, Qt::AscendingOrder);
    tab.table->verticalHeader()->hide();
    tab.table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tab.table->verticalHeader()->setDefaultSectionSize(tab.table->fontMetrics().height() + 6);
    tab.table->setSelectionBehavior(QAbstractItemView::SelectRows);
    tab.chartArea = new QWidget(tab.page);
    tab.chartArea->setObjectName(prefix + QStringLiteral("Charts"));
    auto* layout = new QHBoxLayout(tab.chartArea);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* split = static_cast<QSplitter*>(tab.page);
    split->setStretchFactor(1, 1);
    split->setSizes({300, 500});
    tabs.addTab(tab.page, caption);
    return tab;
}

void PatternTabs::show(const DrawPatterns& patterns)
{
    showOddEven(patterns);
    showSums(patterns);
    showPairs(patterns);
    showRepeats(patterns);
}

bool PatternTabs::subjectOf(const QWidget* page, SaveSubject& subject) const
{
    for (const Tab& tab : m_tabs) {
        if (tab.page == page) {
            subject = {tab.chartArea, tab.sorted, tab.baseName};
            return true;
        }
    }
    return false;
}

void PatternTabs::showOddEven(const DrawPatterns& patterns)
{
    const int numbers = patterns.numbers;
    const auto label = [numbers](int odd) { return QStringLiteral("%1/%2").arg(odd).arg(numbers - odd); };
    FillRows(*m_tabs[OddEvenTab].model, QStringLiteral("Μονά/Ζυγά"), patterns.oddSplits, true, label);
    SetChart(*m_oddEvenChart,
             ShareChart(QStringLiteral("Μονά/Ζυγά ανά κλήρωση"), QStringLiteral("Μονά/Ζυγά"), patterns.oddSplits,
                        Labels(patterns.oddSplits, label), true));
}

void PatternTabs::showSums(const DrawPatterns& patterns)
{
    const int width = patterns.sumWidth;
    const auto label = [width](int low) { return QStringLiteral("%1-%2").arg(low).arg(low + width - 1); };
    FillRows(*m_tabs[SumTab].model, QStringLiteral("Άθροισμα"), patterns.sums, false, label);
    QString title = QStringLiteral("Άθροισμα αριθμών");
    if (!patterns.sums.empty()) {
        const auto common =
            std::max_element(patterns.sums.begin(), patterns.sums.end(),
                             [](const PatternRow& a, const PatternRow& b) { return a.draws < b.draws; });
        title += QStringLiteral(" - μέσος όρος %1, συχνότερο %2")
                     .arg(ToQString(FormatNumber("#,##0.0", patterns.sumMean)), label(common->value));
    }
    SetChart(*m_sumChart,
             ShareChart(title, QStringLiteral("Άθροισμα"), patterns.sums, Labels(patterns.sums, label), false));
}

void PatternTabs::showPairs(const DrawPatterns& patterns)
{
    const std::vector<PairRow> frequent = patterns.frequentPairs;
    const std::vector<PairRow> absent = patterns.absentPairs;
    const QStringList headers{QStringLiteral("Α/Α"),
                              QStringLiteral("Συχνότερα ζευγάρια"),
                              QStringLiteral("Φορές μαζί"),
                              QStringLiteral("Ζευγάρια σε απουσία"),
                              QStringLiteral("Κληρώσεις χωρίς"),
                              QStringLiteral("Τελευταία φορά")};
    const int rows = static_cast<int>(std::max(frequent.size(), absent.size()));
    m_tabs[PairsTab].model->setTable(headers, rows, [frequent, absent](int r, int c, int role) {
        const std::size_t i = static_cast<std::size_t>(r);
        if (c == StatsTableModel::kLabelColumn) {
            return role == Qt::UserRole ? QVariant(r + 1) : QVariant(QString::number(r + 1));
        }
        const std::vector<PairRow>& list = c <= 2 ? frequent : absent;
        if (role != Qt::DisplayRole || i >= list.size()) {
            return QVariant();
        }
        const PairRow& pair = list[i];
        switch (c) {
        case 1:
        case 3: return QVariant(PairCaption(pair));
        case 2: return QVariant(CountCell(pair.together));
        case 4: return QVariant(SinceCell(pair));
        default: return QVariant(DateCell(pair.lastDate));
        }
    });
    // The rank's column as narrow as its figures, once the table has its columns.
    m_tabs[PairsTab].table->horizontalHeader()->setSectionResizeMode(StatsTableModel::kLabelColumn,
                                                                     QHeaderView::ResizeToContents);
    QStringList labels;
    std::vector<double> counts;
    for (const PairRow& pair : frequent) {
        labels << PairCaption(pair);
        counts.push_back(static_cast<double>(pair.together));
    }
    SetChart(*m_frequentPairsChart,
             PairsChart(QStringLiteral("Συχνότερα ζευγάρια"), QStringLiteral("Φορές μαζί"), labels, counts));
    labels.clear();
    counts.clear();
    // A pair never drawn together has been apart for every draw of the period.
    for (const PairRow& pair : absent) {
        labels << (pair.since < 0 ? PairCaption(pair) + QStringLiteral(" (ποτέ)") : PairCaption(pair));
        counts.push_back(static_cast<double>(pair.since < 0 ? patterns.draws : pair.since));
    }
    SetChart(*m_absentPairsChart,
             PairsChart(QStringLiteral("Ζευγάρια σε απουσία"), QStringLiteral("Κληρώσεις χωρίς"), labels, counts));
}

void PatternTabs::showRepeats(const DrawPatterns& patterns)
{
    const auto label = [](int repeated) { return QString::number(repeated); };
    FillRows(*m_tabs[RepeatTab].model, QStringLiteral("Επαναλήψεις"), patterns.repeats, true, label);
    SetChart(*m_repeatChart,
             ShareChart(QStringLiteral("Αριθμοί της προηγούμενης κλήρωσης"), QStringLiteral("Αριθμοί που ξανάρθαν"),
                        patterns.repeats, Labels(patterns.repeats, label), true));
}

} // namespace karvo
