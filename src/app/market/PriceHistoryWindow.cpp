#include "app/market/PriceHistoryWindow.h"

#include "app/stats/StatsCharts.h"
#include "domain/UserInterface.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTableView>

namespace karvo {

namespace {

// Columns of the price table, one row a stored day.
enum PriceTableColumn {
    DayColumn = StatsTableModel::kLabelColumn,
    CloseColumn,
    VolumeColumn,
};

} // namespace

PriceHistoryWindow::PriceHistoryWindow(const QString& symbol, std::vector<PricePoint> points, const SaveTarget& target,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_points(std::move(points))
{
    setObjectName(QStringLiteral("PriceHistoryWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ιστορικό μετοχής - ") + symbol);
    auto* model = new StatsTableModel(this);
    model->setTable({QStringLiteral("Ημέρα"), QStringLiteral("Κλείσιμο"), QStringLiteral("Όγκος")},
                    static_cast<int>(m_points.size()), [this](int r, int c, int role) {
                        const PricePoint& point = m_points[static_cast<std::size_t>(r)];
                        if (c == DayColumn) {
                            return role == Qt::UserRole ? QVariant(point.date) : QVariant(DateCell(point.date));
                        }
                        // Prices as stored; shown with the user's separators.
                        const std::string& text = c == CloseColumn ? point.closeText : point.volumeText;
                        if (role == Qt::UserRole) {
                            return QVariant(TextToFloat(text));
                        }
                        return QVariant(ToQString(c == CloseColumn ? FloatToText(point.close) : text));
                    });

    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* priceChart = new QChartView(PriceChart(m_points, symbol), split);
    priceChart->setObjectName(QStringLiteral("priceChart"));
    priceChart->setRenderHint(QPainter::Antialiasing);
    auto* priceTable = new QTableView(split);
    priceTable->setObjectName(QStringLiteral("priceTable"));
    priceTable->setModel(model);
    priceTable->verticalHeader()->hide();
    priceTable->verticalHeader()->setDefaultSectionSize(priceTable->fontMetrics().height() + 6);
    priceTable->resizeColumnsToContents();
    priceTable->horizontalHeader()->setStretchLastSection(true);
    priceTable->scrollToBottom();
    split->setStretchFactor(0, 1);
    split->setSizes({760, 300});
    layout->addWidget(split, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    AddSaveButtons(*buttons, *this, priceChart, *model, target);
    layout->addLayout(buttons);
    resize(1100, 640);
}

PriceHistoryWindow* RunPriceHistory(const std::string& symbol, const SaveTarget& target, QWidget* parent)
{
    std::vector<PricePoint> points = ReadPriceHistory(target.folder, symbol);
    if (points.empty()) {
        target.ui.ShowNotice(NoticeKind::Warning,
                             Utf8ToCp1253("Δεν υπάρχουν αποθηκευμένες τιμές για το σύμβολο \"") + symbol + "\".");
        return nullptr;
    }
    auto* window = new PriceHistoryWindow(ToQString(symbol), std::move(points),
                                          {target.ui, target.folder, "STOCK_" + symbol}, parent);
    window->show();
    return window;
}

} // namespace karvo
