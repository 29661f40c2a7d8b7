#include "app/main/GridModel.h"

#include "util/Cp1253.h"

namespace karvo {

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_fixedColour(Qt::lightGray)
    , m_cellColour(Qt::white)
{
}

void GridModel::setGrid(CellGrid grid)
{
    beginResetModel();
    m_grid = std::move(grid);
    endResetModel();
}

void GridModel::change(const std::function<void(CellGrid&)>& edit)
{
    beginResetModel();
    edit(m_grid);
    endResetModel();
}

void GridModel::refresh()
{
    beginResetModel();
    endResetModel();
}

void GridModel::allCellsChanged(const QList<int>& roles)
{
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
    }
}

void GridModel::setFixedColumns(int count)
{
    m_fixedColumns = count;
    allCellsChanged();
}

void GridModel::setColours(const QColor& fixed, const QColor& cells)
{
    m_fixedColour = fixed;
    m_cellColour = cells;
    allCellsChanged({Qt::BackgroundRole});
}

void GridModel::setCellRoles(CellRoles roles)
{
    m_cellRoles = std::move(roles);
    allCellsChanged();
}

void GridModel::setEditable(bool editable)
{
    m_editable = editable;
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || m_grid.rowCount() < 1 ? 0 : m_grid.rowCount() - 1;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.columnCount();
}

bool GridModel::isRightAligned(int column) const
{
    const std::vector<bool>& right = m_grid.rightAligned();
    return column >= 0 && static_cast<std::size_t>(column) < right.size() && right[static_cast<std::size_t>(column)];
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return QVariant();
    }
    if (m_cellRoles && role != Qt::DisplayRole && role != Qt::EditRole) {
        QVariant own = m_cellRoles(index.column(), gridRow(index.row()), role);
        if (own.isValid()) {
            return own;
        }
    }
    switch (role) {
    case Qt::DisplayRole:
        // Right-aligned numbers go without the blanks that align them in a fixed-pitch file: in a
        // proportional font the blanks would only push the digits out of the cell.
        if (isRightAligned(index.column())) {
            return ToQString(m_grid.cell(index.column(), gridRow(index.row()))).trimmed();
        }
        return ToQString(m_grid.cell(index.column(), gridRow(index.row())));
    case Qt::EditRole: return ToQString(m_grid.cell(index.column(), gridRow(index.row())));
    case Qt::BackgroundRole: return index.column() < m_fixedColumns ? m_fixedColour : m_cellColour;
    case Qt::TextAlignmentRole:
        return isRightAligned(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default: return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (orientation == Qt::Horizontal) {
        return ToQString(m_grid.cell(section, kHeaderRow));
    }
    return gridRow(section);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable && index.column() >= m_fixedColumns) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    m_grid.setCell(index.column(), gridRow(index.row()), FromQString(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

} // namespace karvo
