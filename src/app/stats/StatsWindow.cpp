#include "app/stats/StatsWindow.h"

#include "app/stats/PatternTabs.h"
#include "app/stats/StatsCharts.h"
#include "stats/KinoStats.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <memory>

namespace karvo {

namespace {

// Columns of a draw game's table, one row a number (or a digit's position and value).
enum NumberTableColumn {
    NumberColumn = StatsTableModel::kLabelColumn,
    HitsColumn,
    ShareColumn,
    ExpectedColumn,
    GapColumn,
    LongestGapColumn,
    LastDateColumn,
};

// Columns of a pools game's table, one row a match position: the counts of 1, X and 2, then their
// shares in the same order.
enum PropoTableColumn {
    PositionColumn = StatsTableModel::kLabelColumn,
    Count1Column,
    CountXColumn,
    Count2Column,
    Share1Column,
    ShareXColumn,
    Share2Column,
};

QString Figure(double x, const char* mask)
{
    return ToQString(FormatNumber(mask, x));
}

QString Percent(double x)
{
    return Figure(x, "#,##0.00");
}

} // namespace

StatsWindow::Source StatsWindow::SourceFor(GameCode game, const std::string& folder)
{
    if (game == GameCode::Kino) {
        return [folder](const StatsPeriod& period) { return ComputeKinoStats(folder, period); };
    }
    auto history = std::make_shared<const DrawHistory>(LoadHistory(folder, game));
    return [history, game](const StatsPeriod& period) { return ComputeStats(*history, LayoutOf(game), period); };
}

StatsWindow::PatternSource StatsWindow::PatternSourceFor(GameCode game, const std::string& folder)
{
    if (!HasDrawPatterns(LayoutOf(game))) {
        return {};
    }
    auto history = std::make_shared<std::unique_ptr<const DrawHistory>>();
    return [history, game, folder](const StatsPeriod& period) {
        if (*history == nullptr) {
            *history = std::make_unique<const DrawHistory>(LoadHistory(folder, game));
        }
        return ComputeDrawPatterns(**history, LayoutOf(game), period);
    };
}

StatsWindow::StatsWindow(GameCode game, Source source, PatternSource patterns, const SaveTarget& target,
                         QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_layout(LayoutOf(game))
    , m_source(std::move(source))
    , m_whole(m_source({}))
    , m_model(new StatsTableModel(this))
    , m_sorted(new QSortFilterProxyModel(this))
    , m_patternSource(std::move(patterns))
{
    setObjectName(QStringLiteral("StatsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Στατιστικά αριθμών - ") + GameName(game));
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    buildControls(target);
    resize(1040, 900);
    recompute();
}

StatsWindow::~StatsWindow() = default;

void StatsWindow::buildControls(const SaveTarget& target)
{
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Περίοδος:"), this));
    m_periodKind = new QComboBox(this);
    m_periodKind->setObjectName(QStringLiteral("periodKind"));
    m_periodKind->addItems({QStringLiteral("Όλες οι κληρώσεις"), QStringLiteral("Από το έτος"),
                            QStringLiteral("Οι τελευταίες κληρώσεις")});
    m_periodValue = new QSpinBox(this);
    m_periodValue->setObjectName(QStringLiteral("periodValue"));
    m_periodValue->setMinimumWidth(90);
    m_periodValue->setEnabled(false);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    bar->addWidget(m_periodKind);
    bar->addWidget(m_periodValue);
    bar->addWidget(m_summary, 1);
    layout->addLayout(bar);

    // The table above, the chart below it at the window's full width, so that 80 bars stay readable.
    auto* split = new QSplitter(Qt::Vertical, this);
    m_statsTable = new QTableView(split);
    m_statsTable->setObjectName(QStringLiteral("statsTable"));
    m_statsTable->setModel(m_sorted);
    m_statsTable->setSortingEnabled(true);
    m_statsTable->sortByColumn(StatsTableModel::kLabelColumn, Qt::AscendingOrder);
    m_statsTable->verticalHeader()->hide();
    m_statsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_statsTable->verticalHeader()->setDefaultSectionSize(m_statsTable->fontMetrics().height() + 6);
    m_statsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_statsChart = new QChartView(split);
    m_statsChart->setObjectName(QStringLiteral("statsChart"));
    m_statsChart->setRenderHint(QPainter::Antialiasing);
    split->setStretchFactor(1, 1);
    split->setSizes({380, 420});
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    if (m_patternSource) {
        // The numbers' figures first, then the patterns; the buttons act on the tab shown.
        m_tabs = new QTabWidget(this);
        m_tabs->setObjectName(QStringLiteral("statsTabs"));
        m_tabs->addTab(split, QStringLiteral("Αριθμοί"));
        m_patternTabs = std::make_unique<PatternTabs>(*m_tabs, target.baseName);
        layout->addWidget(m_tabs, 1);
        AddSaveButtons(
            *buttons, *this,
            [this, target] {
                SaveSubject subject{m_statsChart, m_sorted, target.baseName};
                m_patternTabs->subjectOf(m_tabs->currentWidget(), subject);
                return subject;
            },
            target);
        connect(m_tabs, &QTabWidget::currentChanged, this, &StatsWindow::showPatternsIfSeen);
    } else {
        layout->addWidget(split, 1);
        AddSaveButtons(*buttons, *this, m_statsChart, *m_sorted, {target.ui, target.folder, target.baseName});
    }
    layout->addLayout(buttons);

    connect(m_periodKind, &QComboBox::currentIndexChanged, this, &StatsWindow::periodKindChosen);
    connect(m_periodValue, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_settingPeriod) {
            m_period.value = value;
            recompute();
        }
    });
}

