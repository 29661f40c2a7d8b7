#include "app/stats/StatsCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

namespace karvo {

QFont SmallFont(int pointSize)
{
    QFont font;
    font.setPointSize(pointSize);
    return font;
}

void FitValueAxis(QValueAxis& axis, double highest)
{
    axis.setRange(0, highest > 0 ? highest * 1.1 : 1);
    axis.setLabelFormat(QStringLiteral("%.0f"));
    axis.applyNiceNumbers();
}

QChart* NewChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setLocalizeNumbers(true);
    return chart;
}

QChart* FrequencyChart(const GameStats& stats, const GameLayout& layout, const QStringList& labels)
{
    QChart* chart = NewChart(QStringLiteral("Εμφανίσεις ανά αριθμό"));
    auto* set = new QBarSet(QStringLiteral("Φορές"));
    double highest = 0;
    for (const NumberRow& row : stats.numbers) {
        *set << static_cast<double>(row.hits);
        highest = std::max(highest, static_cast<double>(row.hits));
    }
    auto* bars = new QBarSeries;
    bars->setBarWidth(0.8);
    bars->append(set);
    chart->addSeries(bars);

    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    // Many narrow bars: their numbers stand upright in a small font, so that none is cut.
    categories->setLabelsFont(SmallFont(labels.size() > 50 ? 6 : 7));
    categories->setLabelsAngle(labels.size() > 20 ? -90 : 0);
    categories->setTruncateLabels(false);
    auto* counts = new QValueAxis;
    counts->setTitleText(QStringLiteral("Φορές"));
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(counts, Qt::AlignLeft);
    bars->attachAxis(categories);
    bars->attachAxis(counts);

    // The expected level of each group over its own bars: bar i spans [i, i + 1] on a hidden axis.
    auto* span = new QValueAxis;
    span->setRange(0, std::max<double>(1, static_cast<double>(stats.numbers.size())));
    span->setVisible(false);
    chart->addAxis(span, Qt::AlignTop);
    int start = 0;
    for (std::size_t g = 0; g < layout.groups.size(); ++g) {
        const NumberGroup& group = layout.groups[g];
        const int size = group.high - group.low + 1;
        const double level = static_cast<double>(stats.draws) * group.count / size;
        highest = std::max(highest, level);
        auto* line = new QLineSeries;
        line->setName(g == 0 ? QStringLiteral("Αναμενόμενο") : QString());
        line->setPen(QPen(Qt::red, 2));
        line->append(start, level);
        line->append(start + size, level);
        chart->addSeries(line);
        line->attachAxis(span);
        line->attachAxis(counts);
        start += size;
    }
    // Only the first group's line is named; the others share its legend entry.
    const QList<QLegendMarker*> markers = chart->legend()->markers();
    for (QLegendMarker* marker : markers) {
        marker->setVisible(!marker->label().isEmpty());
    }
    FitValueAxis(*counts, highest);
    return chart;
}

QChart* PropoChart(const GameStats& stats)
{
    QChart* chart = NewChart(QStringLiteral("Αποτελέσματα ανά αγώνα"));
    QBarSet* sets[3] = {new QBarSet(QStringLiteral("1")), new QBarSet(QStringLiteral("X")),
                        new QBarSet(QStringLiteral("2"))};
    QStringList labels;
    double highest = 0;
    for (const PropoRow& row : stats.positions) {
        *sets[0] << static_cast<double>(row.ones);
        *sets[1] << static_cast<double>(row.draws);
        *sets[2] << static_cast<double>(row.twos);
        highest = std::max(
            {highest, static_cast<double>(row.ones), static_cast<double>(row.draws), static_cast<double>(row.twos)});
        labels << QString::number(row.position);
    }
    auto* bars = new QBarSeries;
    for (QBarSet* set : sets) {
        bars->append(set);
    }
    chart->addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setTitleText(QStringLiteral("Αγώνας"));
    auto* counts = new QValueAxis;
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(counts, Qt::AlignLeft);
    bars->attachAxis(categories);
    bars->attachAxis(counts);
    FitValueAxis(*counts, highest);
    return chart;
}

QChart* PriceChart(const std::vector<PricePoint>& points, const QString& symbol)
{
    QChart* chart = NewChart(QStringLiteral("Κλείσιμο ") + symbol);
    chart->legend()->setVisible(false);
    auto* line = new QLineSeries;
    line->setPen(QPen(QColor(0, 0, 160), 2));
    double low = 0;
    double high = 0;
    for (const PricePoint& point : points) {
        const QDate day(point.date / 10000, point.date / 100 % 100, point.date % 100);
        line->append(static_cast<qreal>(QDateTime(day, QTime(12, 0)).toMSecsSinceEpoch()), point.close);
        low = line->count() == 1 ? point.close : std::min(low, point.close);
        high = std::max(high, point.close);
    }
    chart->addSeries(line);
    auto* days = new QDateTimeAxis;
    days->setFormat(QStringLiteral("dd-MM-yyyy"));
    days->setLabelsAngle(-45);
    days->setTickCount(std::clamp(static_cast<int>(points.size()), 2, 8));
    if (!points.empty()) {
        // Whole days around the points, so that a single day still has a span.
        const auto dayOf = [](std::int32_t date) { return QDate(date / 10000, date / 100 % 100, date % 100); };
        days->setRange(QDateTime(dayOf(points.front().date), QTime(0, 0)),
                       QDateTime(dayOf(points.back().date).addDays(1), QTime(0, 0)));
    }
    auto* prices = new QValueAxis;
    prices->setTitleText(QStringLiteral("Κλείσιμο"));
    const double margin = high > low ? (high - low) * 0.05 : std::max(high * 0.05, 1.0);
    prices->setRange(low - margin, high + margin);
    prices->applyNiceNumbers();
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(prices, Qt::AlignLeft);
    line->attachAxis(days);
    line->attachAxis(prices);
    return chart;
}

} // namespace karvo
