// The charts of the draw patterns' tabs of the statistics window.
#pragma once

#include "stats/DrawPatterns.h"

#include <QStringList>

class QChart;

namespace karvo {

// One bar a row (labels give the captions, one each): the share of the draws it had, and beside
// it the share expected of random draws when withExpected.
QChart* ShareChart(const QString& title, const QString& categoryTitle, const std::vector<PatternRow>& rows,
                   const QStringList& labels, bool withExpected);

// A bar across a pair, the first pair on top.
QChart* PairsChart(const QString& title, const QString& valueTitle, const QStringList& labels,
                   const std::vector<double>& values);

} // namespace karvo
