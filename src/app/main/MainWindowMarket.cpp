// The main window's stock and fund views: the day list, the selected day, the caption sort and
// the update of the days with its progress and its account.
#include "app/dialogs/FetchProgressDialog.h"
#include "app/main/Appearance.h"
#include "app/main/MainWindow.h"
#include "domain/Games.h"
#include "market/MarketUpdate.h"
#include "market/MarketViews.h"
#include "util/Cp1253.h"
#include "util/KarvoError.h"

#include <QHeaderView>
#include <QLabel>

namespace karvo {

namespace {

constexpr int kDayListWidth = 165;
// SortDirections flags that a new day resets.
constexpr int kResetSortColumns = 21;

} // namespace

void MainWindow::showStocks()
{
    showMarketView(true);
}

void MainWindow::showFunds()
{
    showMarketView(false);
}

void MainWindow::showMarketView(bool stock)
{
    const MarketKind kind = stock ? MarketKind::Stock : MarketKind::Funds;
    m_state.ExportBaseName = stock ? "STOCK" : "AMB";
    m_leftPanel->hide();
    resize(stock ? 871 : 959, height());
    m_titleLabel->setText(stock ? QStringLiteral("S T O C K") : QStringLiteral("Α Μ Ο Ι Β Α Ι Α"));
    // "Arial" itself where the system has it or a font of the same metrics (Liberation Sans):
    // the fund captions are measured for it.
    QFont font = NamedFont("Courier", 8);
    if (!stock) {
        font = QFont(QStringLiteral("Arial"), 8);
        font.setStyleHint(QFont::SansSerif);
    }
    m_sideGrid->setFont(font);
    m_sideGrid->horizontalHeader()->setFont(font);
    m_mainGrid->setFixedWidth(kDayListWidth);
    m_sideGrid->setMinimumWidth(0);
    m_sideGrid->setMaximumWidth(QWIDGETSIZE_MAX);
    m_sideGrid->showGrid(MarketGridFrame(kind));
    m_sideGrid->show();
    // The list is filled without loading every day it passes; the last day is loaded once.
    m_quietSelect = true;
    CellGrid days = MarketDateList(m_folder, kind);
    const int last = days.currentRow();
    m_mainGrid->showGrid(std::move(days));
    m_quietSelect = false;
    onDaySelected(1, last);
    setStatusNotice(QString());
    m_state.FirstYearRow = 1;
}

void MainWindow::onDaySelected(int, int row)
{
    const GameCode game = m_state.GameCode;
    if (!IsMarket(game)) {
        return;
    }
    guarded([this, game, row] {
        std::fill_n(m_state.SortDirections.begin(), kResetSortColumns, 0);
        const bool stock = game == GameCode::Stock;
        if (stock) {
            m_sideGrid->gridModel()->change([](CellGrid& grid) { grid.setCell(1, 0, Utf8ToCp1253("ΜΕΤΑΒΟΛΗ%")); });
        }
        std::optional<CellGrid> day =
            MarketDayGrid(m_folder, stock ? MarketKind::Stock : MarketKind::Funds, m_mainGrid->grid(), row);
        if (day) {
            m_sideGrid->showGrid(std::move(*day));
        }
    });
}

void MainWindow::onSideCaptionPressed(int column)
{
    const GameCode game = m_state.GameCode;
    if (!IsMarket(game) || column < 0 || column >= static_cast<int>(m_state.SortDirections.size())) {
        return;
    }
    int& direction = m_state.SortDirections[static_cast<std::size_t>(column)];
    direction = 1 - direction;
    const MarketKind kind = game == GameCode::Stock ? MarketKind::Stock : MarketKind::Funds;
    m_sideGrid->gridModel()->change(
        [column, direction, kind](CellGrid& grid) { SortMarketRows(grid, column, direction == 1, kind); });
}

void MainWindow::runMarketUpdate()
{
    const bool stock = m_state.GameCode == GameCode::Stock;
    FetchProgressDialog progress(this, QStringLiteral("ΗΜΕΡΟΜΗΝΙΕΣ  ΑΠΟ - ΕΩΣ"), QStringLiteral("Ημέρες: %1 από %2"));
    MarketContext context{m_ui, m_folder, m_today(), MarketServersInUse(), &FetchDays, &progress};
    MarketReport report;
    try {
        report = stock ? UpdateStock(context) : UpdateFunds(context);
    } catch (...) {
        showGameView(m_state.GameCode); // the days stored before the failure are shown
        throw;
    }
    if (!report.ran) {
        return;
    }
    showGameView(m_state.GameCode);
    setStatusNotice(ToQString(MarketAccount(report)));
    // The days stored before a day file failed are shown with their account, then the failure.
    if (!report.writeFailure.empty()) {
        throw KarvoError(report.writeFailure);
    }
    // Silence would look like a range without trading days.
    if (report.serverUnreachable()) {
        m_ui.ShowNotice(NoticeKind::Warning, UnreachableWarning(report));
    }
}

} // namespace karvo