// A new kind of period starts from a sensible value: the last ten years, or the last 100 draws.
void StatsWindow::periodKindChosen(int index)
{
    if (m_settingPeriod) {
        return;
    }
    StatsPeriod period{static_cast<StatsPeriod::Kind>(index), 0};
    const int firstYear = YearOf(m_whole.firstDate);
    const int lastYear = YearOf(m_whole.lastDate);
    if (period.kind == StatsPeriod::Kind::FromYear) {
        period.value = std::max(firstYear, lastYear - 9);
    } else if (period.kind == StatsPeriod::Kind::LastDraws) {
        period.value = static_cast<int>(std::min<std::int64_t>(100, std::max<std::int64_t>(1, m_whole.draws)));
    }
    setPeriod(period);
}

void StatsWindow::setPeriod(const StatsPeriod& period)
{
    m_settingPeriod = true;
    m_period = period;
    m_periodKind->setCurrentIndex(static_cast<int>(period.kind));
    m_periodValue->setEnabled(period.kind != StatsPeriod::Kind::All);
    if (period.kind == StatsPeriod::Kind::FromYear) {
        const int firstYear = m_whole.draws == 0 ? 1959 : YearOf(m_whole.firstDate);
        const int lastYear = m_whole.draws == 0 ? 2100 : YearOf(m_whole.lastDate);
        m_periodValue->setRange(std::min(firstYear, period.value), std::max(lastYear, period.value));
    } else if (period.kind == StatsPeriod::Kind::LastDraws) {
        m_periodValue->setRange(1, static_cast<int>(std::clamp<std::int64_t>(m_whole.draws, period.value, 99'999'999)));
    }
    m_periodValue->setValue(period.value);
    m_settingPeriod = false;
    recompute();
}

void StatsWindow::recompute()
{
    try {
        m_stats = m_period.kind == StatsPeriod::Kind::All ? m_whole : m_source(m_period);
    } catch (const std::exception& error) {
        // A month file that went missing or bad since the window opened: the figures stay as they were.
        ShowError(*this, error);
        return;
    }
    QString summary = QStringLiteral("Κληρώσεις: ") + CountCell(m_stats.draws);
    if (m_stats.draws > 0) {
        summary += QStringLiteral("  (%1 έως %2)").arg(DateCell(m_stats.firstDate), DateCell(m_stats.lastDate));
    }
    m_summary->setText(summary);
    fillTable();
    fillChart();
    m_patternsStale = true;
    showPatternsIfSeen();
}

