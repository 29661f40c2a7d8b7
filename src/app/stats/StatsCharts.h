// The charts of the statistics and price-history windows, built with Qt Charts.
#pragma once

#include "market/PriceHistory.h"
#include "stats/NumberStats.h"

#include <QFont>
#include <QStringList>

class QChart;
class QValueAxis;

namespace karvo {

// The parts every chart of these windows shares: a title, the legend below, no animation and the
// user's separators in the axis labels.
QChart* NewChart(const QString& title);
// Room above the tallest bar or line, so that neither touches the frame.
void FitValueAxis(QValueAxis& axis, double highest);
QFont SmallFont(int pointSize);

// One bar a number (labels give the category captions, one each), with each group's expected
// count drawn across its bars.
QChart* FrequencyChart(const GameStats& stats, const GameLayout& layout, const QStringList& labels);

// Three bars a match position: how often it ended 1, X and 2.
QChart* PropoChart(const GameStats& stats);

// The close of every stored day as a line over the dates.
QChart* PriceChart(const std::vector<PricePoint>& points, const QString& symbol);

} // namespace karvo
