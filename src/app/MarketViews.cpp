// The main window's stock and fund views: the day list, the selected day, the caption sort and
// the update of the days with its progress and its account.
#include "market/MarketViews.h"
#include "app/Appearance.h"
#include "app/FetchProgressDialog.h"
#include "app/TForm1.h"
#include "market/MarketUpdate.h"
#include "util/Cp1253.h"
#include "util/Games.h"
#include "util/KarvoError.h"

#include <QHeaderView>
#include <QLabel>

namespace karvo {

namespace {

constexpr int kDayListWidth = 165;
// SortDirections flags that a new day resets.
constexpr int kResetSortColumns = 21;

} // namespace

void TForm1::VIEWSTOCK()
{
    showMarketView(true);
}

void TForm1::VIEWAMB()
{
    showMarketView(false);
}

void TForm1::showMarketView(bool stock)
{
    const MarketKind kind = stock ? MarketKind::Stock : MarketKind::Funds;
    m_state.ExportBaseName = stock ? "STOCK" : "AMB";
    P_LEFT->hide();
    resize(stock ? 871 : 959, height());
    P_TOP->setText(stock ? QStringLiteral("S T O C K") : QStringLiteral("Α Μ Ο Ι Β Α Ι Α"));
    // "Arial" itself where the system has it or a font of the same metrics (Liberation Sans):
    // the fund captions are measured for it.
    QFont font = NamedFont("Courier", 8);
    if (!stock) {
        font = QFont(QStringLiteral("Arial"), 8);
        font.setStyleHint(QFont::SansSerif);
    }
    SG1->setFont(font);
    SG1->horizontalHeader()->setFont(font);
    SG->setFixedWidth(kDayListWidth);
    SG1->setMinimumWidth(0);
    SG1->setMaximumWidth(QWIDGETSIZE_MAX);
    SG1->showGrid(MarketGridFrame(kind));
    SG1->show();
    // The list is filled without loading every day it passes; the last day is loaded once.
    m_quietSelect = true;
    CellGrid days = MarketDateList(m_folder, kind);
    const int last = days.currentRow();
    SG->showGrid(std::move(days));
    m_quietSelect = false;
    SGSelectCell(1, last);
    StatusNotice(QString());
    m_state.FirstYearRow = 1;
}

void TForm1::SGSelectCell(int, int row)
{
    const GameCode game = m_state.GameCode;
    if (!IsMarket(game)) {
        return;
    }
    guarded([this, game, row] {
        std::fill_n(m_state.SortDirections.begin(), kResetSortColumns, 0);
        const bool stock = game == GameCode::Stock;
        if (stock) {
            SG1->gridModel()->change([](CellGrid& grid) { grid.setCell(1, 0, Utf8ToCp1253("ΜΕΤΑΒΟΛΗ%")); });
        }
        const CellGrid& list = SG->grid();
        const std::string& text = list.rowValue(row);
        if (text.empty()) {
            return;
        }
        std::optional<CellGrid> day =
            stock ? StockDayGrid(m_folder, text, row > 1 ? list.rowValue(row - 1) : "") : FundDayGrid(m_folder, text);
        if (day) {
            SG1->showGrid(std::move(*day));
        }
    });
}

void TForm1::SG1MouseDown(int column)
{
    const GameCode game = m_state.GameCode;
    if (!IsMarket(game) || column < 0 || column >= static_cast<int>(m_state.SortDirections.size())) {
        return;
    }
    int& direction = m_state.SortDirections[static_cast<std::size_t>(column)];
    direction = 1 - direction;
    const MarketKind kind = game == GameCode::Stock ? MarketKind::Stock : MarketKind::Funds;
    SG1->gridModel()->change(
        [column, direction, kind](CellGrid& grid) { SortMarketRows(grid, column, direction == 1, kind); });
}

void TForm1::runMarketUpdate()
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
    StatusNotice(ToQString(MarketAccount(report)));
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
