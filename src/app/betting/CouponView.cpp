#include "app/betting/CouponView.h"

#include "app/betting/SystemWindow.h"
#include "app/main/Appearance.h"
#include "betting/BetCommands.h"
#include "betting/Coupon.h"
#include "betting/CouponSort.h"
#include "domain/Games.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <ctime>

namespace karvo {

namespace {

constexpr int kCouponRowHeight = 24;

QColor columnColour(int column)
{
    switch (column) {
    case CodeColumn:
    case PayoutColumn: return colours::couponCode;
    case HomeColumn:
    case AwayColumn: return colours::couponTeam;
    case Odd1Column:
    case OddXColumn:
    case Odd2Column: return colours::couponOdds;
    case SystemColumn: return QColor(255, 255, 255);
    default: return QColor(234, 255, 234);
    }
}

} // namespace

CouponView::CouponView(GridView* grid, ProgramState& state, UserInterface& ui, std::string folder, QObject* parent)
    : QObject(parent)
    , m_grid(grid)
    , m_state(state)
    , m_ui(ui)
    , m_folder(std::move(folder))
    , m_listFont(grid->font())
    , m_listRowHeight(grid->verticalHeader()->defaultSectionSize())
{
    m_captions = m_grid->horizontalHeader()->viewport();
    m_captions->installEventFilter(this);
}

CouponView::~CouponView() = default;

void CouponView::show()
{
    m_shown = true;
    m_grid->gridModel()->setFixedColumns(SystemColumn);
    m_grid->gridModel()->setEditable(true);
    m_grid->setColours(colours::couponCaption, Qt::white);
    m_grid->gridModel()->setCellRoles(
        [this](int column, int gridRow, int role) { return cellRole(column, gridRow, role); });
    m_grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_grid->setFont(FixedPointFont(10, true));
    m_grid->horizontalHeader()->setFont(m_grid->font());
    m_grid->verticalHeader()->setDefaultSectionSize(kCouponRowHeight);
    m_grid->showGrid(RestoreCoupon(m_state.BetStore));
    m_state.ExportBaseName = "BET";
    m_state.FirstYearRow = 1;
}

void CouponView::store()
{
    CommitOpenEditor(m_grid);
    StoreCoupon(m_grid->grid(), m_state.BetStore);
    m_shown = false;
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->gridModel()->setEditable(false);
    m_grid->gridModel()->setFixedColumns(1);
    m_grid->gridModel()->setCellRoles(nullptr);
    m_grid->setColours(colours::paleYellow, Qt::white);
    m_grid->setFont(m_listFont);
    m_grid->horizontalHeader()->setFont(m_listFont);
    m_grid->verticalHeader()->setDefaultSectionSize(m_listRowHeight);
    m_grid->setFixedWidth(185);
}

QVariant CouponView::cellRole(int column, int gridRow, int role) const
{
    if (gridRow < 1) {
        return QVariant();
    }
    switch (role) {
    case Qt::BackgroundRole: return columnColour(column);
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignLeft | Qt::AlignTop);
    case Qt::FontRole:
        if (column == SystemColumn) {
            return FixedPointFont(14, true);
        }
        return QVariant();
    default: return QVariant();
    }
}

void CouponView::runCommand(Command command)
{
    if (command < Command::ImportCoupon) {
        return;
    }
    CommitOpenEditor(m_grid);
    GridModel* model = m_grid->gridModel();
    CellGrid& coupon = model->mutableGrid();
    coupon.setCurrentRow(m_grid->currentGridRow());
    const bool calculatorShown = m_calculator != nullptr && m_calculator->isVisible();
    const int limit = SystemWindow::kColumnLimit;
    const std::time_t now = std::time(nullptr);
    BetContext context{m_state, coupon, m_ui, m_folder, m_cellTable, limit, calculatorShown, BetPageAddress(), now};
    const BetOutcome outcome = RunBetCommand(command, context);
    if (outcome == BetOutcome::CouponChanged) {
        const int row = coupon.currentRow();
        model->refresh();
        m_grid->selectGridRow(row >= 1 ? row : 1, SystemColumn);
    } else if (outcome == BetOutcome::ShowCalculator) {
        if (m_calculator == nullptr) {
            m_calculator = std::make_unique<SystemWindow>();
        }
        m_calculator->showSystem(m_cellTable, model->grid());
    }
}

void CouponView::sortBy(int column)
{
    CommitOpenEditor(m_grid);
    m_grid->gridModel()->change(
        [this, column](CellGrid& coupon) { SortCoupon(coupon, column, m_state.SortDirections); });
}

bool CouponView::eventFilter(QObject* watched, QEvent* event)
{
    // Only the captions' mouse events are looked at, so that nothing here touches a grid that is
    // being taken down.
    const QEvent::Type type = event->type();
    const bool mouse =
        type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease;
    if (watched != m_captions || !mouse || !m_shown || m_state.GameCode != GameCode::Bet) {
        return QObject::eventFilter(watched, event);
    }
    // Each press on a caption sorts once. A double click comes as press, release, press and the
    // double-click event, or without the second press: the double-click event sorts only then.
    if (type == QEvent::MouseButtonRelease) {
        m_pressed = false;
        return true;
    }
    auto* click = static_cast<QMouseEvent*>(event);
    if (click->button() != Qt::LeftButton) {
        return true;
    }
    const bool sorts = type == QEvent::MouseButtonPress || !m_pressed;
    m_pressed = true;
    const int column = m_grid->horizontalHeader()->logicalIndexAt(click->position().toPoint());
    if (sorts && column >= 0) {
        sortBy(column);
    }
    return true;
}

} // namespace karvo
