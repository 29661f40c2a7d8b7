#include "app/main/GridView.h"

#include "app/main/Appearance.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>

namespace karvo {

GridView::GridView(int pixelSize, int defaultWidth, QWidget* parent)
    : QTableView(parent)
    , m_model(new GridModel(this))
    , m_defaultWidth(defaultWidth)
{
    setModel(m_model);
    setFont(FixedPixelFont(pixelSize));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Fixed row heights keep long lists fast: the view never measures a row.
    const int rowHeight = QFontMetrics(font()).height() + 6;
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFont(font());
    horizontalHeader()->setFixedHeight(rowHeight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setDefaultSectionSize(defaultWidth);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
}

void GridView::setColours(const QColor& fixed, const QColor& cells)
{
    m_model->setColours(fixed, cells);
    horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; color: black;"
                                                     " border: 0px; border-right: 1px solid gray;"
                                                     " border-bottom: 1px solid gray; padding-left: 1px; }")
                                          .arg(fixed.name()));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, cells);
    setPalette(palette);
}

void GridView::showGrid(CellGrid grid)
{
    const std::vector<int> widths = grid.columnWidths();
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    m_model->setGrid(std::move(grid));
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const std::size_t i = static_cast<std::size_t>(c);
        setColumnWidth(c, i < widths.size() ? widths[i] : m_defaultWidth);
    }
    horizontalScrollBar()->setValue(0);
    if (row >= 1) {
        selectGridRow(row, column);
    }
}

void GridView::selectGridRow(int gridRow, int column)
{
    const QModelIndex index = m_model->index(GridModel::modelRow(gridRow), column);
    if (!index.isValid()) {
        return;
    }
    setCurrentIndex(index);
    scrollTo(index);
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // A cell wider than the view (the 999-pixel numbers column) is reached by scrolling rows only;
    // pulling it into view sideways would hide the fixed column for nothing.
    const int left = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.isValid() && columnWidth(index.column()) >= viewport()->width()) {
        horizontalScrollBar()->setValue(left);
    }
}

int GridView::currentGridRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? GridModel::gridRow(index.row()) : -1;
}

void CommitOpenEditor(QTableView* view)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus != view && view->isAncestorOf(focus)) {
        view->setFocus();
    }
}

} // namespace karvo
