// A security's close across every stored day: a line chart with the table of day, close and volume
// beside it.
#pragma once

#include "app/stats/StatsTable.h"
#include "market/PriceHistory.h"

#include <QWidget>

class QChartView;

namespace karvo {

class PriceHistoryWindow : public QWidget
{
    Q_OBJECT
public:
    PriceHistoryWindow(const QString& symbol, std::vector<PricePoint> points, const SaveTarget& target,
                       QWidget* parent = nullptr);

    const std::vector<PricePoint>& points() const { return m_points; }

private:
    std::vector<PricePoint> m_points;
};

// Opens the history of symbol (Windows-1253); a symbol with no stored day gets a notice instead.
PriceHistoryWindow* RunPriceHistory(const std::string& symbol, const SaveTarget& target, QWidget* parent);

} // namespace karvo