// The patterns are taken only when one of their tabs is shown: KINO's need its whole history read.
void StatsWindow::showPatternsIfSeen()
{
    if (m_tabs == nullptr || m_tabs->currentIndex() <= 0 || !m_patternsStale) {
        return;
    }
    try {
        m_patterns = m_patternSource(m_period);
    } catch (const std::exception& error) {
        ShowError(*this, error);
        return;
    }
    m_patternsStale = false;
    m_patternTabs->show(m_patterns);
}

QString StatsWindow::rowLabel(const NumberRow& row) const
{
    if (m_layout.digits) {
        return QStringLiteral("%1η θέση: %2").arg(row.group + 1).arg(row.number);
    }
    return row.group > 0 ? QStringLiteral("Τζόκερ %1").arg(row.number) : QString::number(row.number);
}

void StatsWindow::fillTable()
{
    if (m_layout.propo) {
        const QStringList headers{QStringLiteral("Αγώνας"), QStringLiteral("1"),   QStringLiteral("X"),
                                  QStringLiteral("2"),      QStringLiteral("1 %"), QStringLiteral("X %"),
                                  QStringLiteral("2 %")};
        m_model->setTable(headers, static_cast<int>(m_stats.positions.size()), [this](int r, int c, int role) {
            const PropoRow& row = m_stats.positions[static_cast<std::size_t>(r)];
            const std::int64_t counts[3] = {row.ones, row.draws, row.twos};
            const double played = static_cast<double>(std::max<std::int64_t>(row.played(), 1));
            if (c == PositionColumn) {
                return role == Qt::UserRole ? QVariant(row.position) : QVariant(QString::number(row.position));
            }
            const std::int64_t n = counts[(c - Count1Column) % 3];
            const double share = 100.0 * static_cast<double>(n) / played;
            const bool count = c <= Count2Column;
            if (role == Qt::UserRole) {
                return count ? QVariant(static_cast<qlonglong>(n)) : QVariant(share);
            }
            return QVariant(count ? CountCell(n) : Percent(share));
        });
        return;
    }
    const QStringList headers{m_layout.digits ? QStringLiteral("Ψηφίο") : QStringLiteral("Αριθμός"),
                              QStringLiteral("Φορές"),
                              QStringLiteral("Ποσοστό %"),
                              QStringLiteral("Αναμενόμενο %"),
                              QStringLiteral("Απουσία"),
                              QStringLiteral("Μέγ. απουσία"),
                              QStringLiteral("Τελευταία φορά")};
    m_model->setTable(headers, static_cast<int>(m_stats.numbers.size()), [this](int r, int c, int role) {
        const NumberRow& row = m_stats.numbers[static_cast<std::size_t>(r)];
        const bool key = role == Qt::UserRole;
        switch (c) {
        case NumberColumn: return key ? QVariant(row.group * 1000 + row.number) : QVariant(rowLabel(row));
        case HitsColumn: return key ? QVariant(static_cast<qlonglong>(row.hits)) : QVariant(CountCell(row.hits));
        case ShareColumn: return key ? QVariant(row.share) : QVariant(Percent(row.share));
        case ExpectedColumn: return key ? QVariant(row.expected) : QVariant(Percent(row.expected));
        case GapColumn:
            return key ? QVariant(static_cast<qlonglong>(row.currentGap)) : QVariant(CountCell(row.currentGap));
        case LongestGapColumn:
            return key ? QVariant(static_cast<qlonglong>(row.longestGap)) : QVariant(CountCell(row.longestGap));
        case LastDateColumn:
        default: return key ? QVariant(row.lastDate) : QVariant(DateCell(row.lastDate));
        }
    });
}

void StatsWindow::fillChart()
{
    QChart* chart = nullptr;
    if (m_layout.propo) {
        chart = PropoChart(m_stats);
    } else {
        QStringList labels;
        for (const NumberRow& row : m_stats.numbers) {
            labels << (m_layout.digits     ? QStringLiteral("%1:%2").arg(row.group + 1).arg(row.number)
                           : row.group > 0 ? QStringLiteral("J%1").arg(row.number)
                                           : QString::number(row.number));
        }
        chart = FrequencyChart(m_stats, m_layout, labels);
    }
    QChart* old = m_statsChart->chart();
    m_statsChart->setChart(chart);
    delete old;
}

} // namespace karvo
