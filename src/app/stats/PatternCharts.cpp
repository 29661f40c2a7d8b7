#include "app/stats/PatternCharts.h"

#include "app/stats/StatsCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QColor>
#include <QHorizontalBarSeries>
#include <QValueAxis>
#include <algorithm>

namespace karvo {

QChart* ShareChart(const QString& title, const QString& categoryTitle, const std::vector<PatternRow>& rows,
                   const QStringList& labels, bool withExpected)
{
    QChart* chart = NewChart(title);
    auto* shares = new QBarSet(QStringLiteral("Ποσοστό %"));
    auto* expected = new QBarSet(QStringLiteral("Αναμενόμενο %"));
    expected->setColor(QColor(230, 120, 40));
    double highest = 0;
    for (const PatternRow& row : rows) {
        *shares << row.share;
        *expected << row.expected;
        highest = std::max({highest, row.share, withExpected ? row.expected : 0.0});
    }
    auto* bars = new QBarSeries;
    bars->append(shares);
    if (withExpected) {
        bars->append(expected);
    } else {
        delete expected;
    }
    chart->addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setTitleText(categoryTitle);
    categories->setLabelsFont(SmallFont(8));
    // Captions stand upright once side by side they would no longer fit the chart's width.
    qsizetype characters = 0;
    for (const QString& label : labels) {
        characters += label.size() + 2;
    }
    categories->setLabelsAngle(characters > 150 ? -90 : 0);
    categories->setTruncateLabels(false);
    auto* percents = new QValueAxis;
    percents->setTitleText(QStringLiteral("%"));
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(percents, Qt::AlignLeft);
    bars->attachAxis(categories);
    bars->attachAxis(percents);
    FitValueAxis(*percents, highest);
    return chart;
}

QChart* PairsChart(const QString& title, const QString& valueTitle, const QStringList& labels,
                   const std::vector<double>& values)
{
    QChart* chart = NewChart(title);
    chart->legend()->setVisible(false);
    auto* set = new QBarSet(valueTitle);
    QStringList captions;
    double highest = 0;
    // The category axis runs upwards: the list goes in from its end.
    for (std::size_t i = values.size(); i-- > 0;) {
        *set << values[i];
        captions << labels[static_cast<qsizetype>(i)];
        highest = std::max(highest, values[i]);
    }
    auto* bars = new QHorizontalBarSeries;
    bars->setBarWidth(0.7);
    bars->append(set);
    chart->addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(captions);
    categories->setLabelsFont(SmallFont(8));
    categories->setTruncateLabels(false);
    auto* counts = new QValueAxis;
    counts->setTitleText(valueTitle);
    chart->addAxis(categories, Qt::AlignLeft);
    chart->addAxis(counts, Qt::AlignBottom);
    bars->attachAxis(categories);
    bars->attachAxis(counts);
    FitValueAxis(*counts, highest);
    return chart;
}

} // namespace karvo
